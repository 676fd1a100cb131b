// Composing numbers and amounts from a locale's conventions.
#include "locale/amount_composer.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "quibor15/error.hpp"

namespace quibor15::locale_services {
namespace {

int32_t ErrorNumberOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return e.Number();
    }
    return 0;
}

AmountConventions Conventions(Long negative, Long positive, String decimal = u".", String group = u",") {
    AmountConventions c;
    c.grouping = 3;
    c.decimal = std::move(decimal);
    c.group = std::move(group);
    c.negative_pattern = negative;
    c.positive_pattern = positive;
    return c;
}

struct PatternCase {
    Long pattern;
    std::u16string_view with_symbol;
    std::u16string_view without_symbol;
};

class NegativePatternTest : public testing::TestWithParam<PatternCase> {};

TEST_P(NegativePatternTest, LaysOutANegativeAmount) {
    const auto c = Conventions(GetParam().pattern, 0);
    EXPECT_EQ(ComposeAmount(-1234.5, 2, true, u"$", c), GetParam().with_symbol);
    EXPECT_EQ(ComposeAmount(-1.5, 2, true, u"", c), GetParam().without_symbol);
}

INSTANTIATE_TEST_SUITE_P(
    AllSixteen, NegativePatternTest,
    testing::Values(PatternCase{0, u"($1,234.50)", u"(1.50)"}, PatternCase{1, u"-$1,234.50", u"-1.50"},
                    PatternCase{2, u"$-1,234.50", u"-1.50"}, PatternCase{3, u"$1,234.50-", u"1.50-"},
                    PatternCase{4, u"(1,234.50$)", u"(1.50)"}, PatternCase{5, u"-1,234.50$", u"-1.50"},
                    PatternCase{6, u"1,234.50-$", u"1.50-"}, PatternCase{7, u"1,234.50$-", u"1.50-"},
                    PatternCase{8, u"-1,234.50 $", u"-1.50"}, PatternCase{9, u"-$ 1,234.50", u"- 1.50"},
                    PatternCase{10, u"1,234.50 $-", u"1.50 -"}, PatternCase{11, u"$ 1,234.50-", u"1.50-"},
                    PatternCase{12, u"$ -1,234.50", u"-1.50"}, PatternCase{13, u"1,234.50- $", u"1.50-"},
                    PatternCase{14, u"($ 1,234.50)", u"( 1.50)"}, PatternCase{15, u"(1,234.50 $)", u"(1.50 )"},
                    // any other value lays out as 1
                    PatternCase{16, u"-$1,234.50", u"-1.50"}, PatternCase{-1, u"-$1,234.50", u"-1.50"}));

class PositivePatternTest : public testing::TestWithParam<PatternCase> {};

TEST_P(PositivePatternTest, LaysOutAPositiveAmount) {
    const auto c = Conventions(0, GetParam().pattern);
    EXPECT_EQ(ComposeAmount(1234.5, 2, true, u"kr", c), GetParam().with_symbol);
    EXPECT_EQ(ComposeAmount(5, 2, true, u"", c), GetParam().without_symbol);
}

INSTANTIATE_TEST_SUITE_P(AllFour, PositivePatternTest,
                         testing::Values(PatternCase{0, u"kr1,234.50", u"5.00"}, PatternCase{1, u"1,234.50kr", u"5.00"},
                                         PatternCase{2, u"kr 1,234.50", u"5.00"},
                                         PatternCase{3, u"1,234.50 kr", u"5.00"},
                                         PatternCase{4, u"kr1,234.50", u"5.00"},
                                         PatternCase{99, u"kr1,234.50", u"5.00"}));

struct AmountCase {
    double value;
    Integer digits;
    bool grouping;
    std::u16string_view text;
};

class ComposeAmountTest : public testing::TestWithParam<AmountCase> {};

TEST_P(ComposeAmountTest, WritesIntegerAndFraction) {
    const auto& p = GetParam();
    EXPECT_EQ(ComposeAmount(p.value, p.digits, p.grouping, u"", Conventions(0, 0)), p.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ComposeAmountTest,
    testing::Values(AmountCase{1234567.891, 2, true, u"1,234,567.89"}, AmountCase{1234567.891, 2, false, u"1234567.89"},
                    AmountCase{0.5, 2, true, u".50"}, AmountCase{0, 2, true, u".00"},
                    AmountCase{1234567890.25, 2, true, u"1,234,567,890.25"}, AmountCase{999, 2, true, u"999.00"},
                    AmountCase{123456, 2, true, u"123,456.00"}, AmountCase{1234, 2, true, u"1,234.00"},
                    AmountCase{2.5, 3, true, u"2.500"}, AmountCase{-0.001, 2, true, u"(.00)"},
                    AmountCase{0.05, 2, true, u".05"}, AmountCase{12.345, 1, true, u"12.3"},
                    // a fraction that rounds up to a whole unit carries into the integer part
                    AmountCase{1.996, 2, true, u"2.00"}, AmountCase{999.999, 2, true, u"1,000.00"},
                    AmountCase{-0.999, 2, true, u"(1.00)"},
                    // no fractional digits: rounded to whole units, no separator, zero written
                    AmountCase{2.5, 0, true, u"3"}, AmountCase{1234.4, 0, true, u"1,234"},
                    AmountCase{0.4, 0, true, u"0"}, AmountCase{-0.4, 0, true, u"(0)"},
                    AmountCase{-1999.5, 0, true, u"(2,000)"},
                    // beyond the exact range of a double every digit is still written
                    AmountCase{1e20, 2, false, u"100000000000000000000.00"}));

TEST(ComposeAmount, SymbolTrailingSpaceIsTrimmedWhenTheSymbolIsEmpty) {
    const auto c = Conventions(0, 3);
    EXPECT_EQ(ComposeAmount(5, 2, true, u"kr", c), u"5.00 kr");
    EXPECT_EQ(ComposeAmount(5, 2, true, u"", c), u"5.00");
}

TEST(ComposeAmount, UsesTheGivenSeparators) {
    const auto c = Conventions(8, 3, u",", u".");
    EXPECT_EQ(ComposeAmount(-1234.56, 2, true, u"\u20AC", c), u"-1.234,56 \u20AC");
    EXPECT_EQ(ComposeAmount(1234567.5, 2, true, u"\u20AC", c), u"1.234.567,50 \u20AC");
    // a locale without a group separator groups with nothing
    const auto none = Conventions(1, 0, u".", u"");
    EXPECT_EQ(ComposeAmount(1234567, 2, true, u"", none), u"1234567.00");
}

TEST(ComposeAmount, GroupingSizeZeroDoesNotGroup) {
    auto c = Conventions(1, 0);
    c.grouping = 0;
    EXPECT_EQ(ComposeAmount(1234567, 2, true, u"", c), u"1234567.00");
    c.grouping = 4;
    EXPECT_EQ(ComposeAmount(123456789, 2, true, u"", c), u"1,2345,6789.00");
}

TEST(ComposeAmount, Errors) {
    const auto c = Conventions(0, 0);
    EXPECT_EQ(ErrorNumberOf([&] { ComposeAmount(1, -1, true, u"", c); }), rt::kInvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([&] { ComposeAmount(1, 309, true, u"", c); }), rt::kOverflow);
    EXPECT_EQ(ErrorNumberOf([&] { ComposeAmount(std::numeric_limits<double>::infinity(), 2, true, u"", c); }),
              rt::kOverflow);
    EXPECT_EQ(ErrorNumberOf([&] { ComposeAmount(std::numeric_limits<double>::quiet_NaN(), 2, true, u"", c); }),
              rt::kOverflow);
    // 10^308 still fits a double: the fraction is written with 308 digits
    EXPECT_EQ(ComposeAmount(1, 308, false, u"", c), u"1." + String(308, u'0'));
}

TEST(GroupDigits, PutsSeparatorsBetweenCompleteGroups) {
    EXPECT_EQ(GroupDigits(u"1234", 3, u","), u"1,234");
    EXPECT_EQ(GroupDigits(u"123", 3, u","), u"123");
    EXPECT_EQ(GroupDigits(u"", 3, u","), u"");
    EXPECT_EQ(GroupDigits(u"1234567890", 3, u","), u"1,234,567,890");
    EXPECT_EQ(GroupDigits(u"123456", 3, u"'"), u"123'456");
}

TEST(WholeNumberText, WritesEveryDigit) {
    EXPECT_EQ(WholeNumberText(0), u"0");
    EXPECT_EQ(WholeNumberText(1234567), u"1234567");
    EXPECT_EQ(WholeNumberText(9007199254740993.0), u"9007199254740992");
    EXPECT_EQ(WholeNumberText(1e22), u"10000000000000000000000");
}

}  // namespace
}  // namespace quibor15::locale_services
