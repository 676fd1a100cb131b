#include "platform/icu/icu_locale_database.hpp"

#include <gtest/gtest.h>

#include <set>

#include "platform/icu/info_codes.hpp"
#include "test_text.hpp"

namespace quibor15::icu_backend {
namespace {

using testing::U16;
using testing::U8;

constexpr int32_t kEnUs = 0x0409;
constexpr int32_t kEnGb = 0x0809;
constexpr int32_t kDeDe = 0x0407;
constexpr int32_t kFrFr = 0x040C;
constexpr int32_t kRuRu = 0x0419;
constexpr int32_t kJaJp = 0x0411;
constexpr int32_t kTrTr = 0x041F;
constexpr int32_t kEsEsTraditional = 0x040A;
constexpr int32_t kEsEs = 0x0C0A;

// 26 November 2010 was a Friday; dayOfWeek is deliberately wrong so that the
// tests show it is not used.
constexpr SystemTime kSample{2010, 11, 0, 26, 13, 5, 9, 0};

SystemTime DateOnly(uint16_t year, uint16_t month, uint16_t day) { return SystemTime{year, month, 0, day, 0, 0, 0, 0}; }

std::vector<std::string> U8(const std::vector<std::u16string>& list) {
    std::vector<std::string> out;
    for (const auto& item : list) out.push_back(testing::U8(item));
    return out;
}

// One database for the whole suite: building ICU objects is the slow part and
// the cache is what callers get too.
const IcuLocaleDatabase& Db() {
    static const IcuLocaleDatabase db;
    return db;
}

struct InfoCase {
    int32_t lcid;
    uint32_t lctype;
    const char* expected;
};

void PrintTo(const InfoCase& c, std::ostream* os) { *os << std::hex << c.lcid << "/" << c.lctype; }

class GetInfoTest : public ::testing::TestWithParam<InfoCase> {};

TEST_P(GetInfoTest, GivesTheWindowsValue) {
    const InfoCase& c = GetParam();
    EXPECT_EQ(U8(Db().GetInfo(c.lcid, c.lctype)), std::optional<std::string>(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    EnglishUnitedStates, GetInfoTest,
    ::testing::Values(
        InfoCase{kEnUs, lctype::kILanguage, "0409"}, InfoCase{kEnUs, lctype::kSLanguage, "English (United States)"},
        InfoCase{kEnUs, lctype::kSAbbrevLangName, "ENU"}, InfoCase{kEnUs, lctype::kSNativeLangName, "English"},
        InfoCase{kEnUs, lctype::kSCountry, "United States"}, InfoCase{kEnUs, lctype::kSNativeCtryName, "United States"},
        InfoCase{kEnUs, lctype::kSEngLanguage, "English"}, InfoCase{kEnUs, lctype::kSEngCountry, "United States"},
        InfoCase{kEnUs, lctype::kSList, ","}, InfoCase{kEnUs, lctype::kSDecimal, "."},
        InfoCase{kEnUs, lctype::kSThousand, ","}, InfoCase{kEnUs, lctype::kSGrouping, "3;0"},
        InfoCase{kEnUs, lctype::kIDigits, "2"}, InfoCase{kEnUs, lctype::kSCurrency, "$"},
        InfoCase{kEnUs, lctype::kSIntlSymbol, "USD"}, InfoCase{kEnUs, lctype::kICurrDigits, "2"},
        InfoCase{kEnUs, lctype::kICurrency, "0"}, InfoCase{kEnUs, lctype::kINegCurr, "0"},
        InfoCase{kEnUs, lctype::kSShortDate, "M/d/yyyy"}, InfoCase{kEnUs, lctype::kSLongDate, "dddd, MMMM dd, yyyy"},
        InfoCase{kEnUs, lctype::kSTimeFormat, "h:mm:ss tt"}, InfoCase{kEnUs, lctype::kIDate, "0"},
        InfoCase{kEnUs, lctype::kSDate, "/"}, InfoCase{kEnUs, lctype::kSTime, ":"},
        InfoCase{kEnUs, lctype::kS1159, "AM"}, InfoCase{kEnUs, lctype::kS2359, "PM"},
        InfoCase{kEnUs, lctype::kSDayName1, "Monday"}, InfoCase{kEnUs, lctype::kSDayName1 + 6, "Sunday"},
        InfoCase{kEnUs, lctype::kSAbbrevDayName1, "Mon"}, InfoCase{kEnUs, lctype::kSAbbrevDayName1 + 6, "Sun"},
        InfoCase{kEnUs, lctype::kSMonthName1, "January"}, InfoCase{kEnUs, lctype::kSMonthName1 + 11, "December"},
        InfoCase{kEnUs, lctype::kSAbbrevMonthName1, "Jan"}, InfoCase{kEnUs, lctype::kSAbbrevMonthName1 + 10, "Nov"},
        InfoCase{kEnUs, lctype::kICalendarType, "1"}, InfoCase{kEnUs, lctype::kIDefaultAnsiCodePage, "1252"},
        InfoCase{kEnUs, lctype::kSName, "en-US"}, InfoCase{kEnUs, lctype::kSIso639LangName, "en"},
        InfoCase{kEnUs, lctype::kSIso3166CtryName, "US"}, InfoCase{kEnUs, lctype::kSAbbrevCtryName, "USA"},
        InfoCase{kEnUs, lctype::kIMeasure, "1"}, InfoCase{kEnUs, lctype::kIFirstDayOfWeek, "6"},
        InfoCase{kEnUs, lctype::kITime, "0"}, InfoCase{kEnUs, lctype::kSMonthName13, ""},
        InfoCase{kEnUs, lctype::kSEngCurrName, "US Dollar"},
        // Modifier bits that change nothing here.
        InfoCase{kEnUs, lctype::kSAbbrevLangName | lctype::kNoUserOverride, "ENU"}));

INSTANTIATE_TEST_SUITE_P(
    OtherLocales, GetInfoTest,
    ::testing::Values(
        InfoCase{kEnGb, lctype::kSAbbrevLangName, "ENG"}, InfoCase{kEnGb, lctype::kSShortDate, "dd/MM/yyyy"},
        InfoCase{kEnGb, lctype::kSLongDate, "dd MMMM yyyy"}, InfoCase{kEnGb, lctype::kSCurrency, "£"},
        InfoCase{kEnGb, lctype::kICurrency, "0"}, InfoCase{kEnGb, lctype::kINegCurr, "1"},
        InfoCase{kEnGb, lctype::kIDate, "1"}, InfoCase{kEnGb, lctype::kIMeasure, "0"},
        InfoCase{kDeDe, lctype::kSAbbrevLangName, "DEU"}, InfoCase{kDeDe, lctype::kSLanguage, "German (Germany)"},
        InfoCase{kDeDe, lctype::kSEngLanguage, "German"}, InfoCase{kDeDe, lctype::kSNativeLangName, "Deutsch"},
        InfoCase{kDeDe, lctype::kSNativeCtryName, "Deutschland"}, InfoCase{kDeDe, lctype::kSShortDate, "dd.MM.yyyy"},
        InfoCase{kDeDe, lctype::kSLongDate, "dddd, d. MMMM yyyy"}, InfoCase{kDeDe, lctype::kSCurrency, "€"},
        InfoCase{kDeDe, lctype::kICurrency, "3"}, InfoCase{kDeDe, lctype::kINegCurr, "8"},
        InfoCase{kDeDe, lctype::kSDecimal, ","}, InfoCase{kDeDe, lctype::kSThousand, "."},
        InfoCase{kDeDe, lctype::kSList, ";"}, InfoCase{kDeDe, lctype::kSDate, "."},
        InfoCase{kDeDe, lctype::kIFirstDayOfWeek, "0"}, InfoCase{kFrFr, lctype::kSAbbrevLangName, "FRA"},
        InfoCase{kFrFr, lctype::kSShortDate, "dd/MM/yyyy"}, InfoCase{kFrFr, lctype::kSLongDate, "dddd d MMMM yyyy"},
        InfoCase{kFrFr, lctype::kSCurrency, "€"}, InfoCase{kFrFr, lctype::kICurrency, "3"},
        InfoCase{kFrFr, lctype::kINegCurr, "8"}, InfoCase{kFrFr, lctype::kSThousand, "\u00A0"},
        InfoCase{kRuRu, lctype::kSAbbrevLangName, "RUS"}, InfoCase{kRuRu, lctype::kSShortDate, "dd.MM.yyyy"},
        InfoCase{kRuRu, lctype::kSLongDate, "d MMMM yyyy 'г.'"}, InfoCase{kRuRu, lctype::kSCurrency, "₽"},
        InfoCase{kRuRu, lctype::kIDefaultAnsiCodePage, "1251"}, InfoCase{kRuRu, lctype::kSMonthName1, "январь"},
        InfoCase{kRuRu, lctype::kSMonthName1 | lctype::kReturnGenitiveNames, "января"},
        InfoCase{kJaJp, lctype::kSAbbrevLangName, "JPN"}, InfoCase{kJaJp, lctype::kSShortDate, "yyyy/MM/dd"},
        InfoCase{kJaJp, lctype::kSLongDate, "yyyy'年'M'月'd'日'"}, InfoCase{kJaJp, lctype::kSCurrency, "¥"},
        InfoCase{kJaJp, lctype::kICurrDigits, "0"}, InfoCase{kJaJp, lctype::kIDate, "2"},
        InfoCase{kJaJp, lctype::kIDefaultAnsiCodePage, "932"}, InfoCase{kEsEs, lctype::kSAbbrevLangName, "ESN"},
        InfoCase{kEsEsTraditional, lctype::kSAbbrevLangName, "ESP"},
        InfoCase{kEsEsTraditional, lctype::kSName, "es-ES_tradnl"},
        InfoCase{0x0439, lctype::kSGrouping, "3;2;0"},  // Hindi (India)
        InfoCase{0x0804, lctype::kSLanguage, "Chinese (Simplified, China)"},
        InfoCase{0x0C0A, lctype::kILanguage, "0C0A"}));

struct CalendarCase {
    int32_t lcid;
    const char* calendar;
};

class CalendarTypeTest : public ::testing::TestWithParam<CalendarCase> {};

TEST_P(CalendarTypeTest, FollowsTheLocalesPreferredCalendar) {
    EXPECT_EQ(U8(Db().GetInfo(GetParam().lcid, lctype::kICalendarType)), GetParam().calendar);
}

INSTANTIATE_TEST_SUITE_P(Locales, CalendarTypeTest,
                         ::testing::Values(CalendarCase{kEnUs, "1"}, CalendarCase{kJaJp, "1"},
                                           CalendarCase{0x041E, "7"},    // Thai: Buddhist era
                                           CalendarCase{0x0401, "23"},   // Saudi Arabia: Umm al-Qura
                                           CalendarCase{0x0429, "22"},   // Iran: Persian
                                           CalendarCase{0x040D, "1"}));  // Israel: Gregorian

TEST(GetInfoTest, UnknownCodesAndIdentifiersFail) {
    EXPECT_FALSE(Db().GetInfo(kEnUs, 0x7777).has_value());
    EXPECT_FALSE(Db().GetInfo(kEnUs, lctype::kSAbbrevLangName | lctype::kReturnGenitiveNames).has_value());
    EXPECT_FALSE(Db().GetInfo(kEnUs, lctype::kICalendarType | lctype::kReturnNumber).has_value());
    EXPECT_FALSE(Db().GetInfo(0x7FFF, lctype::kSAbbrevLangName).has_value());
    EXPECT_FALSE(Db().GetInfo(0x10409, lctype::kSAbbrevLangName).has_value());
}

TEST(GetInfoTest, DefaultIdentifiersStandForTheSystemDefault) {
    IcuLocaleDatabase db(kDeDe);
    EXPECT_EQ(db.SystemDefaultLcid(), kDeDe);
    EXPECT_EQ(U8(db.GetInfo(0x0400, lctype::kSAbbrevLangName)), "DEU");
    EXPECT_EQ(U8(db.GetInfo(0x0800, lctype::kSAbbrevLangName)), "DEU");
    db.SetSystemDefaultLcid(kEnUs);
    EXPECT_EQ(db.SystemDefaultLcid(), kEnUs);
    EXPECT_EQ(U8(db.GetInfo(0x0000, lctype::kSAbbrevLangName)), "ENU");
    EXPECT_FALSE(db.IsInstalled(0x0400));
}

TEST(IsInstalledTest, KnowsInstalledIdentifiers) {
    EXPECT_EQ(IcuLocaleDatabase().SystemDefaultLcid(), 1033);
    for (int32_t lcid : {kEnUs, kEnGb, kDeDe, kFrFr, kRuRu, kJaJp, kTrTr, kEsEs, kEsEsTraditional, 0x0404, 0x0804}) {
        EXPECT_TRUE(Db().IsInstalled(lcid)) << std::hex << lcid;
    }
    for (int32_t lcid : {0x7FFF, 0x10409, 0x0009, 0x0000, 0x5009, -1, 0x0409 | (1 << 16)}) {
        EXPECT_FALSE(Db().IsInstalled(lcid)) << std::hex << lcid;
    }
}

TEST(PicturesTest, EnglishUnitedStatesListsWindowsPictures) {
    EXPECT_EQ(U8(Db().DatePictures(kEnUs, lcflags::kDateShortDate)),
              (std::vector<std::string>{"M/d/yyyy", "M/d/yy", "MM/dd/yy", "MM/dd/yyyy", "yy/MM/dd", "yyyy-MM-dd",
                                        "dd-MMM-yy"}));
    EXPECT_EQ(
        U8(Db().DatePictures(kEnUs, lcflags::kDateLongDate)),
        (std::vector<std::string>{"dddd, MMMM dd, yyyy", "MMMM dd, yyyy", "dddd, dd MMMM, yyyy", "dd MMMM, yyyy"}));
    EXPECT_EQ(U8(Db().TimePictures(kEnUs)),
              (std::vector<std::string>{"h:mm:ss tt", "hh:mm:ss tt", "H:mm:ss", "HH:mm:ss"}));
}

TEST(PicturesTest, NotInstalledOrOtherFlagsGiveNothing) {
    EXPECT_TRUE(Db().DatePictures(0x7FFF, lcflags::kDateShortDate).empty());
    EXPECT_TRUE(Db().TimePictures(0x7FFF).empty());
    EXPECT_TRUE(Db().DatePictures(kEnUs, 0).empty());
    EXPECT_TRUE(Db().DatePictures(kEnUs, lcflags::kDateShortDate | lcflags::kDateLongDate).empty());
}

// Every installed locale, overridden or not, must list pictures that are
// usable as they stand: default first, no duplicates, the right fields.
TEST(PicturesTest, EveryInstalledLocaleHasSaneLists) {
    int checked = 0;
    for (int32_t primary = 1; primary <= 100; ++primary) {
        for (int32_t sub = 1; sub <= 20; ++sub) {
            const int32_t lcid = sub * 1024 | primary;
            if (!Db().IsInstalled(lcid)) continue;
            ++checked;
            const auto shorts = Db().DatePictures(lcid, lcflags::kDateShortDate);
            const auto longs = Db().DatePictures(lcid, lcflags::kDateLongDate);
            const auto times = Db().TimePictures(lcid);
            ASSERT_FALSE(shorts.empty()) << std::hex << lcid;
            ASSERT_FALSE(longs.empty()) << std::hex << lcid;
            ASSERT_FALSE(times.empty()) << std::hex << lcid;
            EXPECT_EQ(Db().GetInfo(lcid, lctype::kSShortDate), shorts.front());
            EXPECT_EQ(Db().GetInfo(lcid, lctype::kSLongDate), longs.front());
            EXPECT_EQ(Db().GetInfo(lcid, lctype::kSTimeFormat), times.front());
            for (const auto* list : {&shorts, &longs, &times}) {
                EXPECT_EQ(std::set<std::u16string>(list->begin(), list->end()).size(), list->size())
                    << std::hex << lcid;
            }
            for (const auto& picture : shorts) EXPECT_NE(picture.find(u"yy"), std::u16string::npos) << U8(picture);
            for (const auto& picture : times) EXPECT_NE(picture.find(u"mm"), std::u16string::npos) << U8(picture);
        }
    }
    EXPECT_GT(checked, 100);
}

struct FormatCase {
    const char* picture;
    const char* expected;
};

class FormatDateTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatDateTest, WritesEnglishUnitedStatesFields) {
    const std::u16string picture = U16(GetParam().picture);
    EXPECT_EQ(U8(Db().FormatDate(kEnUs, 0, kSample, &picture)), std::optional<std::string>(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Tokens, FormatDateTest,
                         ::testing::Values(FormatCase{"d", "26"}, FormatCase{"dd", "26"}, FormatCase{"ddd", "Fri"},
                                           FormatCase{"dddd", "Friday"}, FormatCase{"M", "11"}, FormatCase{"MM", "11"},
                                           FormatCase{"MMM", "Nov"}, FormatCase{"MMMM", "November"},
                                           FormatCase{"y", "10"}, FormatCase{"yy", "10"}, FormatCase{"yyy", "2010"},
                                           FormatCase{"yyyy", "2010"}, FormatCase{"g", "AD"}, FormatCase{"gg", "AD"},
                                           FormatCase{"dddd, MMMM dd, yyyy", "Friday, November 26, 2010"},
                                           FormatCase{"yyyy-MM-dd", "2010-11-26"}, FormatCase{"dd-MMM-yy", "26-Nov-10"},
                                           FormatCase{"'Today is' dddd", "Today is Friday"},
                                           FormatCase{"'It''s' d", "It's 26"}, FormatCase{"d.M. HH:mm", "26.11. HH:mm"},
                                           FormatCase{"1", "1"}));

class FormatTimeTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTimeTest, WritesEnglishUnitedStatesFields) {
    const std::u16string picture = U16(GetParam().picture);
    EXPECT_EQ(U8(Db().FormatTime(kEnUs, 0, kSample, &picture)), std::optional<std::string>(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Tokens, FormatTimeTest,
                         ::testing::Values(FormatCase{"h", "1"}, FormatCase{"hh", "01"}, FormatCase{"H", "13"},
                                           FormatCase{"HH", "13"}, FormatCase{"m", "5"}, FormatCase{"mm", "05"},
                                           FormatCase{"s", "9"}, FormatCase{"ss", "09"}, FormatCase{"t", "P"},
                                           FormatCase{"tt", "PM"}, FormatCase{"HH:mm", "13:05"},
                                           FormatCase{"hh:mm:ss tt", "01:05:09 PM"},
                                           FormatCase{"'at' H 'o''clock'", "at 13 o'clock"},
                                           FormatCase{"dd/MM HH", "dd/MM 13"}));

TEST(FormatDateTest, DefaultPictures) {
    EXPECT_EQ(U8(Db().FormatDate(kEnUs, lcflags::kDateShortDate, kSample, nullptr)), "11/26/2010");
    EXPECT_EQ(U8(Db().FormatDate(kEnUs, 0, kSample, nullptr)), "11/26/2010");
    EXPECT_EQ(U8(Db().FormatDate(kEnUs, lcflags::kDateLongDate, kSample, nullptr)), "Friday, November 26, 2010");
    EXPECT_EQ(U8(Db().FormatTime(kEnUs, 0, kSample, nullptr)), "1:05:09 PM");
    EXPECT_EQ(U8(Db().FormatDate(kEnGb, lcflags::kDateShortDate, kSample, nullptr)), "26/11/2010");
    EXPECT_EQ(U8(Db().FormatDate(kEnGb, lcflags::kDateLongDate, kSample, nullptr)), "26 November 2010");
    EXPECT_EQ(U8(Db().FormatTime(kEnGb, 0, kSample, nullptr)), "13:05:09");
    EXPECT_EQ(U8(Db().FormatDate(kDeDe, lcflags::kDateShortDate, kSample, nullptr)), "26.11.2010");
    EXPECT_EQ(U8(Db().FormatDate(kDeDe, lcflags::kDateLongDate, kSample, nullptr)), "Freitag, 26. November 2010");
    EXPECT_EQ(U8(Db().FormatDate(kFrFr, lcflags::kDateLongDate, kSample, nullptr)), "vendredi 26 novembre 2010");
    EXPECT_EQ(U8(Db().FormatDate(kRuRu, lcflags::kDateLongDate, kSample, nullptr)), "26 ноября 2010 г.");
    EXPECT_EQ(U8(Db().FormatDate(kJaJp, lcflags::kDateLongDate, kSample, nullptr)), "2010年11月26日");
    EXPECT_EQ(U8(Db().FormatDate(kJaJp, lcflags::kDateShortDate, kSample, nullptr)), "2010/11/26");
}

TEST(FormatDateTest, RussianMonthIsGenitiveAfterADayNumber) {
    const SystemTime date = DateOnly(1999, 1, 21);
    const std::u16string day_month = u"dd MMMM";
    const std::u16string month_only = u"MMMM yyyy";
    EXPECT_EQ(U8(Db().FormatDate(kRuRu, 0, date, &day_month)), "21 января");
    EXPECT_EQ(U8(Db().FormatDate(kRuRu, 0, date, &month_only)), "январь 1999");
    EXPECT_EQ(U8(Db().GetInfo(kRuRu, lctype::kSMonthName1)), "январь");
    EXPECT_EQ(U8(Db().FormatDate(kEnUs, 0, date, &day_month)), "21 January");
}

TEST(FormatDateTest, NonGregorianDefaultCalendarsConvertTheDate) {
    // Windows writes Thai dates in the Buddhist era: 2010 + 543.
    EXPECT_EQ(U8(Db().FormatDate(0x041E, lcflags::kDateShortDate, kSample, nullptr)), "26/11/2553");
}

TEST(FormatDateTest, RejectsInvalidDates) {
    const std::u16string picture = u"d/M/yyyy";
    for (const SystemTime& bad :
         {DateOnly(2010, 0, 1), DateOnly(2010, 13, 1), DateOnly(2010, 1, 0), DateOnly(2010, 2, 31),
          DateOnly(2011, 2, 29), DateOnly(2010, 4, 31), DateOnly(0, 1, 1), DateOnly(10000, 1, 1)}) {
        EXPECT_FALSE(Db().FormatDate(kEnUs, 0, bad, &picture).has_value())
            << bad.year << "-" << bad.month << "-" << bad.day;
        EXPECT_FALSE(Db().FormatDate(kEnUs, lcflags::kDateShortDate, bad, nullptr).has_value());
    }
    EXPECT_EQ(U8(Db().FormatDate(kEnUs, 0, DateOnly(2012, 2, 29), &picture)), "29/2/2012");
    EXPECT_EQ(U8(Db().FormatDate(kEnUs, 0, DateOnly(1, 1, 1), &picture)), "1/1/0001");
    EXPECT_EQ(U8(Db().FormatDate(kEnUs, 0, DateOnly(9999, 12, 31), &picture)), "31/12/9999");
}

TEST(FormatDateTest, RejectsBadFlagsAndIdentifiers) {
    const std::u16string picture = u"d";
    EXPECT_FALSE(Db().FormatDate(kEnUs, lcflags::kDateShortDate, kSample, &picture).has_value());
    EXPECT_FALSE(Db().FormatDate(kEnUs, lcflags::kDateShortDate | lcflags::kDateLongDate, kSample, nullptr));
    EXPECT_FALSE(Db().FormatDate(kEnUs, 0x100, kSample, nullptr).has_value());
    EXPECT_FALSE(Db().FormatDate(0x7FFF, 0, kSample, &picture).has_value());
}

TEST(FormatTimeTest, IgnoresTheDateAndRejectsBadTimes) {
    SystemTime no_date{0, 0, 0, 0, 23, 59, 59, 999};
    EXPECT_EQ(U8(Db().FormatTime(kEnUs, 0, no_date, nullptr)), "11:59:59 PM");
    for (const SystemTime& bad : {SystemTime{2010, 1, 0, 1, 24, 0, 0, 0}, SystemTime{2010, 1, 0, 1, 0, 60, 0, 0},
                                  SystemTime{2010, 1, 0, 1, 0, 0, 60, 0}, SystemTime{2010, 1, 0, 1, 0, 0, 0, 1000}}) {
        EXPECT_FALSE(Db().FormatTime(kEnUs, 0, bad, nullptr).has_value());
    }
    EXPECT_FALSE(Db().FormatTime(0x7FFF, 0, kSample, nullptr).has_value());
    EXPECT_FALSE(Db().FormatTime(kEnUs, 0x100, kSample, nullptr).has_value());
}

TEST(FormatTimeTest, HonoursTimeFlags) {
    EXPECT_EQ(U8(Db().FormatTime(kEnUs, timeflags::kNoSeconds, kSample, nullptr)), "1:05 PM");
    EXPECT_EQ(U8(Db().FormatTime(kEnUs, timeflags::kForce24Hour, kSample, nullptr)), "13:05:09");
}

struct CompareCase {
    int32_t lcid;
    uint32_t flags;
    const char* a;
    const char* b;
    int32_t expected;
};

class CompareTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareTest, UsesTheLocalesCollation) {
    const CompareCase& c = GetParam();
    EXPECT_EQ(Db().Compare(c.lcid, c.flags, U16(c.a), U16(c.b)), c.expected) << c.a << " vs " << c.b;
}

INSTANTIATE_TEST_SUITE_P(
    Collation, CompareTest,
    ::testing::Values(CompareCase{kEnUs, 0, "apple", "Apple", 1}, CompareCase{kEnUs, 1, "apple", "Apple", 2},
                      CompareCase{kEnUs, 0, "Apple", "apple", 3}, CompareCase{kEnUs, 1, "pear", "Apple", 3},
                      CompareCase{kEnUs, 1, "Apple", "banana", 1}, CompareCase{kEnUs, 0, "same", "same", 2},
                      CompareCase{kEnUs, 0, "", "a", 1}, CompareCase{kEnUs, 1, "résumé", "resume", 3},
                      CompareCase{kEnUs, 1 | 2, "Résumé", "resume", 2},
                      CompareCase{kEnUs, compareflags::kIgnoreSymbols, "co-op", "coop", 2},
                      CompareCase{kDeDe, 0, "Äpfel", "Zebra", 1}, CompareCase{0x041D, 0, "Äpple", "Zebra", 3},
                      // Traditional Spanish sorts ch as a letter after c.
                      CompareCase{kEsEs, 0, "chico", "cuna", 1}, CompareCase{kEsEsTraditional, 0, "chico", "cuna", 3},
                      CompareCase{0x7FFF, 0, "a", "b", 0}, CompareCase{kEnUs, 0x40000, "a", "b", 0}));

// A list's comparisons (from sort keys) answer as Compare does, pair by
// pair, in both directions, for the flags a sort uses and a few more.
TEST(CompareListTest, AnswersAsCompareForEveryPair) {
    const std::vector<std::u16string> texts = {u"",           u"a",
                                               u"A",          u"apple",
                                               u"Apple",      u"APPLE",
                                               u"co-op",      u"coop",
                                               u"cork",       u"we're",
                                               u"were",       u"r\u00E9sum\u00E9",
                                               u"resume",     u"R\u00E9sum\u00E9",
                                               u"!x",         u"x1",
                                               u"10",         u"\u00C4pfel",
                                               u"Zebra",      u"chico",
                                               u"cuna",       u"\u0416",
                                               u"\U0001F600", u"a b",
                                               u"ab",         u"\u00DF",
                                               u"ss",         u"\u65E5\u672C"};
    for (int32_t lcid : {kEnUs, kDeDe, 0x041D, kEsEsTraditional, kJaJp, kTrTr}) {
        for (uint32_t flags : {0u, 1u, 1u | 2u, compareflags::kIgnoreSymbols, compareflags::kStringSort}) {
            const auto list = Db().CompareList(lcid, flags, texts);
            for (size_t a = 0; a < texts.size(); ++a)
                for (size_t b = 0; b < texts.size(); ++b)
                    ASSERT_EQ(list->Compare(a, b), Db().Compare(lcid, flags, texts[a], texts[b]))
                        << std::hex << lcid << " " << flags << ": " << U8(texts[a]) << " vs " << U8(texts[b]);
        }
    }
    // What Compare refuses, the list refuses too.
    EXPECT_EQ(Db().CompareList(0x7FFF, 0, texts)->Compare(1, 2), 0);
    EXPECT_EQ(Db().CompareList(kEnUs, 0x40000, texts)->Compare(1, 2), 0);
}

struct CaseMapCase {
    int32_t lcid;
    uint32_t flags;
    const char* input;
    std::optional<std::string> expected;
};

class MapCaseTest : public ::testing::TestWithParam<CaseMapCase> {};

TEST_P(MapCaseTest, UsesTheLocalesCasing) {
    const CaseMapCase& c = GetParam();
    EXPECT_EQ(U8(Db().MapCase(c.lcid, c.flags, U16(c.input))), c.expected) << c.input;
}

INSTANTIATE_TEST_SUITE_P(
    Casing, MapCaseTest,
    ::testing::Values(CaseMapCase{kEnUs, mapflags::kUpperCase, "abc", "ABC"},
                      CaseMapCase{kEnUs, mapflags::kLowerCase, "ABC", "abc"},
                      CaseMapCase{kEnUs, mapflags::kLowerCase, "", ""},
                      CaseMapCase{kEnUs, mapflags::kUpperCase, "i", "I"},
                      // One character to one, without language rules, unless asked for
                      // the linguistic casing.
                      CaseMapCase{kTrTr, mapflags::kUpperCase, "istanbul Izmir", "ISTANBUL IZMIR"},
                      CaseMapCase{kTrTr, mapflags::kLowerCase, "IRMAK", "irmak"},
                      CaseMapCase{kTrTr, mapflags::kUpperCase | mapflags::kLinguisticCasing, "istanbul", "İSTANBUL"},
                      CaseMapCase{kTrTr, mapflags::kLowerCase | mapflags::kLinguisticCasing, "IRMAK", "ırmak"},
                      CaseMapCase{kDeDe, mapflags::kUpperCase, "Straße", "STRAßE"},
                      CaseMapCase{kEnUs, mapflags::kLowerCase, "ΟΔΟΣ", "οδοσ"},
                      CaseMapCase{kRuRu, mapflags::kUpperCase, "январь", "ЯНВАРЬ"},
                      CaseMapCase{kEnUs, mapflags::kUpperCase, "\U0001D41A\U00010428", "\U0001D41A\U00010400"},
                      CaseMapCase{kEnUs, mapflags::kUpperCase | mapflags::kLowerCase, "a", std::nullopt},
                      CaseMapCase{kEnUs, 0, "a", std::nullopt}, CaseMapCase{kEnUs, 0x400, "a", std::nullopt},
                      CaseMapCase{0x7FFF, mapflags::kUpperCase, "a", std::nullopt}));

// The locale catalogue probes every primary 0..100 and sub-language 0..20 and
// reads each installed locale's abbreviation, calendar and pictures.
TEST(CatalogueTest, ProbingAllCandidatesFindsManyLocales) {
    IcuLocaleDatabase db;
    int installed = 0;
    std::set<std::u16string> abbreviations;
    for (int32_t primary = 0; primary <= 100; ++primary) {
        for (int32_t sub = 0; sub <= 20; ++sub) {
            const int32_t lcid = sub * 1024 | primary;
            if (!db.IsInstalled(lcid)) continue;
            ++installed;
            const auto calendar = db.GetInfo(lcid, lctype::kICalendarType);
            const auto abbreviation = db.GetInfo(lcid, lctype::kSAbbrevLangName);
            ASSERT_TRUE(calendar && abbreviation) << std::hex << lcid;
            EXPECT_EQ(abbreviation->size(), 3u) << U8(*abbreviation);
            abbreviations.insert(*abbreviation);
            EXPECT_TRUE(db.GetInfo(lcid, lctype::kSLanguage).has_value());
            EXPECT_TRUE(db.GetInfo(lcid, lctype::kSDecimal).has_value());
            EXPECT_FALSE(db.DatePictures(lcid, lcflags::kDateShortDate).empty());
            EXPECT_FALSE(db.DatePictures(lcid, lcflags::kDateLongDate).empty());
            EXPECT_FALSE(db.TimePictures(lcid).empty());
        }
    }
    EXPECT_GT(installed, 100);
    EXPECT_GT(abbreviations.size(), 100u);
}

}  // namespace
}  // namespace quibor15::icu_backend
