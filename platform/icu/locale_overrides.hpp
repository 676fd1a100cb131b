// Windows values for the most used locales where Windows and CLDR disagree,
// read from the table compiled in from locale_overrides.tsv: the pictures
// Windows enumerates and the information values that differ. Everything
// not listed comes from ICU.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quibor15::icu_backend {

struct LocaleOverride {
    int32_t lcid = 0;
    // In enumeration order, default first. Empty keeps ICU's pictures; a
    // single picture is the default, the others derived from it.
    std::vector<std::u16string> short_dates;
    std::vector<std::u16string> long_dates;
    std::vector<std::u16string> times;
    // Information values by code.
    std::map<uint32_t, std::u16string> info;
    // false when Windows writes the nominative month names after a day
    // number too; nullopt leaves it to the CLDR data.
    std::optional<bool> genitive_months;

    const std::u16string* Info(uint32_t lctype) const {
        auto found = info.find(lctype);
        return found == info.end() ? nullptr : &found->second;
    }
};

// The override for lcid, or nullptr.
const LocaleOverride* FindLocaleOverride(int32_t lcid);

// Every row of the table, in its order.
const std::vector<LocaleOverride>& LocaleOverrides();

// Reads a table in the format of locale_overrides.tsv; a malformed row or
// an unknown column is a programming error and throws std::runtime_error.
std::vector<LocaleOverride> ParseLocaleOverrides(std::string_view table);

}  // namespace quibor15::icu_backend
