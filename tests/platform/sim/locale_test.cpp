#include <gtest/gtest.h>

#include "platform/sim/fixture_locale_database.hpp"
#include "platform/sim/sim_text.hpp"
#include "platform/sim/sim_windows.hpp"

namespace quibor15::sim {
namespace {

SystemTime Date(uint16_t year, uint16_t month, uint16_t day) {
    SystemTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    return t;
}

SystemTime Time(uint16_t hour, uint16_t minute, uint16_t second) {
    SystemTime t;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

std::vector<String> Enumerate(SimWindows& win, int32_t lcid, uint32_t flags, bool dates = true) {
    std::vector<String> pictures;
    auto collect = [&](const String& p) {
        pictures.push_back(p);
        return true;
    };
    const int32_t ok = dates ? win.EnumDateFormatsA(collect, lcid, flags) : win.EnumTimeFormatsA(collect, lcid, flags);
    EXPECT_EQ(ok, 1);
    return pictures;
}

TEST(LocaleInfo, BufferCharsBoundsTheTextAndItsNul) {
    SimWindows win;
    const struct {
        int32_t buffer_chars;
        int32_t result;
        const char16_t* out;
    } cases[] = {
        {255, 4, u"ENU"}, {4, 4, u"ENU"},   // "ENU" and its NUL fit exactly
        {3, 0, u"keep"},  {1, 0, u"keep"},  // too small: fails, out untouched
        {0, 4, u"keep"},                    // a size query writes nothing
        {-1, 0, u"keep"},
    };
    for (const auto& c : cases) {
        String out = u"keep";
        EXPECT_EQ(win.GetLocaleInfoA(0x0409, lc::kSAbbrevLangName, out, c.buffer_chars), c.result) << c.buffer_chars;
        EXPECT_EQ(out, c.out) << c.buffer_chars;
    }
    EXPECT_EQ(win.Calls().at(0), (CallRecord{u"GetLocaleInfoA", {u"0x409", u"0x3", u"255"}}));
}

TEST(LocaleInfo, AnswersTheStandardLocales) {
    SimWindows win;
    const struct {
        int32_t lcid;
        uint32_t code;
        const char16_t* text;
    } cases[] = {
        {0x0409, lc::kSAbbrevLangName, u"ENU"},
        {0x0409, lc::kSEngLanguage, u"English"},
        {0x0409, lc::kSIntlSymbol, u"USD"},
        {0x0409, lc::kSDecimal, u"."},
        {0x0409, lc::kICalendarType, u"1"},
        {0x0409, lc::kSShortDate, u"M/d/yyyy"},
        {0x0407, lc::kSAbbrevLangName, u"DEU"},
        {0x0407, lc::kSDecimal, u","},
        {0x0407, lc::kSMonthName1 + 2, u"M\u00E4rz"},
        {0x040C, lc::kSNativeLangName, u"fran\u00E7ais"},
        {0x0411, lc::kSAbbrevLangName, u"JPN"},
        {0x0400, lc::kSAbbrevLangName, u"ENU"},  // user default
        {0x0409, lc::kSAbbrevLangName | lc::kNoUserOverride, u"ENU"},
    };
    for (const auto& c : cases) {
        String out;
        EXPECT_GT(win.GetLocaleInfoA(c.lcid, c.code, out, 255), 0) << c.lcid << " " << c.code;
        EXPECT_EQ(out, c.text) << c.lcid << " " << c.code;
    }
    String out = u"keep";
    EXPECT_EQ(win.GetLocaleInfoA(0x0C0A, lc::kSAbbrevLangName, out, 255), 0);  // not in the tables
    EXPECT_EQ(win.GetLocaleInfoA(0x0409, 0x7777, out, 255), 0);                // no such code
    EXPECT_EQ(out, u"keep");
}

TEST(LocaleInfo, TextsComeBackThroughTheCodePage) {
    SimWindows win;
    String out;
    // Japanese under 1252: one default character per character.
    EXPECT_EQ(win.GetLocaleInfoA(0x0411, lc::kSNativeLangName, out, 255), 4);
    EXPECT_EQ(out, u"???");
    EXPECT_EQ(win.GetLocaleInfoA(0x0407, lc::kSCurrency, out, 255), 2);
    EXPECT_EQ(out, u"\u20AC");  // the euro sign is in 1252

    win.SetCodePage(932);
    EXPECT_EQ(win.GetLocaleInfoA(0x0411, lc::kSNativeLangName, out, 255), 7);  // six bytes and the NUL
    EXPECT_EQ(out, u"\u65E5\u672C\u8A9E");
    out = u"keep";
    EXPECT_EQ(win.GetLocaleInfoA(0x0411, lc::kSNativeLangName, out, 6), 0);  // counted in bytes
    EXPECT_EQ(out, u"keep");
    EXPECT_EQ(win.CodePage().Number(), 932);
}

TEST(LocaleCatalogue, StagedSystemsForTheCatalogue) {
    auto db = std::make_shared<FixtureLocaleDatabase>();
    db->AddEnglishUnitedStates();
    db->Locale(0x0809).Info(lc::kSAbbrevLangName, u"ENU").Info(lc::kICalendarType, u"1");  // shares ENU
    db->Locale(0x0404).Info(lc::kSAbbrevLangName, u"CHT");                                 // an excluded one
    db->Locale(0x0401).Info(lc::kSAbbrevLangName, u"ARA").Info(lc::kICalendarType, u"6");
    db->Locale(0x0436).Info(lc::kSAbbrevLangName, u"AFK").Info(lc::kICalendarType, u"");
    db->Locale(0x0425).Info(lc::kSAbbrevLangName, u"ETI").Installed(false);
    db->SetSystemDefault(0x0809);
    SimWindows win;
    win.SetLocaleDatabase(db);

    EXPECT_EQ(win.GetSystemDefaultLCID(), 0x0809);
    const struct {
        int32_t lcid;
        int32_t installed;
        const char16_t* calendar;
        int32_t calendar_result;
    } cases[] = {
        {0x0409, 1, u"1", 2}, {0x0809, 1, u"1", 2}, {0x0404, 1, u"", 0}, {0x0401, 1, u"6", 2},
        {0x0436, 1, u"", 1},  {0x0425, 0, u"", 0},  {0x0407, 0, u"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win.IsValidLocale(c.lcid, 1), c.installed) << c.lcid;
        String calendar;
        EXPECT_EQ(win.GetLocaleInfoA(c.lcid, lc::kICalendarType, calendar, 255), c.calendar_result) << c.lcid;
        EXPECT_EQ(calendar, c.calendar) << c.lcid;
    }
    EXPECT_EQ(win.IsValidLocale(0x0409, 0x4), 0);  // not a flag value
}

TEST(LocaleCatalogue, StagedFailuresOfSingleCalls) {
    auto db = FixtureLocaleDatabase::Standard();
    db->Locale(0x0409).FailInfo(lc::kSCurrency).FailCompare().FailMapCase().FailDateFormat();
    SimWindows win;
    win.SetLocaleDatabase(db);
    String out = u"keep";
    EXPECT_EQ(win.GetLocaleInfoA(0x0409, lc::kSCurrency, out, 255), 0);
    EXPECT_EQ(out, u"keep");
    EXPECT_GT(win.GetLocaleInfoA(0x0409, lc::kSIntlSymbol, out, 255), 0);
    EXPECT_EQ(win.CompareStringA(0x0409, 0, u"a", u"b"), 0);
    EXPECT_EQ(win.LCMapStringA(0x0409, lcflags::kMapUpperCase, u"a", out), 0);
    EXPECT_EQ(win.GetDateFormatA(0x0409, lcflags::kDateShortDate, Date(2024, 3, 5), nullptr, out, 255), 0);
    EXPECT_GT(win.GetTimeFormatA(0x0409, 0, Time(1, 2, 3), nullptr, out, 255), 0);
    EXPECT_EQ(win.CompareStringA(0x0407, 0, u"a", u"b"), 1);  // other locales unaffected
}

TEST(DateFormat, PicturesOfTheStandardLocales) {
    SimWindows win;
    const struct {
        int32_t lcid;
        const char16_t* picture;
        const char16_t* text;
    } cases[] = {
        {0x0409, u"dddd, MMMM dd, yyyy", u"Tuesday, March 05, 2024"},
        {0x0409, u"M/d/yy", u"3/5/24"},
        {0x0409, u"ddd d MMM yyyy", u"Tue 5 Mar 2024"},
        {0x0409, u"'Day' d", u"Day 5"},
        {0x0409, u"d 'o''clock'", u"5 o'clock"},
        {0x0409, u"''yy", u"'24"},
        {0x0409, u"y", u"24"},
        {0x0409, u"yyy", u"2024"},
        {0x0409, u"d/M", u"5/3"},
        {0x0407, u"dddd, d. MMMM yyyy", u"Dienstag, 5. M\u00E4rz 2024"},
        {0x040C, u"dddd d MMMM yyyy", u"mardi 5 mars 2024"},
    };
    for (const auto& c : cases) {
        String out;
        const String picture = c.picture;
        EXPECT_GT(win.GetDateFormatA(c.lcid, 0, Date(2024, 3, 5), &picture, out, 255), 0) << ToUtf8(c.picture);
        EXPECT_EQ(out, c.text) << ToUtf8(c.picture);
    }
}

TEST(DateFormat, DefaultPicturesAndFlags) {
    SimWindows win;
    String out;
    EXPECT_EQ(win.GetDateFormatA(0x0409, lcflags::kDateShortDate, Date(2009, 12, 31), nullptr, out, 255), 11);
    EXPECT_EQ(out, u"12/31/2009");
    EXPECT_GT(win.GetDateFormatA(0x0409, lcflags::kDateLongDate, Date(2009, 12, 31), nullptr, out, 255), 0);
    EXPECT_EQ(out, u"Thursday, December 31, 2009");
    EXPECT_GT(win.GetDateFormatA(0x0409, 0, Date(2009, 12, 31), nullptr, out, 255), 0);  // no flag: short
    EXPECT_EQ(out, u"12/31/2009");

    out = u"keep";
    const String picture = u"yyyy";
    const struct {
        uint32_t flags;
        const String* picture;
        SystemTime date;
    } failing[] = {
        {lcflags::kDateShortDate, &picture, Date(2009, 12, 31)},  // a picture with a default kind
        {lcflags::kDateShortDate | lcflags::kDateLongDate, nullptr, Date(2009, 12, 31)},
        {0, &picture, Date(2009, 2, 29)},  // no such day
        {0, &picture, Date(2009, 13, 1)},
        {0, &picture, Date(0, 0, 0)},
    };
    for (const auto& f : failing) {
        EXPECT_EQ(win.GetDateFormatA(0x0409, f.flags, f.date, f.picture, out, 255), 0);
        EXPECT_EQ(out, u"keep");
    }
    EXPECT_EQ(win.GetDateFormatA(0x0409, 0, Date(2009, 12, 31), &picture, out, 4), 0);  // five needed
    EXPECT_EQ(win.GetDateFormatA(0x0409, 0, Date(2009, 12, 31), &picture, out, 5), 5);
    EXPECT_EQ(out, u"2009");
    EXPECT_EQ(win.Calls(u"GetDateFormatA").at(0),
              (CallRecord{u"GetDateFormatA", {u"0x409", u"0x1", u"{2009,12,0,31,0,0,0,0}", u"NULL", u"255"}}));
}

TEST(TimeFormat, PicturesWithTheDateFieldsZero) {
    SimWindows win;
    const struct {
        SystemTime time;
        const char16_t* picture;
        const char16_t* text;
    } cases[] = {
        {Time(13, 4, 5), u"h:mm:ss tt", u"1:04:05 PM"},
        {Time(13, 4, 5), u"hh:mm:ss tt", u"01:04:05 PM"},
        {Time(13, 4, 5), u"HH:mm", u"13:04"},
        {Time(9, 7, 3), u"H:m:s", u"9:7:3"},
        {Time(0, 0, 0), u"h tt", u"12 AM"},
        {Time(12, 0, 0), u"h t", u"12 P"},
        {Time(23, 59, 59), u"hhh:mmm:sss", u"11:59:59"},
        {Time(8, 30, 0), u"HH' h 'mm", u"08 h 30"},
    };
    for (const auto& c : cases) {
        String out;
        const String picture = c.picture;
        EXPECT_GT(win.GetTimeFormatA(0x0409, 0, c.time, &picture, out, 255), 0) << ToUtf8(c.picture);
        EXPECT_EQ(out, c.text) << ToUtf8(c.picture);
    }
    String out;
    EXPECT_GT(win.GetTimeFormatA(0x0409, 0, Time(15, 30, 0), nullptr, out, 255), 0);
    EXPECT_EQ(out, u"3:30:00 PM");
    EXPECT_GT(win.GetTimeFormatA(0x0407, 0, Time(15, 30, 0), nullptr, out, 255), 0);
    EXPECT_EQ(out, u"15:30:00");
    out = u"keep";
    EXPECT_EQ(win.GetTimeFormatA(0x0409, 0, Time(24, 0, 0), nullptr, out, 255), 0);
    EXPECT_EQ(out, u"keep");
}

TEST(TimeFormat, PictureAndResultCrossTheCodePage) {
    SimWindows win;
    const String picture = u"H'\u6642'mm";
    String out;
    EXPECT_GT(win.GetTimeFormatA(0x0409, 0, Time(9, 5, 0), &picture, out, 255), 0);
    EXPECT_EQ(out, u"9?05");
    EXPECT_EQ(win.Calls(u"GetTimeFormatA").at(0).args.at(3), u"H'?'mm");
}

TEST(PictureLists, EnumerationInOrderWithTheDefaultFirst) {
    SimWindows win;
    EXPECT_EQ(Enumerate(win, 0x0409, lcflags::kDateShortDate),
              (std::vector<String>{u"M/d/yyyy", u"M/d/yy", u"MM/dd/yy", u"MM/dd/yyyy", u"yy/MM/dd", u"yyyy-MM-dd",
                                   u"dd-MMM-yy"}));
    EXPECT_EQ(
        Enumerate(win, 0x0409, lcflags::kDateLongDate),
        (std::vector<String>{u"dddd, MMMM dd, yyyy", u"MMMM dd, yyyy", u"dddd, dd MMMM, yyyy", u"dd MMMM, yyyy"}));
    EXPECT_EQ(Enumerate(win, 0x0409, 0, false),
              (std::vector<String>{u"h:mm:ss tt", u"hh:mm:ss tt", u"H:mm:ss", u"HH:mm:ss"}));
    EXPECT_EQ(win.Calls(u"EnumDateFormatsA").at(1), (CallRecord{u"EnumDateFormatsA", {u"0x409", u"0x2"}}));
}

TEST(PictureLists, CallbackStopsTheEnumeration) {
    SimWindows win;
    int calls = 0;
    EXPECT_EQ(win.EnumDateFormatsA(
                  [&](const String&) {
                      ++calls;
                      return calls < 2;
                  },
                  0x0409, lcflags::kDateShortDate),
              1);
    EXPECT_EQ(calls, 2);
}

TEST(PictureLists, StagedListsAndFailures) {
    auto db = std::make_shared<FixtureLocaleDatabase>();
    db->Locale(0x0413).LongDates({u"dddd d MMMM yyyy"}).ShortDates({u"d-M-yyyy", u"dd-MM-yy"});
    db->Locale(0x0418).Info(lc::kSShortDate, u"dd.MM.yyyy");  // information only
    db->Locale(0x0419).Installed(false).ShortDates({u"dd.MM.yyyy"});
    SimWindows win;
    win.SetLocaleDatabase(db);
    EXPECT_EQ(Enumerate(win, 0x0413, lcflags::kDateLongDate), (std::vector<String>{u"dddd d MMMM yyyy"}));
    EXPECT_EQ(Enumerate(win, 0x0418, lcflags::kDateShortDate), (std::vector<String>{u"dd.MM.yyyy"}));
    EXPECT_TRUE(Enumerate(win, 0x0418, lcflags::kDateLongDate).empty());
    String out;
    EXPECT_GT(win.GetLocaleInfoA(0x0413, lc::kSShortDate, out, 255), 0);
    EXPECT_EQ(out, u"d-M-yyyy");  // the first staged picture is the default

    auto never = [](const String&) { return true; };
    EXPECT_EQ(win.EnumDateFormatsA(never, 0x0419, lcflags::kDateShortDate), 0);  // not installed
    EXPECT_EQ(win.EnumDateFormatsA(never, 0x0C0A, lcflags::kDateShortDate), 0);  // unknown
    EXPECT_EQ(win.EnumDateFormatsA(never, 0x0413, 0x4), 0);                      // not a kind
    EXPECT_EQ(win.EnumDateFormatsA(nullptr, 0x0413, lcflags::kDateShortDate), 0);
    EXPECT_EQ(win.EnumTimeFormatsA(never, 0x0419, 0), 0);
}

TEST(Collation, CompareIsOrdinalWithOptionalCaseFolding) {
    SimWindows win;
    const struct {
        const char16_t* a;
        const char16_t* b;
        uint32_t flags;
        int32_t result;
    } cases[] = {
        {u"apple", u"banana", 0, 1}, {u"banana", u"apple", 0, 3}, {u"same", u"same", 0, 2},
        {u"Apple", u"apple", 0, 1},  {u"Apple", u"apple", 1, 2},  {u"\u00C9t\u00E9", u"\u00E9T\u00C9", 1, 2},
        {u"abc", u"ab", 0, 3},       {u"", u"a", 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win.CompareStringA(0x0409, c.flags, c.a, c.b), c.result) << ToUtf8(c.a) << " " << ToUtf8(c.b);
    }
    EXPECT_EQ(win.CompareStringA(0x0C0A, 0, u"a", u"b"), 0);  // unknown locale
    EXPECT_EQ(win.Calls(u"CompareStringA").at(0),
              (CallRecord{u"CompareStringA", {u"0x409", u"0x0", u"apple", u"banana"}}));
}

TEST(Collation, CaseMappingOfAsciiAndLatin1) {
    SimWindows win;
    String out;
    EXPECT_EQ(win.LCMapStringA(0x0409, lcflags::kMapUpperCase, u"stra\u00DFe \u00E0 \u00FF", out), 10);
    EXPECT_EQ(out, u"STRA\u00DFE \u00C0 \u0178");  // sharp s has no single capital
    EXPECT_EQ(win.LCMapStringA(0x0409, lcflags::kMapLowerCase, u"\u00C9COLE \u00D7", out), 7);
    EXPECT_EQ(out, u"\u00E9cole \u00D7");  // the multiplication sign is no letter
    out = u"keep";
    EXPECT_EQ(win.LCMapStringA(0x0409, lcflags::kMapUpperCase | lcflags::kMapLowerCase, u"a", out), 0);
    EXPECT_EQ(win.LCMapStringA(0x0C0A, lcflags::kMapUpperCase, u"a", out), 0);
    EXPECT_EQ(out, u"keep");
    // Characters outside the code page are lost on the way in.
    EXPECT_EQ(win.LCMapStringA(0x0409, lcflags::kMapUpperCase, u"a\u0431", out), 2);
    EXPECT_EQ(out, u"A?");
}

TEST(FixtureDatabase, DefaultAliasesCannotBeStaged) {
    FixtureLocaleDatabase db;
    EXPECT_THROW(db.Locale(0x0400), std::invalid_argument);
    EXPECT_THROW(db.Locale(0), std::invalid_argument);
    EXPECT_FALSE(db.Contains(0x0409));
    db.AddEnglishUnitedStates();
    EXPECT_TRUE(db.Contains(0x0409));
    EXPECT_EQ(db.GetInfo(0x0800, lc::kSAbbrevLangName), u"ENU");
    db.RemoveLocale(0x0409);
    EXPECT_FALSE(db.IsInstalled(0x0409));
}

}  // namespace
}  // namespace quibor15::sim
