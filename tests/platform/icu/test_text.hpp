// UTF-8 helpers so that expectations can be written as ordinary literals and
// failures print readably.
#pragma once

#include <unicode/unistr.h>

#include <optional>
#include <string>

namespace quibor15::icu_backend::testing {

inline std::u16string U16(const std::string& utf8) {
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(utf8);
    return std::u16string(text.getBuffer(), static_cast<size_t>(text.length()));
}

inline std::string U8(const std::u16string& text) {
    std::string out;
    icu::UnicodeString(text.data(), static_cast<int32_t>(text.size())).toUTF8String(out);
    return out;
}

inline std::optional<std::string> U8(const std::optional<std::u16string>& text) {
    if (!text) return std::nullopt;
    return U8(*text);
}

}  // namespace quibor15::icu_backend::testing
