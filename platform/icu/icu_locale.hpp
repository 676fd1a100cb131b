// Everything the database knows about one installed identifier, built from
// ICU the first time it is asked for and kept for later calls.
#pragma once

#include <unicode/calendar.h>
#include <unicode/coll.h>
#include <unicode/locid.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/icu/locale_overrides.hpp"
#include "platform/icu/picture_formatter.hpp"

namespace quibor15::icu_backend {

struct PictureLists {
    std::vector<std::u16string> short_dates;
    std::vector<std::u16string> long_dates;
    std::vector<std::u16string> times;
};

struct NumberData {
    std::u16string decimal;
    std::u16string group;
    std::u16string grouping;
    std::u16string currency_decimal;
    std::u16string currency_group;
    std::u16string currency_grouping;
    std::u16string currency_symbol;
    std::u16string intl_symbol;
    std::u16string minus;
    std::u16string plus;
    int currency_digits = 2;
    int positive_currency = 0;
    int negative_currency = 1;
    int negative_number = 1;
};

class IcuLocale {
public:
    IcuLocale(int32_t lcid, const std::string& icu_name);
    ~IcuLocale();
    IcuLocale(const IcuLocale&) = delete;
    IcuLocale& operator=(const IcuLocale&) = delete;

    int32_t Lcid() const { return lcid_; }
    const icu::Locale& Locale() const { return locale_; }
    const LocaleOverride* Override() const { return override_; }

    // The text for an information code with the modifier bits removed;
    // genitive asks for the month names used after a day number.
    // Each answer is worked out once and kept.
    const std::optional<std::u16string>& Info(uint32_t lctype, bool genitive);

    // The Windows number of the calendar dates are written in.
    int CalendarId();
    const DateNames& Names();
    // A valid Gregorian date expressed in the locale's calendar.
    DateFields ToLocalCalendar(int year, int month, int day);
    const PictureLists& Pictures();
    const NumberData& Numbers();
    // A collator for the Windows word sort set up for CompareString flags,
    // or nullptr when ICU has none.
    const icu::Collator* CollatorFor(uint32_t strength_flags);
    // The three-letter abbreviation: Windows' own, or one derived that
    // taken does not hold. Kept after the first call.
    std::u16string Abbreviation(const std::function<bool(std::u16string_view)>& taken);

private:
    void LoadDateData();
    std::optional<std::u16string> WorkOutInfo(uint32_t lctype, bool genitive);
    // The locale's collation, with the word sort's tailoring when asked.
    std::unique_ptr<icu::Collator> MakeCollator(bool word_sort) const;
    std::u16string EnglishName();
    std::u16string NativeDigits() const;

    int32_t lcid_;
    icu::Locale locale_;
    icu::Locale display_locale_;  // base name, with a script where it tells variants apart
    const LocaleOverride* override_;

    bool date_data_loaded_ = false;
    int calendar_id_ = 1;
    icu::Locale date_locale_;  // locale_ with the calendar dates are written in
    std::unique_ptr<icu::Calendar> calendar_;
    DateNames names_;
    std::u16string short_pattern_, medium_time_pattern_;

    std::optional<PictureLists> pictures_;
    std::optional<NumberData> numbers_;
    std::optional<std::u16string> abbreviation_;
    std::unique_ptr<icu::Collator> word_sort_;
    std::unique_ptr<icu::Collator> plain_sort_;
    std::unordered_map<uint64_t, std::optional<std::u16string>> info_;
    std::map<uint32_t, std::unique_ptr<icu::Collator>> collators_;
};

}  // namespace quibor15::icu_backend
