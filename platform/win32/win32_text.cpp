// The ANSI code page on the Windows conversion functions. This file takes
// the place of the ICU code pages in the Windows build.
#include "platform/win32/win32_text.hpp"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <memory>

#include "unicode/uchar.h"

namespace quibor15 {

namespace win32 {

String UpToNul(std::u16string_view text) {
    const size_t nul = text.find(u'\0');
    return String(nul == std::u16string_view::npos ? text : text.substr(0, nul));
}

}  // namespace win32

namespace {

constexpr char kDefaultChar[] = "?";

class WindowsCodePage final : public AnsiCodePage {
public:
    explicit WindowsCodePage(UINT number) : number_(number) {}

    int Number() const override { return static_cast<int>(number_); }

    std::string Encode(std::u16string_view text) const override {
        if (text.empty()) return std::string();
        const auto* src = reinterpret_cast<const wchar_t*>(text.data());
        const int length = static_cast<int>(text.size());
        // UTF-7 and UTF-8 take no default character.
        const bool takes_default = number_ != CP_UTF8 && number_ != CP_UTF7;
        const char* default_char = takes_default ? kDefaultChar : nullptr;
        const int needed = WideCharToMultiByte(number_, 0, src, length, nullptr, 0, default_char, nullptr);
        if (needed <= 0) return std::string(text.size(), '?');
        std::string out(static_cast<size_t>(needed), '\0');
        WideCharToMultiByte(number_, 0, src, length, out.data(), needed, default_char, nullptr);
        return out;
    }

    String Decode(std::string_view bytes) const override {
        if (bytes.empty()) return String();
        const int length = static_cast<int>(bytes.size());
        const int needed = MultiByteToWideChar(number_, 0, bytes.data(), length, nullptr, 0);
        if (needed <= 0) return String(bytes.size(), u'\uFFFD');
        String out(static_cast<size_t>(needed), u'\0');
        MultiByteToWideChar(number_, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(out.data()), needed);
        return out;
    }

private:
    UINT number_;
};

}  // namespace

// One code point through LCMapStringW; a mapping that changes the length is
// not a simple mapping, and the code point stays.
static UChar32 MapOne(UChar32 c, DWORD flags) {
    wchar_t src[2];
    int n = 0;
    if (c < 0 || c > 0x10FFFF) return c;
    if (c < 0x10000) {
        src[n++] = static_cast<wchar_t>(c);
    } else {
        const UChar32 v = c - 0x10000;
        src[n++] = static_cast<wchar_t>(0xD800 + (v >> 10));
        src[n++] = static_cast<wchar_t>(0xDC00 + (v & 0x3FF));
    }
    wchar_t dst[4] = {};
    const int got = LCMapStringW(LOCALE_INVARIANT, flags, src, n, dst, 4);
    if (got != n) return c;
    if (n == 1) return dst[0];
    return 0x10000 + ((static_cast<UChar32>(dst[0]) - 0xD800) << 10) + (dst[1] - 0xDC00);
}

std::unique_ptr<AnsiCodePage> MakeAnsiCodePage(int number) {
    CPINFO info;
    if (number <= 0 || !GetCPInfo(static_cast<UINT>(number), &info)) {
        const std::string n = std::to_string(number);
        throw AutomationError(rt::kInvalidProcedureCall, kComponentSource,
                              u"Code page " + String(n.begin(), n.end()) + u" is not available");
    }
    return std::make_unique<WindowsCodePage>(static_cast<UINT>(number));
}

}  // namespace quibor15

UChar32 u_toupper(UChar32 c) { return quibor15::MapOne(c, LCMAP_UPPERCASE); }
UChar32 u_tolower(UChar32 c) { return quibor15::MapOne(c, LCMAP_LOWERCASE); }

// Case folding: lower case of the upper case, which is what simple folding
// gives for every letter the mapping tables know (final sigma, the Kelvin
// sign and the like fold onto their ordinary lower case).
UChar32 u_foldCase(UChar32 c, uint32_t) {
    return quibor15::MapOne(quibor15::MapOne(c, LCMAP_UPPERCASE), LCMAP_LOWERCASE);
}

int8_t u_isalpha(UChar32 c) {
    wchar_t src[2];
    int n = 0;
    if (c < 0 || c > 0x10FFFF) return 0;
    if (c < 0x10000) {
        src[n++] = static_cast<wchar_t>(c);
    } else {
        const UChar32 v = c - 0x10000;
        src[n++] = static_cast<wchar_t>(0xD800 + (v >> 10));
        src[n++] = static_cast<wchar_t>(0xDC00 + (v & 0x3FF));
    }
    WORD types[2] = {};
    if (!GetStringTypeW(CT_CTYPE1, src, n, types)) return 0;
    return (types[0] & C1_ALPHA) ? 1 : 0;
}
