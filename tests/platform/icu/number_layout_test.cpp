#include "platform/icu/number_layout.hpp"

#include <gtest/gtest.h>

#include "test_text.hpp"

namespace quibor15::icu_backend {
namespace {

using testing::U16;

struct CurrencyCase {
    const char* pattern;
    int positive;
    int negative;
};

class CurrencyPatternTest : public ::testing::TestWithParam<CurrencyCase> {};

TEST_P(CurrencyPatternTest, MapsToWindowsNumbers) {
    const CurrencyCase& c = GetParam();
    EXPECT_EQ(PositiveCurrencyPattern(U16(c.pattern)), c.positive) << c.pattern;
    EXPECT_EQ(NegativeCurrencyPattern(U16(c.pattern)), c.negative) << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(Layouts, CurrencyPatternTest,
                         ::testing::Values(CurrencyCase{"¤#,##0.00", 0, 1},                 // en-US standard
                                           CurrencyCase{"¤#,##0.00;(¤#,##0.00)", 0, 0},     // accounting
                                           CurrencyCase{"#,##0.00 ¤", 3, 8},                // de-DE
                                           CurrencyCase{"#,##0.00\u00A0¤", 3, 8},           // no-break space
                                           CurrencyCase{"#,##0.00\u202F¤", 3, 8},           // narrow no-break space
                                           CurrencyCase{"¤ #,##0.00;¤-#,##0.00", 2, 2},     // de-CH
                                           CurrencyCase{"¤ #,##0.00", 2, 9},                // "-$ n"
                                           CurrencyCase{"¤ #,##0.00;¤ -#,##0.00", 2, 12},   // "$ -n"
                                           CurrencyCase{"#,##0.00¤", 1, 5},                 // "n$"
                                           CurrencyCase{"#,##0.00 ¤;(#,##0.00 ¤)", 3, 15},  // fr accounting
                                           CurrencyCase{"¤#,##0.00;¤#,##0.00-", 0, 3},      // trailing minus
                                           CurrencyCase{"\u200F#,##0.00 ¤", 3, 8},          // direction mark ignored
                                           CurrencyCase{"¤#,##,##0.00", 0, 1}));            // Indian grouping

TEST(NegativeNumberPatternTest, ReadsTheMinusPlacement) {
    EXPECT_EQ(NegativeNumberPattern(u"#,##0.###"), 1);
    EXPECT_EQ(NegativeNumberPattern(u"#,##0.###;(#,##0.###)"), 0);
    EXPECT_EQ(NegativeNumberPattern(u"#,##0.###;- #,##0.###"), 2);
    EXPECT_EQ(NegativeNumberPattern(u"#,##0.###;#,##0.###-"), 3);
    EXPECT_EQ(NegativeNumberPattern(u"#,##0.###;#,##0.### -"), 4);
}

TEST(GroupingTextTest, WritesWindowsGroupingText) {
    EXPECT_EQ(GroupingText(3, 0), u"3;0");
    EXPECT_EQ(GroupingText(3, 3), u"3;0");
    EXPECT_EQ(GroupingText(3, 2), u"3;2;0");
    EXPECT_EQ(GroupingText(4, -1), u"4;0");
    EXPECT_EQ(GroupingText(0, 0), u"0");
}

}  // namespace
}  // namespace quibor15::icu_backend
