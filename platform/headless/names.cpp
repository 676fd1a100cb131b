#include "platform/headless/names.hpp"

namespace quibor15::headless {

namespace {

char16_t FoldCase(char16_t c) noexcept {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
    // Latin-1 capitals À to Þ, except the multiplication sign.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
    return c;
}

bool IsLetter(char16_t c) noexcept {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7);
}

}  // namespace

bool NamesEqual(std::u16string_view a, std::u16string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

bool IsValidControlName(std::u16string_view name) noexcept {
    if (name.empty() || name.size() > 40 || !IsLetter(name[0])) return false;
    for (char16_t c : name) {
        if (!IsLetter(c) && !(c >= u'0' && c <= u'9') && c != u'_') return false;
    }
    return true;
}

void Fail(int32_t number, String description) { RaiseRuntimeError(number, std::move(description)); }

}  // namespace quibor15::headless
