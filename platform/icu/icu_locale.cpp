#include "platform/icu/icu_locale.hpp"

#include <unicode/calendar.h>
#include <unicode/coll.h>
#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/numfmt.h>
#include <unicode/smpdtfmt.h>
#include <unicode/tblcoll.h>
#include <unicode/timezone.h>
#include <unicode/ucurr.h>
#include <unicode/uloc.h>
#include <unicode/ulocdata.h>

#include <algorithm>

#include "platform/icu/info_codes.hpp"
#include "platform/icu/lcid_resolver.hpp"
#include "platform/icu/number_layout.hpp"
#include "platform/icu/picture_syntax.hpp"
#include "platform/icu/windows_locale_tables.hpp"

namespace quibor15::icu_backend {
namespace {

using icu::DateFormat;
using icu::DateFormatSymbols;
using icu::DecimalFormatSymbols;
using icu::UnicodeString;

std::u16string ToU16(const UnicodeString& text) {
    if (text.isBogus() || text.isEmpty()) return {};
    return std::u16string(text.getBuffer(), static_cast<size_t>(text.length()));
}

std::vector<std::u16string> ToVector(const UnicodeString* items, int32_t count) {
    std::vector<std::u16string> out;
    if (items == nullptr) return out;
    for (int32_t i = 0; i < count; ++i) out.push_back(ToU16(items[i]));
    return out;
}

std::u16string Number(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string Hex4(int32_t value) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string out(4, u'0');
    for (int i = 3; i >= 0; --i, value >>= 4) out[static_cast<size_t>(i)] = kDigits[value & 0xF];
    return out;
}

// Days from 1970-01-01 in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t year_of_era = year - era * 400;
    const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}

std::string Keyword(const icu::Locale& locale, const char* key) {
    char value[ULOC_KEYWORDS_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    locale.getKeywordValue(key, value, sizeof(value), status);
    return U_SUCCESS(status) ? std::string(value) : std::string();
}

std::u16string StylePicture(const icu::Locale& locale, DateFormat::EStyle style, bool time) {
    std::unique_ptr<DateFormat> format(time ? DateFormat::createTimeInstance(style, locale)
                                            : DateFormat::createDateInstance(style, locale));
    const auto* simple = dynamic_cast<const icu::SimpleDateFormat*>(format.get());
    if (simple == nullptr) return {};
    UnicodeString pattern;
    simple->toPattern(pattern);
    return CldrPatternToPicture(ToU16(pattern));
}

// Windows has genitive month names where the forms after a day number are
// other words, not the same words with an abbreviation's period (German
// "Jan." beside "Jan").
bool HasOwnFormatForms(const std::vector<std::u16string>& format, const std::vector<std::u16string>& standalone) {
    if (format.size() != standalone.size()) return false;
    for (size_t i = 0; i < format.size(); ++i) {
        const std::u16string& f = format[i];
        const std::u16string& s = standalone[i];
        if (f == s || f == s + u"." || s == f + u".") continue;
        return true;
    }
    return false;
}

// The word sort: hyphen and apostrophe weigh only on the secondary level,
// so that "co-op" sorts next to "coop"; every other symbol keeps its
// primary weight and sorts before digits and letters.
constexpr char16_t kWordSortTailoring[] = u"&[last primary ignorable]<<'-'<<''";
constexpr int32_t kMaxRulesToRebuild = 2000;

void AddUnique(std::vector<std::u16string>& list, std::u16string picture) {
    if (picture.empty() || std::find(list.begin(), list.end(), picture) != list.end()) return;
    list.push_back(std::move(picture));
}

const std::u16string& At(const std::vector<std::u16string>& list, size_t index) {
    static const std::u16string kEmpty;
    return index < list.size() ? list[index] : kEmpty;
}

}  // namespace

IcuLocale::IcuLocale(int32_t lcid, const std::string& icu_name)
    : lcid_(lcid),
      locale_(icu_name.c_str()),
      display_locale_(WithDistinguishingScript(locale_.getBaseName()).c_str()),
      override_(FindLocaleOverride(lcid)) {}

IcuLocale::~IcuLocale() = default;

void IcuLocale::LoadDateData() {
    if (date_data_loaded_) return;
    date_data_loaded_ = true;
    date_locale_ = locale_;
    std::unique_ptr<DateFormat> format(DateFormat::createDateInstance(DateFormat::kShort, date_locale_));
    auto* simple = dynamic_cast<icu::SimpleDateFormat*>(format.get());
    calendar_id_ = simple != nullptr ? WindowsCalendarId(simple->getCalendar()->getType()) : 0;
    if (calendar_id_ == 0) {
        // A calendar Windows does not have (Ethiopic, Coptic, ...): Windows
        // writes such locales' dates in the Gregorian calendar.
        UErrorCode status = U_ZERO_ERROR;
        date_locale_.setKeywordValue("calendar", "gregorian", status);
        format.reset(DateFormat::createDateInstance(DateFormat::kShort, date_locale_));
        simple = dynamic_cast<icu::SimpleDateFormat*>(format.get());
        calendar_id_ = 1;
    }
    if (simple == nullptr) return;

    calendar_.reset(simple->getCalendar()->clone());
    calendar_->adoptTimeZone(icu::TimeZone::getGMT()->clone());

    const DateFormatSymbols* symbols = simple->getDateFormatSymbols();
    int32_t count = 0;
    const UnicodeString* items = symbols->getMonths(count, DateFormatSymbols::FORMAT, DateFormatSymbols::WIDE);
    names_.months_format = ToVector(items, count);
    items = symbols->getMonths(count, DateFormatSymbols::STANDALONE, DateFormatSymbols::WIDE);
    names_.months_standalone = ToVector(items, count);
    items = symbols->getMonths(count, DateFormatSymbols::FORMAT, DateFormatSymbols::ABBREVIATED);
    names_.abbrev_months_format = ToVector(items, count);
    items = symbols->getMonths(count, DateFormatSymbols::STANDALONE, DateFormatSymbols::ABBREVIATED);
    names_.abbrev_months_standalone = ToVector(items, count);
    // The forms after a day number only where Windows has genitive names.
    // Abbreviations differ by more than a period in languages without a
    // genitive too (German "Sept." beside "Sep"), so they follow the full
    // names.
    const bool table_says_none = override_ != nullptr && override_->genitive_months == false;
    const bool genitive = !table_says_none && HasOwnFormatForms(names_.months_format, names_.months_standalone);
    if (!genitive) names_.months_format = names_.months_standalone;
    if (!genitive || !HasOwnFormatForms(names_.abbrev_months_format, names_.abbrev_months_standalone)) {
        names_.abbrev_months_format = names_.abbrev_months_standalone;
    }
    // Windows names the days in the nominative (Finnish "maanantai", not
    // the "maanantaina" of a date). ICU's weekday arrays start with an
    // unused slot before Sunday.
    items = symbols->getWeekdays(count, DateFormatSymbols::STANDALONE, DateFormatSymbols::WIDE);
    if (count > 1) names_.days = ToVector(items + 1, count - 1);
    items = symbols->getWeekdays(count, DateFormatSymbols::STANDALONE, DateFormatSymbols::ABBREVIATED);
    if (count > 1) names_.abbrev_days = ToVector(items + 1, count - 1);
    items = symbols->getEras(count);
    names_.eras = ToVector(items, count);
    items = symbols->getAmPmStrings(count);
    if (count >= 2) {
        names_.am = ToU16(items[0]);
        names_.pm = ToU16(items[1]);
    }
    if (override_ != nullptr) {
        if (const std::u16string* am = override_->Info(lctype::kS1159)) names_.am = *am;
        if (const std::u16string* pm = override_->Info(lctype::kS2359)) names_.pm = *pm;
    }
}

int IcuLocale::CalendarId() {
    LoadDateData();
    return calendar_id_;
}

const DateNames& IcuLocale::Names() {
    LoadDateData();
    return names_;
}

DateFields IcuLocale::ToLocalCalendar(int year, int month, int day) {
    LoadDateData();
    DateFields fields;
    fields.day_of_week = DayOfWeek(year, month, day);
    if (calendar_id_ == 1 || calendar_ == nullptr) {
        fields.year = year;
        fields.month = month;
        fields.day = day;
        return fields;
    }
    constexpr double kMillisPerDay = 86400000.0;
    const double noon = static_cast<double>(DaysFromCivil(year, month, day)) * kMillisPerDay + kMillisPerDay / 2;
    UErrorCode status = U_ZERO_ERROR;
    calendar_->setTime(noon, status);
    fields.era = calendar_->get(UCAL_ERA, status);
    fields.year = calendar_->get(UCAL_YEAR, status);
    fields.month = calendar_->get(UCAL_MONTH, status) + 1;
    fields.day = calendar_->get(UCAL_DATE, status);
    fields.era_year = IsEraYearCalendar(calendar_id_);
    return fields;
}

const PictureLists& IcuLocale::Pictures() {
    if (pictures_) return *pictures_;
    PictureLists lists;
    // A table row lists all pictures, or only the default; the variants of a
    // default are derived as for ICU's own.
    if (override_ != nullptr) {
        lists.short_dates = override_->short_dates;
        lists.long_dates = override_->long_dates;
        lists.times = override_->times;
    }
    LoadDateData();
    if (lists.short_dates.size() <= 1) {
        // Windows writes short dates with four-digit years by default and
        // offers the two-digit form, padded and unpadded variants and the ISO
        // order besides.
        const std::u16string picture =
            lists.short_dates.empty() ? StylePicture(date_locale_, DateFormat::kShort, false) : lists.short_dates[0];
        const std::u16string full_year = WithFullYear(picture);
        const std::u16string short_year = WithShortYear(picture);
        AddUnique(lists.short_dates, full_year);
        AddUnique(lists.short_dates, short_year);
        AddUnique(lists.short_dates, WithToggledPadding(short_year));
        AddUnique(lists.short_dates, WithToggledPadding(full_year));
        AddUnique(lists.short_dates, u"yyyy-MM-dd");
    }
    if (lists.long_dates.size() <= 1) {
        AddUnique(lists.long_dates, StylePicture(date_locale_, DateFormat::kFull, false));
        AddUnique(lists.long_dates, StylePicture(date_locale_, DateFormat::kLong, false));
    }
    if (lists.times.size() <= 1) {
        const std::u16string picture =
            lists.times.empty() ? StylePicture(date_locale_, DateFormat::kMedium, true) : lists.times[0];
        AddUnique(lists.times, picture);
        AddUnique(lists.times, WithToggledHourPadding(picture));
        if (UsesTwelveHours(picture)) {
            const std::u16string twenty_four = WithTwentyFourHours(picture);
            AddUnique(lists.times, twenty_four);
            AddUnique(lists.times, WithToggledHourPadding(twenty_four));
        }
    }
    pictures_ = std::move(lists);
    return *pictures_;
}

const NumberData& IcuLocale::Numbers() {
    if (numbers_) return *numbers_;
    NumberData data;
    // Windows writes numbers with Latin digits whatever the locale's native
    // digits are, and the separators go with the digits.
    icu::Locale number_locale(locale_);
    UErrorCode status = U_ZERO_ERROR;
    number_locale.setKeywordValue("numbers", "latn", status);

    status = U_ZERO_ERROR;
    DecimalFormatSymbols symbols(number_locale, status);
    if (U_SUCCESS(status)) {
        data.decimal = ToU16(symbols.getSymbol(DecimalFormatSymbols::kDecimalSeparatorSymbol));
        data.group = ToU16(symbols.getSymbol(DecimalFormatSymbols::kGroupingSeparatorSymbol));
        data.currency_decimal = ToU16(symbols.getSymbol(DecimalFormatSymbols::kMonetarySeparatorSymbol));
        data.currency_group = ToU16(symbols.getSymbol(DecimalFormatSymbols::kMonetaryGroupingSeparatorSymbol));
        data.currency_symbol = ToU16(symbols.getSymbol(DecimalFormatSymbols::kCurrencySymbol));
        data.intl_symbol = ToU16(symbols.getSymbol(DecimalFormatSymbols::kIntlCurrencySymbol));
        data.minus = ToU16(symbols.getSymbol(DecimalFormatSymbols::kMinusSignSymbol));
        data.plus = ToU16(symbols.getSymbol(DecimalFormatSymbols::kPlusSignSymbol));
    }

    status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> decimal(icu::NumberFormat::createInstance(number_locale, UNUM_DECIMAL, status));
    if (const auto* format = dynamic_cast<const icu::DecimalFormat*>(decimal.get())) {
        UnicodeString pattern;
        format->toPattern(pattern);
        data.negative_number = NegativeNumberPattern(ToU16(pattern));
        data.grouping = format->isGroupingUsed()
                            ? GroupingText(format->getGroupingSize(), format->getSecondaryGroupingSize())
                            : u"0";
    }

    status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> currency(
        icu::NumberFormat::createInstance(number_locale, UNUM_CURRENCY, status));
    if (const auto* format = dynamic_cast<const icu::DecimalFormat*>(currency.get())) {
        UnicodeString pattern;
        format->toPattern(pattern);
        const std::u16string text = ToU16(pattern);
        data.positive_currency = PositiveCurrencyPattern(text);
        data.negative_currency = NegativeCurrencyPattern(text);
        data.currency_grouping = format->isGroupingUsed()
                                     ? GroupingText(format->getGroupingSize(), format->getSecondaryGroupingSize())
                                     : u"0";
    }

    if (!data.intl_symbol.empty()) {
        status = U_ZERO_ERROR;
        const int32_t digits = ucurr_getDefaultFractionDigits(data.intl_symbol.c_str(), &status);
        if (U_SUCCESS(status)) data.currency_digits = digits;
    }
    numbers_ = std::move(data);
    return *numbers_;
}

const icu::Collator* IcuLocale::CollatorFor(uint32_t strength_flags) {
    auto found = collators_.find(strength_flags);
    if (found != collators_.end()) return found->second.get();

    // Ignoring symbols ignores hyphen and apostrophe too: the plain
    // collation with every symbol shifted to the last level serves.
    const bool ignore_symbols = (strength_flags & compareflags::kIgnoreSymbols) != 0;
    std::unique_ptr<icu::Collator>& prototype = ignore_symbols ? plain_sort_ : word_sort_;
    if (!prototype) prototype = MakeCollator(!ignore_symbols);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(prototype ? prototype->clone() : nullptr);
    if (collator) {
        const bool ignore_case =
            (strength_flags & (compareflags::kIgnoreCase | compareflags::kLinguisticIgnoreCase)) != 0;
        const bool ignore_marks =
            (strength_flags & (compareflags::kIgnoreNonSpace | compareflags::kLinguisticIgnoreDiacritic)) != 0;
        // Case differences live on the tertiary level and accents on the
        // secondary one; ignoring accents but not case needs the case level.
        collator->setStrength(ignore_marks  ? icu::Collator::PRIMARY
                              : ignore_case ? icu::Collator::SECONDARY
                                            : icu::Collator::TERTIARY);
        if (ignore_marks && !ignore_case) collator->setAttribute(UCOL_CASE_LEVEL, UCOL_ON, status);
        if ((strength_flags & compareflags::kIgnoreSymbols) != 0) {
            collator->setAttribute(UCOL_ALTERNATE_HANDLING, UCOL_SHIFTED, status);
        }
        if (U_FAILURE(status)) collator.reset();
    }
    const icu::Collator* result = collator.get();
    collators_.emplace(strength_flags, std::move(collator));
    return result;
}

std::unique_ptr<icu::Collator> IcuLocale::MakeCollator(bool word_sort) const {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> base(icu::Collator::createInstance(locale_, status));
    if (U_FAILURE(status)) return nullptr;
    if (!word_sort) return base;
    const auto* rule_based = dynamic_cast<const icu::RuleBasedCollator*>(base.get());
    if (rule_based == nullptr) return base;
    // The locale's own tailoring, then the word sort's. Building a collator
    // from rules costs time in proportion to them: the large tailorings of
    // the East Asian locales would take a second or more, so those keep
    // their own collation.
    UnicodeString rules = rule_based->getRules();
    if (rules.length() > kMaxRulesToRebuild) return base;
    rules.append(UnicodeString(kWordSortTailoring));
    auto tailored = std::make_unique<icu::RuleBasedCollator>(rules, status);
    if (U_FAILURE(status)) return base;
    return tailored;
}

std::u16string IcuLocale::Abbreviation(const std::function<bool(std::u16string_view)>& taken) {
    if (abbreviation_) return *abbreviation_;
    if (auto known = KnownAbbreviation(lcid_)) {
        abbreviation_ = std::u16string(*known);
    } else {
        UnicodeString country;
        locale_.getDisplayCountry(icu::Locale::getEnglish(), country);
        abbreviation_ = DeriveAbbreviation(locale_.getLanguage(), ToU16(country), locale_.getCountry(), taken);
    }
    return *abbreviation_;
}

std::u16string IcuLocale::EnglishName() {
    UnicodeString name;
    display_locale_.getDisplayName(icu::Locale::getEnglish(), name);
    std::u16string text = ToU16(name);
    // Alternative sorts are locales of their own on Windows; name the sort
    // the way ICU names the collation ("Spanish (Spain, Traditional Sort
    // Order)").
    if (!Keyword(locale_, "collation").empty() && !text.empty() && text.back() == u')') {
        char16_t sort[ULOC_FULLNAME_CAPACITY] = {};
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length =
            uloc_getDisplayKeywordValue(locale_.getName(), "collation", "en", sort, ULOC_FULLNAME_CAPACITY, &status);
        if (U_SUCCESS(status) && length > 0) {
            text.insert(text.size() - 1, u", " + std::u16string(sort, static_cast<size_t>(length)));
        }
    }
    return text;
}

std::u16string IcuLocale::NativeDigits() const {
    UErrorCode status = U_ZERO_ERROR;
    DecimalFormatSymbols symbols(locale_, status);
    if (U_FAILURE(status)) return u"0123456789";
    std::u16string digits = ToU16(symbols.getSymbol(DecimalFormatSymbols::kZeroDigitSymbol));
    for (int i = 0; i < 9; ++i) {
        const auto symbol =
            static_cast<DecimalFormatSymbols::ENumberFormatSymbol>(DecimalFormatSymbols::kOneDigitSymbol + i);
        digits += ToU16(symbols.getSymbol(symbol));
    }
    return digits;
}

const std::optional<std::u16string>& IcuLocale::Info(uint32_t lctype, bool genitive) {
    const uint64_t key = uint64_t{lctype} << 1 | (genitive ? 1 : 0);
    auto found = info_.find(key);
    if (found == info_.end()) found = info_.emplace(key, WorkOutInfo(lctype, genitive)).first;
    return found->second;
}

std::optional<std::u16string> IcuLocale::WorkOutInfo(uint32_t lctype, bool genitive) {
    if (override_ != nullptr) {
        if (const std::u16string* value = override_->Info(lctype)) return *value;
    }
    const icu::Locale& english = icu::Locale::getEnglish();
    UnicodeString text;

    if (lctype >= lctype::kSMonthName1 && lctype <= lctype::kSAbbrevMonthName1 + 11) {
        const DateNames& names = Names();
        const bool abbreviated = lctype >= lctype::kSAbbrevMonthName1;
        const size_t month = lctype - (abbreviated ? lctype::kSAbbrevMonthName1 : lctype::kSMonthName1);
        if (abbreviated) return At(genitive ? names.abbrev_months_format : names.abbrev_months_standalone, month);
        return At(genitive ? names.months_format : names.months_standalone, month);
    }
    if (lctype == lctype::kSMonthName13 || lctype == lctype::kSAbbrevMonthName13) {
        const DateNames& names = Names();
        const bool abbreviated = lctype == lctype::kSAbbrevMonthName13;
        if (abbreviated) return At(genitive ? names.abbrev_months_format : names.abbrev_months_standalone, 12);
        return At(genitive ? names.months_format : names.months_standalone, 12);
    }
    if (genitive) return std::nullopt;  // only month names have a genitive form

    if (lctype >= lctype::kSDayName1 && lctype <= lctype::kSAbbrevDayName1 + 6) {
        // Windows counts the week from Monday, ICU from Sunday.
        const DateNames& names = Names();
        const bool abbreviated = lctype >= lctype::kSAbbrevDayName1;
        const size_t day = (lctype - (abbreviated ? lctype::kSAbbrevDayName1 : lctype::kSDayName1) + 1) % 7;
        return At(abbreviated ? names.abbrev_days : names.days, day);
    }

    switch (lctype) {
        case lctype::kILanguage:
            return Hex4(lcid_);
        case lctype::kSLanguage:
        case lctype::kSEnglishDisplayName:
            return EnglishName();
        case lctype::kSNativeDisplayName:
            return ToU16(display_locale_.getDisplayName(display_locale_, text));
        case lctype::kSNativeLangName:
            return ToU16(display_locale_.getDisplayLanguage(display_locale_, text));
        case lctype::kSEngLanguage:
            return ToU16(display_locale_.getDisplayLanguage(english, text));
        case lctype::kSCountry:
        case lctype::kSEngCountry:
            return ToU16(display_locale_.getDisplayCountry(english, text));
        case lctype::kSNativeCtryName:
            return ToU16(display_locale_.getDisplayCountry(display_locale_, text));
        case lctype::kSAbbrevCtryName:
            return Ascii(locale_.getISO3Country());
        case lctype::kSIso639LangName:
            return Ascii(locale_.getLanguage());
        case lctype::kSIso3166CtryName:
            return Ascii(locale_.getCountry());
        case lctype::kSName: {
            char tag[ULOC_FULLNAME_CAPACITY] = {};
            UErrorCode status = U_ZERO_ERROR;
            uloc_toLanguageTag(locale_.getBaseName(), tag, sizeof(tag), true, &status);
            if (U_FAILURE(status)) return std::nullopt;
            std::u16string name = Ascii(tag);
            const std::string_view sort = WindowsSortSuffix(Keyword(locale_, "collation"));
            if (!sort.empty()) name += u"_" + Ascii(sort);
            return name;
        }
        case lctype::kIDefaultAnsiCodePage: {
            icu::Locale maximized(locale_);
            UErrorCode status = U_ZERO_ERROR;
            maximized.addLikelySubtags(status);
            return Number(AnsiCodePage(maximized.getLanguage(), maximized.getScript()));
        }
        case lctype::kIMeasure: {
            UErrorCode status = U_ZERO_ERROR;
            return Number(ulocdata_getMeasurementSystem(locale_.getName(), &status) == UMS_US ? 1 : 0);
        }
        case lctype::kICalendarType:
            return Number(CalendarId());
        case lctype::kIFirstDayOfWeek: {
            LoadDateData();
            if (calendar_ == nullptr) return std::nullopt;
            // Windows: 0 Monday to 6 Sunday; ICU: 1 Sunday to 7 Saturday.
            return Number((static_cast<int>(calendar_->getFirstDayOfWeek()) + 5) % 7);
        }
        case lctype::kS1159:
            return Names().am;
        case lctype::kS2359:
            return Names().pm;
        case lctype::kSShortDate:
            return At(Pictures().short_dates, 0);
        case lctype::kSLongDate:
            return At(Pictures().long_dates, 0);
        case lctype::kSTimeFormat:
            return At(Pictures().times, 0);
        case lctype::kIDate:
            return Number(FieldOrder(At(Pictures().short_dates, 0)));
        case lctype::kILDate:
            return Number(FieldOrder(At(Pictures().long_dates, 0)));
        case lctype::kSDate:
            return FirstSeparator(At(Pictures().short_dates, 0), kDateFieldLetters, u"/");
        case lctype::kSTime:
            return FirstSeparator(At(Pictures().times, 0), u"hHms", u":");
        case lctype::kITime:
            return UsesTwelveHours(At(Pictures().times, 0)) ? u"0" : u"1";
        case lctype::kSList:
            // CLDR has no list separator; Windows uses a semicolon wherever
            // the comma is taken by the decimal separator or grouping.
            return Numbers().decimal == u"." ? u"," : u";";
        case lctype::kSDecimal:
            return Numbers().decimal;
        case lctype::kSThousand:
            return Numbers().group;
        case lctype::kSGrouping:
            return Numbers().grouping;
        case lctype::kIDigits:
            // Plain numbers show two decimals on Windows; CLDR only caps
            // them, at three.
            return u"2";
        case lctype::kILZero:
            return u"1";
        case lctype::kSNativeDigits:
            return NativeDigits();
        case lctype::kSCurrency:
            return Numbers().currency_symbol;
        case lctype::kSIntlSymbol:
            return Numbers().intl_symbol;
        case lctype::kSMonDecimalSep:
            return Numbers().currency_decimal;
        case lctype::kSMonThousandSep:
            return Numbers().currency_group;
        case lctype::kSMonGrouping:
            return Numbers().currency_grouping;
        case lctype::kICurrDigits:
            return Number(Numbers().currency_digits);
        case lctype::kICurrency:
            return Number(Numbers().positive_currency);
        case lctype::kINegCurr:
            return Number(Numbers().negative_currency);
        case lctype::kINegNumber:
            return Number(Numbers().negative_number);
        case lctype::kSPositiveSign:
            // Windows leaves the positive sign empty.
            return std::u16string();
        case lctype::kSNegativeSign:
            return Numbers().minus;
        case lctype::kSEngCurrName:
        case lctype::kSNativeCurrName: {
            const std::u16string& iso = Numbers().intl_symbol;
            const char* in_locale = lctype == lctype::kSEngCurrName ? "en" : locale_.getName();
            UBool is_choice = false;
            int32_t length = 0;
            UErrorCode status = U_ZERO_ERROR;
            const char16_t* name = ucurr_getName(iso.c_str(), in_locale, UCURR_LONG_NAME, &is_choice, &length, &status);
            if (U_FAILURE(status) || name == nullptr) return std::nullopt;
            return std::u16string(name, static_cast<size_t>(length));
        }
        default:
            return std::nullopt;
    }
}

}  // namespace quibor15::icu_backend
