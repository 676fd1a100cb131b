#include "platform/icu/windows_locale_tables.hpp"

#include <gtest/gtest.h>

namespace quibor15::icu_backend {
namespace {

struct AbbreviationCase {
    int32_t lcid;
    const char16_t* abbreviation;
};

class KnownAbbreviationTest : public ::testing::TestWithParam<AbbreviationCase> {};

TEST_P(KnownAbbreviationTest, ListsTheWindowsValue) {
    const auto found = KnownAbbreviation(GetParam().lcid);
    ASSERT_TRUE(found.has_value()) << std::hex << GetParam().lcid;
    EXPECT_EQ(*found, GetParam().abbreviation);
}

INSTANTIATE_TEST_SUITE_P(
    Common, KnownAbbreviationTest,
    ::testing::Values(
        AbbreviationCase{0x0409, u"ENU"}, AbbreviationCase{0x0809, u"ENG"}, AbbreviationCase{0x0C09, u"ENA"},
        AbbreviationCase{0x1009, u"ENC"}, AbbreviationCase{0x0407, u"DEU"}, AbbreviationCase{0x0807, u"DES"},
        AbbreviationCase{0x0C07, u"DEA"}, AbbreviationCase{0x040C, u"FRA"}, AbbreviationCase{0x0C0C, u"FRC"},
        AbbreviationCase{0x080C, u"FRB"}, AbbreviationCase{0x100C, u"FRS"}, AbbreviationCase{0x0C0A, u"ESN"},
        AbbreviationCase{0x040A, u"ESP"}, AbbreviationCase{0x080A, u"ESM"}, AbbreviationCase{0x0410, u"ITA"},
        AbbreviationCase{0x0810, u"ITS"}, AbbreviationCase{0x0413, u"NLD"}, AbbreviationCase{0x0813, u"NLB"},
        AbbreviationCase{0x0416, u"PTB"}, AbbreviationCase{0x0816, u"PTG"}, AbbreviationCase{0x0411, u"JPN"},
        AbbreviationCase{0x0412, u"KOR"}, AbbreviationCase{0x0804, u"CHS"}, AbbreviationCase{0x0404, u"CHT"},
        AbbreviationCase{0x0419, u"RUS"}, AbbreviationCase{0x0415, u"PLK"}, AbbreviationCase{0x0405, u"CSY"},
        AbbreviationCase{0x041D, u"SVE"}, AbbreviationCase{0x0414, u"NOR"}, AbbreviationCase{0x0406, u"DAN"},
        AbbreviationCase{0x040B, u"FIN"}, AbbreviationCase{0x041F, u"TRK"}, AbbreviationCase{0x0408, u"ELL"},
        AbbreviationCase{0x040E, u"HUN"}, AbbreviationCase{0x040D, u"HEB"}, AbbreviationCase{0x0401, u"ARA"},
        AbbreviationCase{0x041E, u"THA"}, AbbreviationCase{0x0422, u"UKR"}));

TEST(KnownAbbreviationTest, UnlistedIdentifiersHaveNone) {
    EXPECT_FALSE(KnownAbbreviation(0x7FFF).has_value());
    EXPECT_FALSE(KnownAbbreviation(0x0009).has_value());
}

TEST(DeriveAbbreviationTest, UsesLanguageAndCountryInitial) {
    EXPECT_EQ(DeriveAbbreviation("en", u"Kenya", "KE"), u"ENK");
    EXPECT_EQ(DeriveAbbreviation("fr", u"réunion", "RE"), u"FRR");
    EXPECT_EQ(DeriveAbbreviation("fr", u"\u00C9tat", "XX"), u"FRX");  // not a plain Latin letter
    EXPECT_EQ(DeriveAbbreviation("fil", u"Philippines", "PH"), u"FIL");
}

TEST(AnsiCodePageTest, FollowsScriptAndLanguage) {
    EXPECT_EQ(AnsiCodePage("en", "Latn"), 1252);
    EXPECT_EQ(AnsiCodePage("pl", "Latn"), 1250);
    EXPECT_EQ(AnsiCodePage("tr", "Latn"), 1254);
    EXPECT_EQ(AnsiCodePage("lt", "Latn"), 1257);
    EXPECT_EQ(AnsiCodePage("vi", "Latn"), 1258);
    EXPECT_EQ(AnsiCodePage("ru", "Cyrl"), 1251);
    EXPECT_EQ(AnsiCodePage("el", "Grek"), 1253);
    EXPECT_EQ(AnsiCodePage("he", "Hebr"), 1255);
    EXPECT_EQ(AnsiCodePage("ar", "Arab"), 1256);
    EXPECT_EQ(AnsiCodePage("th", "Thai"), 874);
    EXPECT_EQ(AnsiCodePage("ja", "Jpan"), 932);
    EXPECT_EQ(AnsiCodePage("zh", "Hans"), 936);
    EXPECT_EQ(AnsiCodePage("ko", "Kore"), 949);
    EXPECT_EQ(AnsiCodePage("zh", "Hant"), 950);
    EXPECT_EQ(AnsiCodePage("hi", "Deva"), 0);
}

TEST(WindowsCalendarIdTest, MapsIcuCalendarTypes) {
    EXPECT_EQ(WindowsCalendarId("gregorian"), 1);
    EXPECT_EQ(WindowsCalendarId("japanese"), 3);
    EXPECT_EQ(WindowsCalendarId("roc"), 4);
    EXPECT_EQ(WindowsCalendarId("islamic"), 6);
    EXPECT_EQ(WindowsCalendarId("buddhist"), 7);
    EXPECT_EQ(WindowsCalendarId("hebrew"), 8);
    EXPECT_EQ(WindowsCalendarId("persian"), 22);
    EXPECT_EQ(WindowsCalendarId("islamic-umalqura"), 23);
    EXPECT_EQ(WindowsCalendarId("ethiopic"), 0);
    EXPECT_TRUE(IsEraYearCalendar(3));
    EXPECT_FALSE(IsEraYearCalendar(1));
}

TEST(WindowsSortSuffixTest, NamesTraditionalSpanish) {
    EXPECT_EQ(WindowsSortSuffix("traditional"), "tradnl");
    EXPECT_EQ(WindowsSortSuffix("standard"), "");
}

}  // namespace
}  // namespace quibor15::icu_backend
