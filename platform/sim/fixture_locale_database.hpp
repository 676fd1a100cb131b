// A locale database served from in-memory tables, for tests: every locale,
// information text, picture list and failure is staged through a small
// builder, so a test can build exactly the system it needs (a locale whose
// calendar type reads "3" or "", two locales sharing an abbreviation, an
// installed identifier the catalogue must skip, a call that fails).
//
// Formatting uses the staged month and day names and the picture subset of
// picture_format.hpp; comparison is ordinal on UTF-16 code units (NORM_-
// IGNORECASE folds ASCII and Latin-1 letters first); case mapping covers
// ASCII and Latin-1. The identifiers 0, LOCALE_USER_DEFAULT (0x400) and
// LOCALE_SYSTEM_DEFAULT (0x800) stand for the system default locale.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/sim/picture_format.hpp"
#include "quibor15/locale_database.hpp"

namespace quibor15::sim {

// Locale information codes (LOCALE_*) for staging.
namespace lc {
inline constexpr uint32_t kILanguage = 0x1;
inline constexpr uint32_t kSLanguage = 0x2;
inline constexpr uint32_t kSAbbrevLangName = 0x3;
inline constexpr uint32_t kSNativeLangName = 0x4;
inline constexpr uint32_t kICountry = 0x5;
inline constexpr uint32_t kSCountry = 0x6;
inline constexpr uint32_t kSAbbrevCtryName = 0x7;
inline constexpr uint32_t kSNativeCtryName = 0x8;
inline constexpr uint32_t kSList = 0xC;
inline constexpr uint32_t kIMeasure = 0xD;
inline constexpr uint32_t kSDecimal = 0xE;
inline constexpr uint32_t kSThousand = 0xF;
inline constexpr uint32_t kSGrouping = 0x10;
inline constexpr uint32_t kIDigits = 0x11;
inline constexpr uint32_t kILZero = 0x12;
inline constexpr uint32_t kSCurrency = 0x14;
inline constexpr uint32_t kSIntlSymbol = 0x15;
inline constexpr uint32_t kSMonDecimalSep = 0x16;
inline constexpr uint32_t kSMonThousandSep = 0x17;
inline constexpr uint32_t kSMonGrouping = 0x18;
inline constexpr uint32_t kICurrDigits = 0x19;
inline constexpr uint32_t kICurrency = 0x1B;
inline constexpr uint32_t kINegCurr = 0x1C;
inline constexpr uint32_t kSDate = 0x1D;
inline constexpr uint32_t kSTime = 0x1E;
inline constexpr uint32_t kSShortDate = 0x1F;
inline constexpr uint32_t kSLongDate = 0x20;
inline constexpr uint32_t kIDate = 0x21;
inline constexpr uint32_t kITime = 0x23;
inline constexpr uint32_t kS1159 = 0x28;
inline constexpr uint32_t kS2359 = 0x29;
inline constexpr uint32_t kSDayName1 = 0x2A;        // Monday; +6 is Sunday
inline constexpr uint32_t kSAbbrevDayName1 = 0x31;  // Monday
inline constexpr uint32_t kSMonthName1 = 0x38;
inline constexpr uint32_t kSAbbrevMonthName1 = 0x44;
inline constexpr uint32_t kSPositiveSign = 0x50;
inline constexpr uint32_t kSNegativeSign = 0x51;
inline constexpr uint32_t kSEngLanguage = 0x1001;
inline constexpr uint32_t kSEngCountry = 0x1002;
inline constexpr uint32_t kSTimeFormat = 0x1003;
inline constexpr uint32_t kIDefaultAnsiCodePage = 0x1004;
inline constexpr uint32_t kICalendarType = 0x1009;
inline constexpr uint32_t kIFirstDayOfWeek = 0x100C;
inline constexpr uint32_t kINegNumber = 0x1010;
// Modifier bits a caller may add to a code; the lookup ignores them.
inline constexpr uint32_t kNoUserOverride = 0x80000000;
inline constexpr uint32_t kUseCpAcp = 0x40000000;
inline constexpr uint32_t kReturnNumber = 0x20000000;
}  // namespace lc

class FixtureLocaleDatabase : public LocaleDatabase {
private:
    struct StagedLocale {
        bool installed = true;
        std::map<uint32_t, std::u16string> info;
        std::vector<std::u16string> short_dates, long_dates, times;
        std::set<uint32_t> failing_info;
        bool fail_date = false, fail_time = false, fail_compare = false, fail_map_case = false;
    };

public:
    // Stages one locale. Obtained from Locale(lcid); stays valid while the
    // locale is in the database.
    class LocaleBuilder {
    public:
        LocaleBuilder& Info(uint32_t lctype, std::u16string text);
        // Removes an information text: the code then fails for this locale.
        LocaleBuilder& NoInfo(uint32_t lctype);
        // A locale that exists in the tables but is not installed: its
        // information is still answered (as for a supported locale), but
        // IsInstalled is false and it has no pictures to enumerate.
        LocaleBuilder& Installed(bool installed);
        // Pictures in enumeration order, the default first. The first short
        // (long, time) picture also becomes LOCALE_SSHORTDATE (SLONGDATE,
        // STIMEFORMAT) unless that code was staged explicitly.
        LocaleBuilder& ShortDates(std::vector<std::u16string> pictures);
        LocaleBuilder& LongDates(std::vector<std::u16string> pictures);
        LocaleBuilder& Times(std::vector<std::u16string> pictures);
        // Names for LOCALE_SMONTHNAME1.., SABBREVMONTHNAME1.., SDAYNAME1..
        // (Monday first), SABBREVDAYNAME1.., and the AM/PM designators.
        LocaleBuilder& MonthNames(const std::array<std::u16string, 12>& names);
        LocaleBuilder& AbbrevMonthNames(const std::array<std::u16string, 12>& names);
        LocaleBuilder& DayNames(const std::array<std::u16string, 7>& names);
        LocaleBuilder& AbbrevDayNames(const std::array<std::u16string, 7>& names);
        LocaleBuilder& TimeMarkers(std::u16string am, std::u16string pm);
        // Failures of single calls for this locale.
        LocaleBuilder& FailInfo(uint32_t lctype);
        LocaleBuilder& FailDateFormat(bool fail = true);
        LocaleBuilder& FailTimeFormat(bool fail = true);
        LocaleBuilder& FailCompare(bool fail = true);
        LocaleBuilder& FailMapCase(bool fail = true);

        int32_t Lcid() const noexcept { return lcid_; }

    private:
        friend class FixtureLocaleDatabase;
        LocaleBuilder(StagedLocale& locale, int32_t lcid) : locale_(&locale), lcid_(lcid) {}
        LocaleBuilder& Names(uint32_t first_code, const std::u16string* names, size_t count);
        StagedLocale* locale_;
        int32_t lcid_;
    };

    // The locale with this identifier, added (installed, with no
    // information) when it is not there yet.
    LocaleBuilder Locale(int32_t lcid);
    bool Contains(int32_t lcid) const { return locales_.count(lcid) != 0; }
    FixtureLocaleDatabase& RemoveLocale(int32_t lcid);
    // The system default identifier (initially 0x409). It need not be a
    // staged locale.
    FixtureLocaleDatabase& SetSystemDefault(int32_t lcid);

    // Ready-made locales with the values their Windows namesakes report.
    LocaleBuilder AddEnglishUnitedStates();  // 0x0409 ENU
    LocaleBuilder AddGermanGermany();        // 0x0407 DEU
    LocaleBuilder AddFrenchFrance();         // 0x040C FRA
    LocaleBuilder AddJapaneseJapan();        // 0x0411 JPN
    // A database holding the four locales above, system default 0x0409.
    static std::shared_ptr<FixtureLocaleDatabase> Standard();

    // LocaleDatabase.
    int32_t SystemDefaultLcid() const override { return system_default_; }
    bool IsInstalled(int32_t lcid) const override;
    std::optional<std::u16string> GetInfo(int32_t lcid, uint32_t lctype) const override;
    std::optional<std::u16string> FormatDate(int32_t lcid, uint32_t flags, const SystemTime& time,
                                             const std::u16string* picture) const override;
    std::optional<std::u16string> FormatTime(int32_t lcid, uint32_t flags, const SystemTime& time,
                                             const std::u16string* picture) const override;
    std::vector<std::u16string> DatePictures(int32_t lcid, uint32_t flags) const override;
    std::vector<std::u16string> TimePictures(int32_t lcid) const override;
    int32_t Compare(int32_t lcid, uint32_t flags, std::u16string_view a, std::u16string_view b) const override;
    std::optional<std::u16string> MapCase(int32_t lcid, uint32_t flags, std::u16string_view text) const override;

private:
    int32_t Resolve(int32_t lcid) const noexcept;
    const StagedLocale* Find(int32_t lcid) const;
    static std::optional<std::u16string> InfoOf(const StagedLocale& locale, uint32_t lctype);
    static CalendarNames NamesOf(const StagedLocale& locale);

    std::map<int32_t, StagedLocale> locales_;
    int32_t system_default_ = 0x0409;
};

}  // namespace quibor15::sim
