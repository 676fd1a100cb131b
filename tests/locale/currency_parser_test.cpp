// Reading amounts back: the digits around the last decimal separator.
#include "locale/currency_parser.hpp"

#include <gtest/gtest.h>

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

struct DigitsCase {
    std::u16string_view text;
    std::u16string_view separator;
    int64_t scaled;
};

class CurrencyDigitsTest : public testing::TestWithParam<DigitsCase> {};

TEST_P(CurrencyDigitsTest, ReadsTheDigitsAroundTheLastSeparator) {
    EXPECT_EQ(CurrencyDigitsValue(GetParam().text, GetParam().separator).scaled, GetParam().scaled);
}

INSTANTIATE_TEST_SUITE_P(Texts, CurrencyDigitsTest,
                         testing::Values(DigitsCase{u"$1,234.56", u".", 12345600},
                                         DigitsCase{u"($1,234.56)", u".", 12345600},
                                         DigitsCase{u"-1.234,56 \u20AC", u",", 12345600},
                                         DigitsCase{u"1.2.3", u".", 123000}, DigitsCase{u".5", u".", 5000},
                                         DigitsCase{u"7.", u".", 70000}, DigitsCase{u".", u".", 0},
                                         DigitsCase{u"abc.def", u".", 0}, DigitsCase{u"0001.10", u".", 11000},
                                         // four fractional digits kept, the fifth rounds halves to even
                                         DigitsCase{u"0.12345", u".", 1234}, DigitsCase{u"0.12355", u".", 1236},
                                         DigitsCase{u"0.123451", u".", 1235}, DigitsCase{u"0.99999", u".", 10000},
                                         DigitsCase{u"922337203685477.5807", u".", INT64_MAX},
                                         // a separator of letters is found without regard to case
                                         DigitsCase{u"12X50", u"x", 125000}, DigitsCase{u"1ab2AB34", u"ab", 123400}));

TEST(CurrencyDigits, TextWithoutTheSeparatorIsAnInvalidArgument) {
    EXPECT_EQ(ErrorNumberOf([] { CurrencyDigitsValue(u"$5", u"."); }), rt::kInvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { CurrencyDigitsValue(u"", u"."); }), rt::kInvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([] { CurrencyDigitsValue(u"5.00", u""); }), rt::kInvalidProcedureCall);
}

TEST(CurrencyDigits, ValuesBeyondCurrencyOverflow) {
    EXPECT_EQ(ErrorNumberOf([] { CurrencyDigitsValue(u"922337203685477.5808", u"."); }), rt::kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { CurrencyDigitsValue(u"99999999999999999999999.0", u"."); }), rt::kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { CurrencyDigitsValue(u"922337203685477.58075", u"."); }), rt::kOverflow);
}

TEST(NegativeMark, ParenthesesForPatternsZeroAndFour) {
    EXPECT_EQ(NegativeMark(0), u"(");
    EXPECT_EQ(NegativeMark(4), u"(");
    for (Long pattern : {1, 2, 3, 5, 8, 14, 15, 99}) EXPECT_EQ(NegativeMark(pattern), u"-") << pattern;
}

}  // namespace
}  // namespace quibor15::locale_services
