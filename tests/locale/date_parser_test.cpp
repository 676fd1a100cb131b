// The date reader's building blocks: numbers of a text, field orders of
// pictures, filling and checking the day/month/year record.
#include "locale/date_parser.hpp"

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

struct FieldOrderCase {
    std::u16string_view picture;
    std::u16string_view order;
};

class FieldOrderTest : public testing::TestWithParam<FieldOrderCase> {};

TEST_P(FieldOrderTest, GivesTheOrderOfTheNumberFields) { EXPECT_EQ(FieldOrder(GetParam().picture), GetParam().order); }

INSTANTIATE_TEST_SUITE_P(Pictures, FieldOrderTest,
                         testing::Values(FieldOrderCase{u"M/d/yyyy", u"mdY"}, FieldOrderCase{u"dd/MM/yyyy", u"DMY"},
                                         FieldOrderCase{u"yyyy-MM-dd", u"YMD"}, FieldOrderCase{u"d.M.yy", u"dmY"},
                                         FieldOrderCase{u"dddd, MMMM dd, yyyy", u"DY"},
                                         FieldOrderCase{u"dd-MMM-yy", u"DY"}, FieldOrderCase{u"yy/MM/dd", u"YMD"},
                                         FieldOrderCase{u"MM/dd/yy", u"MDY"},
                                         // quoted text is dropped with its quotes
                                         FieldOrderCase{u"dddd, d' de 'MMMM' de 'yyyy", u"dY"},
                                         FieldOrderCase{u"'day' d 'month' M", u"dm"},
                                         // a name field consumes no number
                                         FieldOrderCase{u"dddd", u""}, FieldOrderCase{u"MMMM yyyy", u"Y"},
                                         FieldOrderCase{u"", u""}, FieldOrderCase{u"y", u"y"},
                                         // letters in either case, everything else dropped
                                         FieldOrderCase{u"DD.mm.YYYY gg", u"DMY"}));

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRegardToCase) {
    EXPECT_EQ(ReplaceAll(u"aXbxc", u"x", u"-"), u"a-b-c");
    EXPECT_EQ(ReplaceAll(u"DYYYY", u"yyy", u"Y"), u"DYY");
    EXPECT_EQ(ReplaceAll(u"abc", u"z", u"q"), u"abc");
    EXPECT_EQ(ReplaceAll(u"", u"z", u"q"), u"");
    // Each search starts again from the beginning: the joined "dd" goes too.
    EXPECT_EQ(ReplaceAll(u"ddd", u"dd", u"D"), u"D");
    // An empty find text cannot be replaced (and must not loop).
    EXPECT_EQ(ReplaceAll(u"abc", u"", u"x"), u"abc");
}

TEST(NumberList, GathersRunsOfDigits) {
    EXPECT_EQ(NumberList(u"5/3/2010"), (std::vector<Integer>{5, 3, 2010}));
    EXPECT_EQ(NumberList(u"March 5, 2010"), (std::vector<Integer>{5, 2010}));
    EXPECT_EQ(NumberList(u"x0007y"), (std::vector<Integer>{7}));
    EXPECT_EQ(NumberList(u"no digits"), std::vector<Integer>{});
    EXPECT_EQ(NumberList(u"32767"), std::vector<Integer>{32767});
    EXPECT_EQ(NumberList(u"000000000000000012"), std::vector<Integer>{12});
    // Only the ASCII digits count: a full-width digit ends a run.
    EXPECT_EQ(NumberList(u"1\uFF12 3"), (std::vector<Integer>{1, 3}));
}

TEST(NumberList, ARunAbove32767Overflows) {
    EXPECT_EQ(ErrorNumberOf([] { NumberList(u"1/1/32768"); }), rt::kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { NumberList(u"99999999999999999999"); }), rt::kOverflow);
}

TEST(ExpandYear, TwoDigitYearsPivotAtFifty) {
    EXPECT_EQ(ExpandYear(0), 2000);
    EXPECT_EQ(ExpandYear(49), 2049);
    EXPECT_EQ(ExpandYear(50), 1950);
    EXPECT_EQ(ExpandYear(99), 1999);
    EXPECT_EQ(ExpandYear(100), 100);
    EXPECT_EQ(ExpandYear(2010), 2010);
}

TEST(FillDateParts, TakesNumbersInTheOrdersSequence) {
    EXPECT_EQ(FillDateParts({5, 3, 2010}, u"mdY"), (DateParts{3, 5, 2010}));
    EXPECT_EQ(FillDateParts({26, 11, 10}, u"DMY"), (DateParts{26, 11, 2010}));
    EXPECT_EQ(FillDateParts({2010, 11, 26}, u"YMD"), (DateParts{26, 11, 2010}));
    EXPECT_EQ(FillDateParts({26, 10}, u"DY"), (DateParts{26, 0, 2010}));
    // Extra numbers are left over; an order without fields takes none.
    EXPECT_EQ(FillDateParts({1, 2, 3, 4}, u"dmy"), (DateParts{1, 2, 2003}));
    EXPECT_EQ(FillDateParts({}, u""), (DateParts{0, 0, 2000}));
}

TEST(FillDateParts, MoreFieldsThanNumbersIsSubscriptOutOfRange) {
    EXPECT_EQ(ErrorNumberOf([] { FillDateParts({26}, u"DY"); }), rt::kSubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([] { FillDateParts({}, u"d"); }), rt::kSubscriptOutOfRange);
}

struct CheckCase {
    DateParts parts;
    bool valid;
};

class CheckDatePartsTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckDatePartsTest, AcceptsOnlyRealDates) { EXPECT_EQ(CheckDateParts(GetParam().parts), GetParam().valid); }

INSTANTIATE_TEST_SUITE_P(Dates, CheckDatePartsTest,
                         testing::Values(CheckCase{{26, 11, 2010}, true}, CheckCase{{29, 2, 2012}, true},
                                         CheckCase{{29, 2, 2011}, false}, CheckCase{{29, 2, 2000}, true},
                                         CheckCase{{29, 2, 1900}, false}, CheckCase{{30, 2, 2010}, false},
                                         CheckCase{{31, 4, 2010}, false}, CheckCase{{31, 12, 9999}, true},
                                         CheckCase{{0, 1, 2010}, false}, CheckCase{{32, 1, 2010}, false},
                                         CheckCase{{1, 0, 2010}, false}, CheckCase{{1, 13, 2010}, false},
                                         CheckCase{{11, 2010, 2026}, false}, CheckCase{{1, 1, 100}, true},
                                         // two-digit years are expanded before the month length is taken
                                         CheckCase{{29, 2, 12}, true}, CheckCase{{29, 2, 11}, false}));

TEST(CheckDateParts, AYearBeyondTheDateTypeIsAnInvalidArgument) {
    EXPECT_EQ(ErrorNumberOf([] { CheckDateParts({1, 1, 10000}); }), rt::kInvalidProcedureCall);
}

}  // namespace
}  // namespace quibor15::locale_services
