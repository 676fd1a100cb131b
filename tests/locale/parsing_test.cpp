// LocaleCCur, LocaleCDate and LocaleDTime.
#include "tests/locale/locale_world.hpp"

namespace quibor15::locale_testing {
namespace {

int64_t Cur(_clsQuiborLocaleA& locale, String text) { return locale.LocaleCCur(text).scaled; }

Date ParseDate(_clsQuiborLocaleA& locale, String text) { return locale.LocaleCDate(text); }

Date Day(int year, int month, int day) { return DateFromParts(year, month, day); }

class EnglishUnitedStatesParsing : public testing::Test {
protected:
    Ref<_clsQuiborLocaleA> enu_ = Item(SharedIcuCatalogue()->get_Locales(), u"ENU");
};

TEST_F(EnglishUnitedStatesParsing, Amounts) {
    EXPECT_EQ(Cur(*enu_, u"$1,234.56"), 12345600);
    EXPECT_EQ(Cur(*enu_, u"($1,234.56)"), -12345600);
    // The negative mark of pattern 0 is the parenthesis, not the minus.
    EXPECT_EQ(Cur(*enu_, u"-$5.00"), 50000);
    EXPECT_EQ(Cur(*enu_, u"(.5"), -5000);
    EXPECT_RAISES(5, Cur(*enu_, u"$5"));
    EXPECT_RAISES(6, Cur(*enu_, u"$999,999,999,999,999.00"));
}

TEST_F(EnglishUnitedStatesParsing, AmountTextIsNotChanged) {
    String text = u"($1,234.56)";
    enu_->LocaleCCur(text);
    EXPECT_EQ(text, u"($1,234.56)");
}

struct DateCase {
    std::u16string_view text;
    int year, month, day;
};

class EnglishUnitedStatesDateParsing : public testing::TestWithParam<DateCase> {};

TEST_P(EnglishUnitedStatesDateParsing, ReadsTheDate) {
    auto enu = Item(SharedIcuCatalogue()->get_Locales(), u"ENU");
    String text(GetParam().text);
    EXPECT_EQ(enu->LocaleCDate(text), Day(GetParam().year, GetParam().month, GetParam().day));
    EXPECT_EQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Texts, EnglishUnitedStatesDateParsing,
                         testing::Values(DateCase{u"5/3/2010", 2010, 5, 3}, DateCase{u"March 5, 2010", 2010, 3, 5},
                                         DateCase{u"26 Nov 10", 2010, 11, 26},
                                         // the default short picture gives month 2010; yy/MM/dd gives the date
                                         DateCase{u"2010-11-26", 2010, 11, 26}, DateCase{u"2/29/2012", 2012, 2, 29},
                                         DateCase{u"1/1/49", 2049, 1, 1}, DateCase{u"1/1/50", 1950, 1, 1},
                                         DateCase{u"12/31/9999", 9999, 12, 31},
                                         DateCase{u"friday, NOVEMBER 26, 2010", 2010, 11, 26},
                                         DateCase{u"Nov 26 2010", 2010, 11, 26},
                                         DateCase{u"0005/0003/02010", 2010, 5, 3}));

TEST_F(EnglishUnitedStatesParsing, DatesThatAreNotReal) {
    for (std::u16string_view text : {u"2/30/2010", u"2/29/2011", u"13/13/2010", u"0/0/0"}) {
        const auto e = ErrorOf([&] { ParseDate(*enu_, String(text)); });
        EXPECT_EQ(e.number, static_cast<int32_t>(0x80040001u));
        EXPECT_EQ(e.source, u"Locale ENU");
        EXPECT_EQ(e.description, u"Unable to parse date");
    }
}

TEST_F(EnglishUnitedStatesParsing, DateErrorsOfTheRuntime) {
    EXPECT_RAISES(9, ParseDate(*enu_, u"Nov 26"));  // the long picture needs a year
    EXPECT_RAISES(9, ParseDate(*enu_, u"11/26"));   // the short picture needs three numbers
    EXPECT_RAISES(9, ParseDate(*enu_, u""));
    EXPECT_RAISES(6, ParseDate(*enu_, u"1/1/32768"));  // a number above 32767
    EXPECT_RAISES(5, ParseDate(*enu_, u"1/1/12345"));  // a year the date type cannot hold
}

TEST_F(EnglishUnitedStatesParsing, DTimeReturnsTheZeroDate) {
    for (std::u16string_view text : {u"13:05:09", u"", u"not a time"}) {
        String t(text);
        EXPECT_EQ(enu_->LocaleDTime(t), Date{0.0});
        EXPECT_EQ(t, text);
    }
}

struct LocaleDateCase {
    Long lcid;
    int code_page;
    std::u16string_view text;
    int year, month, day;
};

class DateParsingOnIcu : public testing::TestWithParam<LocaleDateCase> {};

TEST_P(DateParsingOnIcu, ReadsTheLocalesOwnDates) {
    const auto& p = GetParam();
    auto world = IcuWorld(p.code_page);
    auto locale = world.Locale(p.lcid);
    EXPECT_EQ(ParseDate(*locale, String(p.text)), Day(p.year, p.month, p.day));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, DateParsingOnIcu,
    testing::Values(LocaleDateCase{kEnGb, 1252, u"26/11/2010", 2010, 11, 26},
                    LocaleDateCase{kEnGb, 1252, u"5/3/10", 2010, 3, 5},
                    LocaleDateCase{kEnGb, 1252, u"26 November 2010", 2010, 11, 26},
                    LocaleDateCase{kDeDe, 1252, u"26.11.2010", 2010, 11, 26},
                    LocaleDateCase{kDeDe, 1252, u"Freitag, 26. November 2010", 2010, 11, 26},
                    LocaleDateCase{kDeDe, 1252, u"5. M\u00E4rz 2010", 2010, 3, 5},
                    LocaleDateCase{kFrFr, 1252, u"26/11/2010", 2010, 11, 26},
                    LocaleDateCase{kFrFr, 1252, u"vendredi 26 novembre 2010", 2010, 11, 26},
                    LocaleDateCase{kRuRu, 1251, u"26.11.2010", 2010, 11, 26},
                    // the genitive month name after the day number
                    LocaleDateCase{kRuRu, 1251, u"26 \u043D\u043E\u044F\u0431\u0440\u044F 2010 \u0433.", 2010, 11, 26},
                    LocaleDateCase{kRuRu, 1251, u"1 \u043C\u0430\u044F 2010", 2010, 5, 1},
                    LocaleDateCase{kJaJp, 932, u"2010/11/26", 2010, 11, 26},
                    // numbered month names: 11月 is November, not the 1月 inside it
                    LocaleDateCase{kJaJp, 932, u"2010\u5E7411\u670826\u65E5", 2010, 11, 26},
                    LocaleDateCase{kJaJp, 932, u"2010\u5E7412\u67081\u65E5", 2010, 12, 1},
                    LocaleDateCase{kJaJp, 932, u"2010\u5E741\u670831\u65E5", 2010, 1, 31}));

TEST(DateParsingOnIcu, RoundTripsEveryMonthThroughTheLongDate) {
    const struct {
        Long lcid;
        int code_page;
    } kLocales[] = {{kEnUs, 1252}, {kEnGb, 1252}, {kDeDe, 1252}, {kFrFr, 1252}, {kRuRu, 1251}, {kJaJp, 932}};
    for (const auto& l : kLocales) {
        auto world = IcuWorld(l.code_page);
        auto locale = world.Locale(l.lcid);
        for (int month = 1; month <= 12; ++month) {
            Date date = Day(2011, month, 17);
            Variant long_date(Integer{1}), short_date(Integer{2});
            String written = locale->FormatDate(date, long_date);
            EXPECT_EQ(locale->LocaleCDate(written), date) << std::hex << l.lcid << std::dec << " month " << month;
            written = locale->FormatDate(date, short_date);
            EXPECT_EQ(locale->LocaleCDate(written), date) << std::hex << l.lcid << std::dec << " month " << month;
        }
    }
}

TEST(CurrencyParsingOnIcu, CommaDecimalAndNegativePatternEight) {
    auto world = IcuWorld();
    auto locale = world.Locale(kDeDe);
    EXPECT_EQ(Cur(*locale, u"-1.234,56 \u20AC"), -12345600);
    EXPECT_EQ(Cur(*locale, u"1.234,56 \u20AC"), 12345600);
    // the locale's own text reads back
    Double value = -98765.43;
    Boolean yes = kTrue;
    EXPECT_EQ(Cur(*locale, locale->FormatCurrency(value, yes, yes)), -987654300);
}

// Staged locales.
TEST(DateParsingOnFixture, LaterPicturesOfTheSameKindAreTriedInListOrder) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    db->AddEnglishUnitedStates()
        .ShortDates({u"d/M/yyyy", u"yyyy/d/M", u"yyyy/M/d"})
        .LongDates({u"MMMM yyyy", u"yyyy d MMMM", u"d MMMM yyyy"});
    auto world = FixtureWorld(db);
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(ParseDate(*locale, u"31/12/2010"), Day(2010, 12, 31));
    // d/M/yyyy gives month 2010; yyyy/d/M gives month 31; yyyy/M/d fits
    EXPECT_EQ(ParseDate(*locale, u"2010/12/31"), Day(2010, 12, 31));
    // yyyy/d/M is before yyyy/M/d: 2010/5/3 is the fifth of March
    EXPECT_EQ(ParseDate(*locale, u"2010/5/3"), Day(2010, 3, 5));
    // MMMM yyyy takes the year only (day 0); the next long picture fits
    EXPECT_EQ(ParseDate(*locale, u"2010 5 March"), Day(2010, 3, 5));
}

TEST(DateParsingOnFixture, ShortPicturesAreNotTriedForNames) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    db->AddEnglishUnitedStates().ShortDates({u"M/d/yyyy", u"d yyyy"}).LongDates({u"MMMM yyyy", u"MMMM"});
    auto world = FixtureWorld(db);
    auto locale = world.Locale(kEnUs);
    // "d yyyy" with the named month would fit, but it is a short picture.
    EXPECT_EQ(ErrorOf([&] { ParseDate(*locale, u"March 5 2010"); }).number, static_cast<int32_t>(0x80040001u));
}

TEST(DateParsingOnFixture, LongPicturesAreNotTriedForNumbers) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    db->AddEnglishUnitedStates().ShortDates({u"M/d/yyyy", u"d/M/yyyy"}).LongDates({u"MMMM yyyy", u"yyyy.M.d"});
    auto world = FixtureWorld(db);
    auto locale = world.Locale(kEnUs);
    // "yyyy.M.d" would fit, but it is a long picture.
    EXPECT_EQ(ErrorOf([&] { ParseDate(*locale, u"2010/3/5"); }).number, static_cast<int32_t>(0x80040001u));
}

TEST(DateParsingOnFixture, MonthNamesAreSoughtSetBySetLowerMonthsFirst) {
    auto world = FixtureWorld(sim::FixtureLocaleDatabase::Standard());
    auto locale = world.Locale(kEnUs);
    // Two full names: the lower month wins.
    EXPECT_EQ(ParseDate(*locale, u"December or March 5, 2010"), Day(2010, 3, 5));
    // A full name beats an abbreviation of a lower month.
    EXPECT_EQ(ParseDate(*locale, u"Jan? no: October 5, 2010"), Day(2010, 10, 5));
}

TEST(DateParsingOnFixture, AMonthNameThePlatformCannotGiveNamesNoMonth) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    auto enu = db->AddEnglishUnitedStates();
    for (uint32_t m = 0; m < 12; ++m) enu.FailInfo(sim::lc::kSMonthName1 + m).FailInfo(sim::lc::kSAbbrevMonthName1 + m);
    enu.FailDateFormat();
    auto world = FixtureWorld(db);
    auto locale = world.Locale(kEnUs);
    // No name is found, so the numbers go by the short picture.
    EXPECT_EQ(ParseDate(*locale, u"5/3/2010"), Day(2010, 5, 3));
}

TEST(DateParsingOnFixture, ErrorSourceNamesTheLocalesAbbreviation) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    auto world = FixtureWorld(db);
    auto locale = world.Locale(kDeDe);
    const auto e = ErrorOf([&] { ParseDate(*locale, u"31.2.2010"); });
    EXPECT_EQ(e.number, static_cast<int32_t>(0x80040001u));
    EXPECT_EQ(e.source, u"Locale DEU");
    EXPECT_EQ(e.description, u"Unable to parse date");
}

TEST(DateParsingOnFixture, EntriesAddedByTheCallerTakePart) {
    auto world = FixtureWorld(sim::FixtureLocaleDatabase::Standard());
    auto locale = world.Locale(kEnUs);
    auto extra = MakeRef<clsQuiborDTFormatA>(world.context);
    String picture = u"d.M.yyyy";
    extra->let_DTFormat(picture);
    extra->let_DTFType(dtfShortDate);
    Ref<_clsQuiborDTFormatA> entry = extra;
    locale->get_DateFormats()->Add(entry);
    EXPECT_EQ(ParseDate(*locale, u"31.12.2010"), Day(2010, 12, 31));
    // An entry of Nothing in the list stops the search with error 91.
    Ref<_clsQuiborDTFormatA> nothing;
    auto formats = locale->get_DateFormats();
    Variant first(Long{1});
    while (formats->get_Count() > 0) formats->Remove(first);
    formats->Add(nothing);
    EXPECT_RAISES(91, ParseDate(*locale, u"31.12.2010"));
}

TEST(CurrencyParsingOnFixture, NegativeMarkFollowsThePattern) {
    const struct {
        std::u16string_view pattern;
        std::u16string_view text;
        int64_t scaled;
    } kCases[] = {{u"4", u"(5.00$)", -50000}, {u"4", u"-5.00$", 50000},    {u"1", u"-$5.00", -50000},
                  {u"1", u"($5.00)", 50000},  {u"15", u"(5.00 $)", 50000}, {u"8", u"-5.00 $", -50000}};
    for (const auto& c : kCases) {
        auto db = sim::FixtureLocaleDatabase::Standard();
        db->AddEnglishUnitedStates().Info(sim::lc::kINegCurr, String(c.pattern));
        auto world = FixtureWorld(db);
        auto locale = world.Locale(kEnUs);
        EXPECT_EQ(Cur(*locale, String(c.text)), c.scaled) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(CurrencyParsingOnFixture, FailingLocaleValues) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    db->AddEnglishUnitedStates().FailInfo(sim::lc::kSDecimal);
    auto world = FixtureWorld(db);
    auto locale = world.Locale(kEnUs);
    EXPECT_RAISES(5, Cur(*locale, u"$5.00"));  // no separator to find
    auto db2 = sim::FixtureLocaleDatabase::Standard();
    db2->AddEnglishUnitedStates().FailInfo(sim::lc::kINegCurr);
    auto world2 = FixtureWorld(db2);
    auto locale2 = world2.Locale(kEnUs);
    EXPECT_RAISES(13, Cur(*locale2, u"$5.00"));
}

}  // namespace
}  // namespace quibor15::locale_testing
