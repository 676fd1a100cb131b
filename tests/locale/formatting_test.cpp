// FormatCurrency and FormatNumber on real and staged locales.
#include "tests/locale/locale_world.hpp"

namespace quibor15::locale_testing {
namespace {

String Currency(_clsQuiborLocaleA& locale, double value, bool grouping = true, bool symbol = true) {
    Double v = value;
    Boolean g = Boolean::From(grouping), s = Boolean::From(symbol);
    return locale.FormatCurrency(v, g, s);
}

String Number(_clsQuiborLocaleA& locale, double value, Integer digits = 2, bool grouping = true) {
    Double v = value;
    Boolean g = Boolean::From(grouping);
    return locale.FormatNumber(v, digits, g);
}

class EnglishUnitedStatesFormatting : public testing::Test {
protected:
    Ref<_clsQuiborLocaleA> enu_ = Item(SharedIcuCatalogue()->get_Locales(), u"ENU");
};

TEST_F(EnglishUnitedStatesFormatting, Currency) {
    EXPECT_EQ(Currency(*enu_, 1234567.891), u"$1,234,567.89");
    EXPECT_EQ(Currency(*enu_, 1234567.891, false), u"$1234567.89");
    EXPECT_EQ(Currency(*enu_, 1234567.891, true, false), u"1,234,567.89");
    EXPECT_EQ(Currency(*enu_, -1234.5), u"($1,234.50)");
    EXPECT_EQ(Currency(*enu_, 0), u"$.00");
    EXPECT_EQ(Currency(*enu_, 1.996), u"$2.00");
}

TEST_F(EnglishUnitedStatesFormatting, Number) {
    EXPECT_EQ(Number(*enu_, -1234.5), u"(1,234.50)");
    EXPECT_EQ(Number(*enu_, 0.5), u".50");
    EXPECT_EQ(Number(*enu_, 1234567890.25, 2), u"1,234,567,890.25");
    EXPECT_EQ(Number(*enu_, 999, 2), u"999.00");
    EXPECT_EQ(Number(*enu_, 2.5, 3), u"2.500");
    EXPECT_EQ(Number(*enu_, -0.001, 2), u"(.00)");
    EXPECT_EQ(Number(*enu_, 1234.5, 0), u"1,235");
    EXPECT_EQ(Number(*enu_, 0.25, 0), u"0");
}

TEST_F(EnglishUnitedStatesFormatting, ArgumentsAreNotChanged) {
    Double v = -1234.5;
    Boolean g = Boolean{7}, s = Boolean{-1};
    Integer digits = 3;
    EXPECT_EQ(enu_->FormatCurrency(v, g, s), u"($1,234.50)");  // any non-zero groups
    EXPECT_EQ(enu_->FormatNumber(v, digits, g), u"(1,234.500)");
    EXPECT_EQ(v, -1234.5);
    EXPECT_EQ(g, Boolean{7});
    EXPECT_EQ(digits, 3);
}

TEST_F(EnglishUnitedStatesFormatting, Errors) {
    EXPECT_RAISES(5, Number(*enu_, 1, -1));
    EXPECT_RAISES(6, Number(*enu_, 1, 400));
}

struct LocaleAmountCase {
    Long lcid;
    double value;
    std::u16string_view currency;
};

class CurrencyOnIcu : public testing::TestWithParam<LocaleAmountCase> {};

TEST_P(CurrencyOnIcu, ComposesFromTheLocalesConventions) {
    auto world = IcuWorld();
    auto locale = world.Locale(GetParam().lcid);
    EXPECT_EQ(Currency(*locale, GetParam().value), GetParam().currency);
}

INSTANTIATE_TEST_SUITE_P(Locales, CurrencyOnIcu,
                         testing::Values(LocaleAmountCase{kEnGb, 1234.5, u"\u00A31,234.50"},
                                         LocaleAmountCase{kEnGb, -1234.5, u"-\u00A31,234.50"},
                                         LocaleAmountCase{kDeDe, 1234.5, u"1.234,50 \u20AC"},
                                         LocaleAmountCase{kDeDe, -1234.5, u"-1.234,50 \u20AC"},
                                         LocaleAmountCase{kDeDe, 0.5, u",50 \u20AC"}));

// The staged locales of the fixture database.
class StagedFormatting : public testing::Test {
protected:
    std::shared_ptr<sim::FixtureLocaleDatabase> db_ = sim::FixtureLocaleDatabase::Standard();
};

TEST_F(StagedFormatting, TrailingSymbolWithASpaceIsTrimmedWithoutTheSymbol) {
    db_->AddEnglishUnitedStates().Info(sim::lc::kICurrency, u"3").Info(sim::lc::kSCurrency, u"kr");
    auto world = FixtureWorld(db_);
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(Currency(*locale, 5), u"5.00 kr");
    EXPECT_EQ(Currency(*locale, 5, true, false), u"5.00");
}

TEST_F(StagedFormatting, NumberUsesTheCurrencyPatternsNotTheNumberPatterns) {
    db_->AddEnglishUnitedStates().Info(sim::lc::kINegCurr, u"9").Info(sim::lc::kINegNumber, u"1");
    auto world = FixtureWorld(db_);
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(Number(*locale, -1.5), u"- 1.50");
    EXPECT_EQ(Currency(*locale, -1.5), u"-$ 1.50");
    db_->AddEnglishUnitedStates().Info(sim::lc::kINegCurr, u"14");
    EXPECT_EQ(Number(*locale, -1.5), u"( 1.50)");
}

TEST_F(StagedFormatting, CurrencyTakesItsDigitCountFromTheLocale) {
    db_->AddEnglishUnitedStates().Info(sim::lc::kIDigits, u"3").Info(sim::lc::kICurrDigits, u"0");
    auto world = FixtureWorld(db_);
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(Currency(*locale, 1234.5), u"$1,234.500");
    db_->AddEnglishUnitedStates().Info(sim::lc::kIDigits, u"0");
    EXPECT_EQ(Currency(*locale, 1234.5), u"$1,235");
}

TEST_F(StagedFormatting, OnlyTheFirstCharacterOfSeparatorsAndGroupingCounts) {
    db_->AddEnglishUnitedStates()
        .Info(sim::lc::kSGrouping, u"3;2;0")
        .Info(sim::lc::kSDecimal, u"::")
        .Info(sim::lc::kSThousand, u"'x");
    auto world = FixtureWorld(db_);
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(Number(*locale, 12345678.5), u"12'345'678:50");
}

TEST_F(StagedFormatting, AFailingLocaleValueIsATypeMismatch) {
    for (uint32_t code : {sim::lc::kSGrouping, sim::lc::kINegCurr, sim::lc::kICurrency}) {
        auto db = sim::FixtureLocaleDatabase::Standard();
        db->AddEnglishUnitedStates().FailInfo(code);
        auto world = FixtureWorld(db);
        auto locale = world.Locale(kEnUs);
        EXPECT_RAISES(13, Number(*locale, 1.5)) << code;
        EXPECT_RAISES(13, Currency(*locale, 1.5)) << code;
    }
    // The currency digit count matters to FormatCurrency only.
    db_->AddEnglishUnitedStates().FailInfo(sim::lc::kIDigits);
    auto world = FixtureWorld(db_);
    auto locale = world.Locale(kEnUs);
    EXPECT_RAISES(13, Currency(*locale, 1.5));
    EXPECT_EQ(Number(*locale, 1.5), u"1.50");
}

TEST_F(StagedFormatting, FailingSeparatorsAndSymbolLeaveTheirSlotsEmpty) {
    db_->AddEnglishUnitedStates()
        .FailInfo(sim::lc::kSDecimal)
        .FailInfo(sim::lc::kSThousand)
        .FailInfo(sim::lc::kSCurrency);
    auto world = FixtureWorld(db_);
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(Currency(*locale, 1234.5), u"123450");
}

}  // namespace
}  // namespace quibor15::locale_testing
