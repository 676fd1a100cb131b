// Dates, times, day and month names.
#include "tests/locale/locale_world.hpp"

namespace quibor15::locale_testing {
namespace {

Date At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return Date{DateFromParts(year, month, day).serial + TimeFromParts(hour, minute, second).serial};
}

String FormatDate(_clsQuiborLocaleA& locale, Date date, Variant format) { return locale.FormatDate(date, format); }

class EnglishUnitedStatesDates : public testing::Test {
protected:
    Ref<_clsQuiborLocaleA> enu_ = Item(SharedIcuCatalogue()->get_Locales(), u"ENU");
    Date friday_ = At(2010, 11, 26, 13, 5, 9);
};

TEST_F(EnglishUnitedStatesDates, FormatDateByKindOrPicture) {
    EXPECT_EQ(FormatDate(*enu_, friday_, Variant(Integer{2})), u"11/26/2010");
    EXPECT_EQ(FormatDate(*enu_, friday_, Variant(Integer{1})), u"Friday, November 26, 2010");
    EXPECT_EQ(FormatDate(*enu_, friday_, Variant(Double{1.0})), u"Friday, November 26, 2010");
    EXPECT_EQ(FormatDate(*enu_, friday_, Variant(u"yyyy-MM-dd")), u"2010-11-26");
    // A text is always a picture, even one that reads as the number 1.
    EXPECT_EQ(FormatDate(*enu_, friday_, Variant(u"1")), u"1");
    EXPECT_EQ(FormatDate(*enu_, friday_, Variant(u"'Day' d")), u"Day 26");
}

TEST_F(EnglishUnitedStatesDates, EverythingButOneGivesTheShortDate) {
    for (const Variant& format : {Variant(), Variant::Null(), Variant(Integer{0}), Variant(Long{3}), Variant(kTrue),
                                  Variant::Missing(), Variant(Double{1.5})}) {
        EXPECT_EQ(FormatDate(*enu_, friday_, format), u"11/26/2010");
    }
}

TEST_F(EnglishUnitedStatesDates, FormatDateLeavesItsArgumentsAlone) {
    Date date = friday_;
    Variant format(u"dd");
    EXPECT_EQ(enu_->FormatDate(date, format), u"26");
    EXPECT_EQ(date, friday_);
    EXPECT_EQ(format, Variant(u"dd"));
}

TEST_F(EnglishUnitedStatesDates, FormatTimeByDefaultOrPicture) {
    String none;
    EXPECT_EQ(enu_->FormatTime(friday_, none), u"1:05:09 PM");
    String picture = u"HH:mm";
    EXPECT_EQ(enu_->FormatTime(friday_, picture), u"13:05");
    EXPECT_EQ(picture, u"HH:mm");
    Date midnight = At(2010, 11, 26);
    EXPECT_EQ(enu_->FormatTime(midnight, none), u"12:00:00 AM");
}

TEST_F(EnglishUnitedStatesDates, DayNames) {
    EXPECT_EQ(DayName(*enu_, 1), u"Monday");
    EXPECT_EQ(DayName(*enu_, 5), u"Friday");
    EXPECT_EQ(DayName(*enu_, 7), u"Sunday");
    EXPECT_EQ(DayName(*enu_, 7, true), u"Sun");
    EXPECT_EQ(DayName(*enu_, 1, true), u"Mon");
}

TEST_F(EnglishUnitedStatesDates, MonthNamesPlainAndAfterADay) {
    EXPECT_EQ(MonthName(*enu_, 1), u"January");
    EXPECT_EQ(MonthName(*enu_, 12, true), u"Dec");
    EXPECT_EQ(UsedMonthName(*enu_, 1), u"January");
    EXPECT_EQ(UsedMonthName(*enu_, 9, true), u"Sep");
}

TEST_F(EnglishUnitedStatesDates, IndexErrorsCarryNumberSourceAndDescription) {
    const auto day = ErrorOf([&] { DayName(*enu_, 0); });
    EXPECT_EQ(day.number, static_cast<int32_t>(0x80040000u));
    EXPECT_EQ(day.source, u"Locale");
    EXPECT_EQ(day.description, u"Day index out of range (1-7 only)");
    EXPECT_EQ(ErrorOf([&] { DayName(*enu_, 8, true); }).description, u"Day index out of range (1-7 only)");
    for (Integer bad : {Integer{0}, Integer{13}, Integer{-1}, Integer{32767}}) {
        for (auto read : {&MonthName, &UsedMonthName}) {
            const auto month = ErrorOf([&] { read(*enu_, bad, false); });
            EXPECT_EQ(month.number, static_cast<int32_t>(0x80040000u));
            EXPECT_EQ(month.source, u"Locale");
            EXPECT_EQ(month.description, u"Month index out of range (1-12 only)");
        }
    }
}

struct NameCase {
    Long lcid;
    int code_page;
    Integer month;
    std::u16string_view plain;
    std::u16string_view used;
};

class MonthNamesOnIcu : public testing::TestWithParam<NameCase> {};

TEST_P(MonthNamesOnIcu, PlainAndInDateForms) {
    const auto& p = GetParam();
    auto world = IcuWorld(p.code_page);
    auto locale = world.Locale(p.lcid);
    EXPECT_EQ(MonthName(*locale, p.month), p.plain);
    EXPECT_EQ(UsedMonthName(*locale, p.month), p.used);
}

INSTANTIATE_TEST_SUITE_P(Locales, MonthNamesOnIcu,
                         testing::Values(NameCase{kEnUs, 1252, 1, u"January", u"January"},
                                         NameCase{kEnGb, 1252, 11, u"November", u"November"},
                                         NameCase{kDeDe, 1252, 3, u"M\u00E4rz", u"M\u00E4rz"},
                                         NameCase{kFrFr, 1252, 8, u"ao\u00FBt", u"ao\u00FBt"},
                                         // Russian writes the genitive after a day number
                                         NameCase{kRuRu, 1251, 1, u"\u044F\u043D\u0432\u0430\u0440\u044C",
                                                  u"\u044F\u043D\u0432\u0430\u0440\u044F"},
                                         NameCase{kRuRu, 1251, 5, u"\u043C\u0430\u0439", u"\u043C\u0430\u044F"},
                                         NameCase{kJaJp, 932, 11, u"11\u6708", u"11\u6708"}));

TEST(DatesOnIcu, EachLocalesDefaultPictures) {
    const Date date = At(2010, 11, 26);
    const struct {
        Long lcid;
        int code_page;
        std::u16string_view short_date;
    } kCases[] = {{kEnGb, 1252, u"26/11/2010"},
                  {kDeDe, 1252, u"26.11.2010"},
                  {kFrFr, 1252, u"26/11/2010"},
                  {kRuRu, 1251, u"26.11.2010"},
                  {kJaJp, 932, u"2010/11/26"}};
    for (const auto& c : kCases) {
        auto world = IcuWorld(c.code_page);
        auto locale = world.Locale(c.lcid);
        EXPECT_EQ(FormatDate(*locale, date, Variant(Integer{2})), c.short_date);
        String none;
        Date time = At(2010, 11, 26, 13, 5, 9);
        EXPECT_EQ(locale->FormatTime(time, none), u"13:05:09");
    }
}

TEST(DatesOnIcu, RussianLongDateUsesTheGenitive) {
    auto world = IcuWorld(1251);
    auto locale = world.Locale(kRuRu);
    EXPECT_EQ(FormatDate(*locale, At(2010, 1, 5), Variant(u"d MMMM")), u"5 \u044F\u043D\u0432\u0430\u0440\u044F");
}

TEST(DatesOnIcu, FormatTimeKeepsAPictureOutsideTheSystemCodePage) {
    auto world = IcuWorld(1252);
    auto locale = world.Locale(kEnUs);
    Date time = At(2010, 11, 26, 13, 5, 9);
    String picture = u"HH'\u0447'mm";  // a Cyrillic letter that code page 1252 lacks
    EXPECT_EQ(locale->FormatTime(time, picture), u"13\u044705");
    EXPECT_EQ(picture, u"HH'\u0447'mm");
}

// Staged locales: what the real database cannot do.
TEST(DatesOnFixture, FailingFormattersAndNamesGiveEmptyTexts) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    db->AddEnglishUnitedStates()
        .FailDateFormat()
        .FailTimeFormat()
        .FailInfo(sim::lc::kSMonthName1)
        .FailInfo(sim::lc::kSDayName1 + 6);
    auto world = FixtureWorld(db);
    auto locale = world.Locale(kEnUs);
    const Date date = At(2010, 11, 26, 13, 5, 9);
    EXPECT_EQ(FormatDate(*locale, date, Variant(Integer{1})), u"");
    EXPECT_EQ(FormatDate(*locale, date, Variant(u"yyyy")), u"");
    String none, picture = u"HH";
    Date time = date;
    EXPECT_EQ(locale->FormatTime(time, none), u"");
    EXPECT_EQ(locale->FormatTime(time, picture), u"");
    EXPECT_EQ(MonthName(*locale, 1), u"");
    EXPECT_EQ(MonthName(*locale, 2), u"February");
    EXPECT_EQ(DayName(*locale, 7), u"");
    EXPECT_EQ(UsedMonthName(*locale, 1), u"");
}

TEST(DatesOnFixture, UsedMonthNameIsTheTextAfterTheFirstSpace) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    db->AddEnglishUnitedStates().MonthNames({u"Jan uary", u"February", u"March", u"April", u"May", u"June", u"July",
                                             u"August", u"September", u"October", u"November", u"December"});
    auto world = FixtureWorld(db);
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(UsedMonthName(*locale, 1), u"Jan uary");
    EXPECT_EQ(UsedMonthName(*locale, 2), u"February");
}

TEST(DatesOnFixture, PlatformCallsCarryTheirFixedArguments) {
    using sim::CallRecord;
    auto world = FixtureWorld(sim::FixtureLocaleDatabase::Standard());
    auto locale = world.Locale(kEnUs);
    world.windows->ClearLog();
    Date date = At(2010, 11, 26, 13, 5, 9);
    String none;
    String picture = u"HH:mm";
    FormatDate(*locale, date, Variant(Integer{1}));
    FormatDate(*locale, date, Variant());
    FormatDate(*locale, date, Variant(u"yyyy"));
    locale->FormatTime(date, none);
    locale->FormatTime(date, picture);
    UsedMonthName(*locale, 3, true);
    MonthName(*locale, 3, true);
    DayName(*locale, 3);
    const auto& calls = world.windows->Calls();
    const std::vector<CallRecord> expected = {
        {u"GetDateFormatA", {u"0x409", u"0x2", u"{2010,11,0,26,0,0,0,0}", u"NULL", u"255"}},
        {u"GetDateFormatA", {u"0x409", u"0x1", u"{2010,11,0,26,0,0,0,0}", u"NULL", u"255"}},
        {u"GetDateFormatA", {u"0x409", u"0x0", u"{2010,11,0,26,0,0,0,0}", u"yyyy", u"255"}},
        {u"GetTimeFormatA", {u"0x409", u"0x0", u"{0,0,0,0,13,5,9,0}", u"NULL", u"255"}},
        {u"GetTimeFormatA", {u"0x409", u"0x0", u"{0,0,0,0,13,5,9,0}", u"HH:mm", u"255"}},
        {u"GetDateFormatA", {u"0x409", u"0x0", u"{1999,3,0,21,0,0,0,0}", u"dd MMM", u"255"}},
        {u"GetLocaleInfoA", {u"0x409", u"0x46", u"255"}},
        {u"GetLocaleInfoA", {u"0x409", u"0x2C", u"255"}},
    };
    EXPECT_EQ(calls, expected);
}

TEST(DatesOnFixture, DatesOutsideTheDateTypeGiveEmptyTexts) {
    auto world = FixtureWorld(sim::FixtureLocaleDatabase::Standard());
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(FormatDate(*locale, Date{1e12}, Variant(Integer{2})), u"");
    String none;
    Date far{-1e12};
    EXPECT_EQ(locale->FormatTime(far, none), u"");
}

}  // namespace
}  // namespace quibor15::locale_testing
