#include "locale/locale_text.hpp"

#include <algorithm>

#include "locale/locale_codes.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::locale_services {

String CutAtNul(std::u16string_view text) {
    const auto nul = text.find(u'\0');
    return String(nul == std::u16string_view::npos ? text : text.substr(0, nul));
}

String GetLocaleString(WindowsServices& windows, Long lcid, uint32_t code) {
    String buffer;
    if (windows.GetLocaleInfoA(lcid, code, buffer, kLocaleBufferChars) == 0) return String();
    buffer.resize(std::min(buffer.size(), buffer.find(u'\0')));
    return buffer;
}

Long LocaleTextToLong(std::u16string_view text) { return ToLong(StrictNumber(CutAtNul(text))); }

}  // namespace quibor15::locale_services
