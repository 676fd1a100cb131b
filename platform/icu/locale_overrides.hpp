// Windows values for the most used locales where Windows and CLDR disagree:
// the pictures Windows enumerates and the few information values that differ.
// Everything not listed here comes from ICU.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quibor15::icu_backend {

struct InfoOverride {
    uint32_t lctype;
    std::u16string_view value;
};

struct LocaleOverride {
    int32_t lcid;
    // In enumeration order, default first. An empty list keeps ICU's pictures.
    std::span<const std::u16string_view> short_dates;
    std::span<const std::u16string_view> long_dates;
    std::span<const std::u16string_view> times;
    std::span<const InfoOverride> info;
};

// The override for lcid, or nullptr.
const LocaleOverride* FindLocaleOverride(int32_t lcid);

}  // namespace quibor15::icu_backend
