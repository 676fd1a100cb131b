#include "platform/sim/sim_text.hpp"

#include <unicode/uchar.h>

namespace quibor15::sim {

namespace {

constexpr char16_t kLatinSmallYDiaeresis = 0x00FF;
constexpr char16_t kLatinCapitalYDiaeresis = 0x0178;

bool IsLatin1Capital(char16_t c) noexcept { return c >= 0xC0 && c <= 0xDE && c != 0xD7; }
bool IsLatin1Small(char16_t c) noexcept { return c >= 0xE0 && c <= 0xFE && c != 0xF7; }

}  // namespace

char16_t UpperChar(char16_t c) noexcept {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if (IsLatin1Small(c)) return static_cast<char16_t>(c - 0x20);
    if (c == kLatinSmallYDiaeresis) return kLatinCapitalYDiaeresis;
    return c;
}

char16_t LowerChar(char16_t c) noexcept {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
    if (IsLatin1Capital(c)) return static_cast<char16_t>(c + 0x20);
    if (c == kLatinCapitalYDiaeresis) return kLatinSmallYDiaeresis;
    return c;
}

String UpperText(std::u16string_view text) {
    String out(text);
    for (char16_t& c : out) c = UpperChar(c);
    return out;
}

String LowerText(std::u16string_view text) {
    String out(text);
    for (char16_t& c : out) c = LowerChar(c);
    return out;
}

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        // Simple case folding pairs each letter of a code page with its
        // other case, Š/š and Ÿ/ÿ of Windows-1252 included.
        if (u_foldCase(a[i], U_FOLD_CASE_DEFAULT) != u_foldCase(b[i], U_FOLD_CASE_DEFAULT)) return false;
    }
    return true;
}

bool StartsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix) noexcept {
    return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

String PathKey(std::u16string_view path) {
    String key = UpperText(path);
    for (char16_t& c : key) {
        if (c == u'/') c = u'\\';
    }
    return key;
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace quibor15::sim
