#include "platform/icu/picture_formatter.hpp"

#include <gtest/gtest.h>

#include <string>

#include "platform/icu/info_codes.hpp"

namespace quibor15::icu_backend {
namespace {

// Names with a genitive that differs from the nominative, so each test can
// see which form a picture picks.
DateNames MadeUpNames() {
    DateNames names;
    for (int m = 1; m <= 12; ++m) {
        const std::string digits = std::to_string(m);
        const std::u16string number(digits.begin(), digits.end());
        names.months_format.push_back(u"gen" + number);
        names.months_standalone.push_back(u"nom" + number);
        names.abbrev_months_format.push_back(u"g" + number);
        names.abbrev_months_standalone.push_back(u"n" + number);
    }
    names.days = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
    names.abbrev_days = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
    names.eras = {u"BC", u"AD"};
    names.am = u"AM";
    names.pm = u"PM";
    return names;
}

DateFields Date(int year, int month, int day) {
    DateFields fields;
    fields.year = year;
    fields.month = month;
    fields.day = day;
    fields.day_of_week = DayOfWeek(year, month, day);
    return fields;
}

struct DateCase {
    const char16_t* picture;
    const char16_t* expected;
};

class FormatDatePictureTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(FormatDatePictureTest, WritesFields) {
    EXPECT_EQ(FormatDatePicture(GetParam().picture, Date(2010, 3, 5), MadeUpNames()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, FormatDatePictureTest,
                         ::testing::Values(DateCase{u"d", u"5"}, DateCase{u"dd", u"05"}, DateCase{u"ddd", u"Fri"},
                                           DateCase{u"dddd", u"Friday"}, DateCase{u"ddddd", u"Friday"},
                                           DateCase{u"M", u"3"}, DateCase{u"MM", u"03"}, DateCase{u"MMM", u"n3"},
                                           DateCase{u"MMMM", u"nom3"}, DateCase{u"d MMM", u"5 g3"},
                                           DateCase{u"dd MMMM", u"05 gen3"}, DateCase{u"dddd MMMM", u"Friday nom3"},
                                           DateCase{u"y", u"10"}, DateCase{u"yy", u"10"}, DateCase{u"yyy", u"2010"},
                                           DateCase{u"yyyy", u"2010"}, DateCase{u"yyyyy", u"2010"},
                                           DateCase{u"g", u"AD"}, DateCase{u"gg", u"AD"}, DateCase{u"'d' d", u"d 5"},
                                           DateCase{u"'it''s' d", u"it's 5"}, DateCase{u"hh:mm d", u"hh:mm 5"},
                                           DateCase{u"'MMMM' d", u"MMMM 5"}));

TEST(FormatDatePictureTest, SmallYears) {
    const DateNames names = MadeUpNames();
    EXPECT_EQ(FormatDatePicture(u"y yy yyyy", Date(2005, 1, 1), names), u"5 05 2005");
    EXPECT_EQ(FormatDatePicture(u"yyyy", Date(100, 1, 1), names), u"0100");
    DateFields era_year = Date(2010, 1, 1);
    era_year.year = 22;
    era_year.era_year = true;
    EXPECT_EQ(FormatDatePicture(u"yyyy", era_year, names), u"22");
}

struct TimeCase {
    const char16_t* picture;
    uint32_t flags;
    const char16_t* expected;
};

class FormatTimePictureTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(FormatTimePictureTest, WritesFields) {
    EXPECT_EQ(FormatTimePicture(GetParam().picture, TimeFields{13, 5, 9}, MadeUpNames(), GetParam().flags),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, FormatTimePictureTest,
                         ::testing::Values(TimeCase{u"h", 0, u"1"}, TimeCase{u"hh", 0, u"01"},
                                           TimeCase{u"hhh", 0, u"01"}, TimeCase{u"H", 0, u"13"},
                                           TimeCase{u"HH", 0, u"13"}, TimeCase{u"m", 0, u"5"},
                                           TimeCase{u"mm", 0, u"05"}, TimeCase{u"s", 0, u"9"},
                                           TimeCase{u"ss", 0, u"09"}, TimeCase{u"t", 0, u"P"},
                                           TimeCase{u"tt", 0, u"PM"}, TimeCase{u"h:mm:ss tt", 0, u"1:05:09 PM"},
                                           TimeCase{u"'h' H", 0, u"h 13"}, TimeCase{u"dd H", 0, u"dd 13"},
                                           TimeCase{u"h:mm:ss tt", timeflags::kNoSeconds, u"1:05 PM"},
                                           TimeCase{u"h:mm:ss tt", timeflags::kNoMinutesOrSeconds, u"1 PM"},
                                           TimeCase{u"h:mm:ss tt", timeflags::kNoTimeMarker, u"1:05:09"},
                                           TimeCase{u"tt h:mm:ss", timeflags::kNoTimeMarker, u"1:05:09"},
                                           TimeCase{u"h:mm:ss tt", timeflags::kForce24Hour, u"13:05:09"}));

TEST(FormatTimePictureTest, MidnightAndNoonAreTwelve) {
    const DateNames names = MadeUpNames();
    EXPECT_EQ(FormatTimePicture(u"h tt", TimeFields{0, 0, 0}, names), u"12 AM");
    EXPECT_EQ(FormatTimePicture(u"h tt", TimeFields{12, 0, 0}, names), u"12 PM");
    EXPECT_EQ(FormatTimePicture(u"HH", TimeFields{0, 0, 0}, names), u"00");
}

TEST(GregorianCalendarTest, ValidatesDates) {
    EXPECT_TRUE(IsValidGregorianDate(2012, 2, 29));
    EXPECT_FALSE(IsValidGregorianDate(2011, 2, 29));
    EXPECT_TRUE(IsValidGregorianDate(2000, 2, 29));
    EXPECT_FALSE(IsValidGregorianDate(1900, 2, 29));
    EXPECT_FALSE(IsValidGregorianDate(2010, 0, 1));
    EXPECT_FALSE(IsValidGregorianDate(2010, 13, 1));
    EXPECT_FALSE(IsValidGregorianDate(2010, 4, 31));
    EXPECT_FALSE(IsValidGregorianDate(2010, 1, 0));
}

TEST(GregorianCalendarTest, ComputesDayOfWeek) {
    EXPECT_EQ(DayOfWeek(2010, 11, 26), 5);  // Friday
    EXPECT_EQ(DayOfWeek(2000, 1, 1), 6);    // Saturday
    EXPECT_EQ(DayOfWeek(1970, 1, 1), 4);    // Thursday
    EXPECT_EQ(DayOfWeek(1, 1, 1), 1);       // Monday, proleptic
    EXPECT_EQ(DayOfWeek(9999, 12, 31), 5);  // Friday
}

}  // namespace
}  // namespace quibor15::icu_backend
