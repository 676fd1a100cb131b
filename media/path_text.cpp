#include "media/path_text.hpp"

#include "quibor15/convert.hpp"

namespace quibor15::media {

namespace {

// A 1-based position or a length as the 16-bit value it is held in.
Integer AsInteger(size_t value) {
    if (value > static_cast<size_t>(INT16_MAX)) RaiseRuntimeError(rt::kOverflow);
    return static_cast<Integer>(value);
}

}  // namespace

String TextAfterLastBackslash(std::u16string_view text) {
    const size_t found = text.rfind(u'\\');
    const Integer position = found == std::u16string_view::npos ? Integer{0} : AsInteger(found + 1);
    return String(text.substr(static_cast<size_t>(position)));
}

String TextBeforeLastChar(std::u16string_view text, char16_t ch) {
    const Integer length = AsInteger(text.size());
    for (Integer i = length; i >= 1; --i) {
        if (text[static_cast<size_t>(i - 1)] == ch) return String(text.substr(0, static_cast<size_t>(i - 1)));
    }
    return String();
}

String NameWithoutExtension(std::u16string_view name) {
    // The length is held as 16 bits whether or not the name has a ".".
    AsInteger(name.size());
    if (name.find(u'.') == std::u16string_view::npos) return String(name);
    return TextBeforeLastChar(name, u'.');
}

}  // namespace quibor15::media
