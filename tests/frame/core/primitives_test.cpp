#include "quibor15/primitives.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "frame/core/expect_error.hpp"
#include "quibor15/codepage.hpp"
#include "quibor15/object.hpp"

namespace quibor15 {
namespace {

using namespace std::string_literals;

// --- LeadingNumber

struct TextNumber {
    std::u16string text;
    double expected;
};

class LeadingNumberTest : public ::testing::TestWithParam<TextNumber> {};

TEST_P(LeadingNumberTest, ReadsTheNumberAtTheStart) {
    EXPECT_DOUBLE_EQ(LeadingNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, LeadingNumberTest,
                         ::testing::Values(TextNumber{u"640 480", 640}, TextNumber{u"12.5x", 12.5},
                                           TextNumber{u"abc", 0}, TextNumber{u"", 0},
                                           TextNumber{u"12000\0\0\0"s, 12000},
                                           TextNumber{u"12\0"
                                                      u"34"s,
                                                      12},
                                           TextNumber{u"-5", -5}, TextNumber{u"+7", 7}, TextNumber{u"   42abc", 42},
                                           TextNumber{u"1.2.3", 1.2}, TextNumber{u".5", 0.5}, TextNumber{u"-", 0},
                                           TextNumber{u".", 0}, TextNumber{u"- 5", 0}, TextNumber{u"0007", 7},
                                           TextNumber{u"\t5", 0}, TextNumber{u"3e5", 3}, TextNumber{u"1,5", 1}));

TEST(LeadingNumberTest, VeryLongDigitRunsDoNotFail) {
    EXPECT_TRUE(std::isinf(LeadingNumber(std::u16string(400, u'9'))));
    EXPECT_EQ(LeadingNumber(u"0." + std::u16string(400, u'0') + u"1"), 0.0);
}

// --- StrictNumber

class StrictNumberTest : public ::testing::TestWithParam<TextNumber> {};

TEST_P(StrictNumberTest, ReadsTheWholeText) { EXPECT_DOUBLE_EQ(StrictNumber(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Examples, StrictNumberTest,
                         ::testing::Values(TextNumber{u"&H409", 1033}, TextNumber{u" 42 ", 42}, TextNumber{u"42", 42},
                                           TextNumber{u"-1.5", -1.5}, TextNumber{u"&hff", 255},
                                           TextNumber{u"&HFFFFFFFF", -1}, TextNumber{u"&O17", 15},
                                           TextNumber{u"1033\0garbage"s, 1033}, TextNumber{u"+3", 3},
                                           TextNumber{u"1E3", 1000}, TextNumber{u"2.5e-1", 0.25}));

class StrictNumberRefusesTest : public ::testing::TestWithParam<std::u16string> {};

TEST_P(StrictNumberRefusesTest, RaisesTypeMismatch) { EXPECT_RAISES(13, StrictNumber(GetParam())); }

INSTANTIATE_TEST_SUITE_P(NotNumbers, StrictNumberRefusesTest,
                         ::testing::Values(u"", u"   ", u"abc", u"12x", u"1 2", u"&H", u"&HG", u"&H1FFFFFFFF", u"1.2.3",
                                           u"-", u".", u"1e",
                                           u"\0"
                                           u"5"s,
                                           u"&X10", u"1,000"));

TEST(StrictNumberTest, UsesTheGivenDecimalSeparator) {
    NumberFormat comma{u',', u'.'};
    EXPECT_DOUBLE_EQ(StrictNumber(u"1,5", comma), 1.5);
    EXPECT_RAISES(13, StrictNumber(u"1.5", comma));
}

TEST(StrictNumberTest, FailureLeavesNothingBehind) {
    // The error carries the runtime's text.
    try {
        StrictNumber(u"x");
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Description(), u"Type mismatch");
    }
}

// --- RoundHalfEven, ToInteger, ToLong

struct Rounding {
    double value;
    double expected;
};

class RoundHalfEvenTest : public ::testing::TestWithParam<Rounding> {};

TEST_P(RoundHalfEvenTest, RoundsHalvesToEven) { EXPECT_EQ(RoundHalfEven(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Examples, RoundHalfEvenTest,
                         ::testing::Values(Rounding{2.5, 2}, Rounding{3.5, 4}, Rounding{-2.5, -2},
                                           Rounding{1499.5, 1500}, Rounding{0.5, 0}, Rounding{1.5, 2},
                                           Rounding{-0.5, 0}, Rounding{-1.5, -2}, Rounding{2.4999, 2},
                                           Rounding{2.5001, 3}, Rounding{-3.7, -4}, Rounding{7, 7},
                                           Rounding{4503599627370497.0, 4503599627370497.0}));

TEST(ToIntegerTest, RangeAndRounding) {
    EXPECT_EQ(ToInteger(32767.4), 32767);
    EXPECT_EQ(ToInteger(-32768.5), -32768);  // halves to the even neighbour
    EXPECT_EQ(ToInteger(2.5), 2);
    EXPECT_EQ(ToInteger(-2.5), -2);
    EXPECT_RAISES(6, ToInteger(32767.5));  // rounds to 32768
    EXPECT_RAISES(6, ToInteger(-32769));
    EXPECT_RAISES(6, ToInteger(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_RAISES(6, ToInteger(std::numeric_limits<double>::infinity()));
}

TEST(ToLongTest, RangeAndRounding) {
    EXPECT_RAISES(6, ToLong(2147483647.5));  // rounds to 2147483648
    EXPECT_EQ(ToLong(2147483647.4), 2147483647);
    EXPECT_EQ(ToLong(-2147483648.5), std::numeric_limits<Long>::min());
    EXPECT_RAISES(6, ToLong(-2147483649.0));
    EXPECT_EQ(ToLong(1499.5), 1500);
    EXPECT_RAISES(6, ToLong(std::numeric_limits<double>::quiet_NaN()));
}

TEST(FloorTest, LargestWholeNumberNotAbove) {
    EXPECT_EQ(Floor(2.7), 2);
    EXPECT_EQ(Floor(-2.1), -3);
    EXPECT_EQ(Floor(5), 5);
}

// --- IntegerQuotient

struct Quotient {
    double dividend, divisor;
    Long expected;
};

class IntegerQuotientTest : public ::testing::TestWithParam<Quotient> {};

TEST_P(IntegerQuotientTest, RoundsThenTruncates) {
    EXPECT_EQ(IntegerQuotient(GetParam().dividend, GetParam().divisor), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, IntegerQuotientTest,
                         ::testing::Values(Quotient{15360, 15, 1024}, Quotient{7.5, 2, 4}, Quotient{7, 2, 3},
                                           Quotient{-7, 2, -3}, Quotient{7, -2, -3}, Quotient{6.5, 2, 3},
                                           Quotient{10, 2.5, 5}, Quotient{0, 5, 0},
                                           Quotient{4294967294.0, 2, 2147483647}));

TEST(IntegerQuotientTest, Errors) {
    EXPECT_RAISES(11, IntegerQuotient(5, 0));
    EXPECT_RAISES(11, IntegerQuotient(5, 0.4));
    EXPECT_RAISES(11, IntegerQuotient(5, 0.5));  // 0.5 rounds to 0
    EXPECT_RAISES(6, IntegerQuotient(-2147483648.0, -1));
    EXPECT_RAISES(6, IntegerQuotient(1e300, 1));
    EXPECT_EQ(IntegerQuotient(1e12, 1e6), 1000000);
}

// --- DecimalText, HexText, PadDigits

TEST(DecimalTextTest, Integers) {
    EXPECT_EQ(DecimalText(Long{65537}), u"65537");
    EXPECT_EQ(DecimalText(Long{-1}), u"-1");
    EXPECT_EQ(DecimalText(Long{0}), u"0");
    EXPECT_EQ(DecimalText(Integer{-32768}), u"-32768");
    EXPECT_EQ(DecimalText(int64_t{-9223372036854775807 - 1}), u"-9223372036854775808");
    EXPECT_EQ(DecimalText(42), u"42");  // an int literal resolves to the Long form
}

struct DoubleText {
    double value;
    std::u16string expected;
};

class DecimalTextDoubleTest : public ::testing::TestWithParam<DoubleText> {};

TEST_P(DecimalTextDoubleTest, FifteenSignificantDigitsNoTrailingZeros) {
    EXPECT_EQ(DecimalText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, DecimalTextDoubleTest,
                         ::testing::Values(DoubleText{0.5, u"0.5"}, DoubleText{1234.75, u"1234.75"},
                                           DoubleText{60.0, u"60"}, DoubleText{0.0, u"0"}, DoubleText{-0.0, u"0"},
                                           DoubleText{-2.25, u"-2.25"}, DoubleText{0.1 + 0.2, u"0.3"},
                                           DoubleText{1.0 / 3.0, u"0.333333333333333"},
                                           DoubleText{123456789012345.0, u"123456789012345"},
                                           DoubleText{2.0 / 3.0, u"0.666666666666667"}, DoubleText{1e15, u"1E+15"},
                                           DoubleText{1.5e20, u"1.5E+20"}, DoubleText{0.0001, u"0.0001"},
                                           DoubleText{1e-5, u"1E-05"}, DoubleText{65537.0, u"65537"}));

TEST(DecimalTextTest, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(DecimalText(1234.75, NumberFormat{u',', u'.'}), u"1234,75");
    EXPECT_EQ(DecimalText(60.0, NumberFormat{u',', u'.'}), u"60");
}

TEST(HexTextTest, UpperCaseWithoutLeadingZeros) {
    EXPECT_EQ(HexText(1033), u"409");
    EXPECT_EQ(HexText(0), u"0");
    EXPECT_EQ(HexText(-1), u"FFFFFFFF");
    EXPECT_EQ(HexText(255), u"FF");
    EXPECT_EQ(HexText(std::numeric_limits<Long>::min()), u"80000000");
    EXPECT_EQ(HexText(0xABCDEF), u"ABCDEF");
}

struct Pad {
    double value;
    int width;
    std::u16string expected;
};

class PadDigitsTest : public ::testing::TestWithParam<Pad> {};

TEST_P(PadDigitsTest, ZerosInFront) { EXPECT_EQ(PadDigits(GetParam().value, GetParam().width), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Examples, PadDigitsTest,
                         ::testing::Values(Pad{5, 2, u"05"}, Pad{590, 6, u"000590"}, Pad{1234, 2, u"1234"},
                                           Pad{0, 3, u"000"}, Pad{2.5, 1, u"3"}, Pad{726825, 6, u"726825"},
                                           Pad{75, 3, u"075"}, Pad{3.5, 2, u"04"}, Pad{0.4, 2, u"00"},
                                           Pad{1.5, 0, u"2"}, Pad{1e20, 3, u"100000000000000000000"},
                                           Pad{-5, 3, u"-005"}));

TEST(PadDigitsTest, NegativeWidthIsAnInvalidArgument) {
    EXPECT_RAISES(5, PadDigits(5, -1));
    EXPECT_RAISES(6, PadDigits(std::numeric_limits<double>::infinity(), 2));
}

// --- ProperCase

struct Mapping {
    std::u16string text;
    std::u16string expected;
};

class ProperCaseTest : public ::testing::TestWithParam<Mapping> {};

TEST_P(ProperCaseTest, FirstLetterOfEveryWordUpper) { EXPECT_EQ(ProperCase(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Examples, ProperCaseTest,
                         ::testing::Values(Mapping{u"PLAYING", u"Playing"}, Mapping{u"not ready", u"Not Ready"},
                                           Mapping{u"stopped", u"Stopped"}, Mapping{u"", u""},
                                           Mapping{u"a\tb\nc\vd\fe\rf g", u"A\tB\nC\vD\fE\rF G"},
                                           Mapping{u"x\0y"s, u"X\0Y"s}, Mapping{u"  two  blanks ", u"  Two  Blanks "},
                                           Mapping{u"o'NEIL", u"O'neil"}, Mapping{u"mid-WORD", u"Mid-word"},
                                           Mapping{u"\u00e9T\u00c9", u"\u00c9t\u00e9"},
                                           Mapping{u"3rd PLACE", u"3Rd Place"}));

// --- Trim

TEST(TrimTest, BlanksOnly) {
    EXPECT_EQ(TrimBlanks(u"  a b  "), u"a b");
    EXPECT_EQ(TrimBlanks(u"\t a \t"), u"\t a \t");
    EXPECT_EQ(TrimBlanks(u"    "), u"");
    EXPECT_EQ(TrimBlanks(u""), u"");
    EXPECT_EQ(TrimTrailingBlanks(u"  a  "), u"  a");
    EXPECT_EQ(TrimTrailingBlanks(u"a\0  "s), u"a\0"s);
    EXPECT_EQ(TrimLeadingBlanks(u"  a  "), u"a  ");
}

// --- FindText and the slicing helpers

struct Find {
    Long start;
    std::u16string text, sought;
    bool ignore_case;
    Long expected;
};

class FindTextTest : public ::testing::TestWithParam<Find> {};

TEST_P(FindTextTest, OneBasedPositionOrZero) {
    const Find& f = GetParam();
    EXPECT_EQ(FindText(f.start, f.text, f.sought, f.ignore_case), f.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FindTextTest,
    ::testing::Values(Find{1, u"hello world", u"o", false, 5}, Find{6, u"hello world", u"o", false, 8},
                      Find{9, u"hello world", u"o", false, 0}, Find{1, u"Hello", u"hello", false, 0},
                      Find{1, u"Hello", u"hello", true, 1}, Find{1, u"abc", u"", false, 1},
                      Find{4, u"abc", u"", false, 4}, Find{5, u"abc", u"", false, 0}, Find{100, u"abc", u"a", false, 0},
                      Find{1, u"", u"a", false, 0}, Find{1, u"STRASSE \u00c4RGER", u"\u00e4rger", true, 9},
                      Find{2, u"aXa", u"x", true, 2}, Find{1, u"abc", u"abcd", true, 0}));

TEST(FindTextTest, StartBelowOneIsAnInvalidArgument) {
    EXPECT_RAISES(5, FindText(0, u"abc", u"a", false));
    EXPECT_RAISES(5, FindText(-3, u"abc", u"a", true));
}

TEST(SliceTest, MidFrom) {
    EXPECT_EQ(MidFrom(u"abcdef", 3), u"cdef");
    EXPECT_EQ(MidFrom(u"abc", 4), u"");
    EXPECT_EQ(MidFrom(u"abc", 100), u"");
    EXPECT_EQ(MidFrom(u"abc", 1), u"abc");
    EXPECT_RAISES(5, MidFrom(u"abc", 0));
}

TEST(SliceTest, Mid) {
    EXPECT_EQ(Mid(u"abcdef", 2, 3), u"bcd");
    EXPECT_EQ(Mid(u"abcdef", 5, 10), u"ef");
    EXPECT_EQ(Mid(u"abc", 7, 1), u"");
    EXPECT_EQ(Mid(u"abc", 1, 0), u"");
    EXPECT_RAISES(5, Mid(u"abc", 0, 1));
    EXPECT_RAISES(5, Mid(u"abc", 1, -1));
}

TEST(SliceTest, LeftAndRight) {
    EXPECT_EQ(LeftText(u"abcdef", 2), u"ab");
    EXPECT_EQ(LeftText(u"ab", 5), u"ab");
    EXPECT_EQ(RightText(u"abcdef", 2), u"ef");
    EXPECT_EQ(RightText(u"ab", 5), u"ab");
    EXPECT_EQ(RightText(u"ab", 0), u"");
    EXPECT_RAISES(5, LeftText(u"ab", -1));
    EXPECT_RAISES(5, RightText(u"ab", -1));
}

// --- case

TEST(CaseTest, EqualsIgnoreCase) {
    EXPECT_TRUE(EqualsIgnoreCase(u"Item", u"ITEM"));
    EXPECT_TRUE(EqualsIgnoreCase(u"", u""));
    EXPECT_FALSE(EqualsIgnoreCase(u"Item", u"Items"));
    EXPECT_TRUE(EqualsIgnoreCase(u"\u00c9t\u00e9", u"\u00e9T\u00c9"));
    EXPECT_TRUE(EqualsIgnoreCase(u"\u0391\u0392\u0393", u"\u03b1\u03b2\u03b3"));
    EXPECT_TRUE(EqualsIgnoreCase(u"\U00010400", u"\U00010428"));  // Deseret, outside the BMP
    EXPECT_FALSE(EqualsIgnoreCase(u"a", u"b"));
}

TEST(CaseTest, LowerAndUpper) {
    EXPECT_EQ(LowerCase(u"MiXeD 123 \u00c4"), u"mixed 123 \u00e4");
    EXPECT_EQ(UpperCase(u"MiXeD 123 \u00e4"), u"MIXED 123 \u00c4");
    EXPECT_EQ(UpperCase(u"\U00010428"), u"\U00010400");
    std::u16string lone(1, static_cast<char16_t>(0xD800));
    EXPECT_EQ(UpperCase(lone), lone);
}

// --- AnsiCode

TEST(AnsiCodeTest, SingleBytePage) {
    auto page = MakeAnsiCodePage(1252);
    EXPECT_EQ(AnsiCode(u"A", *page), 65);
    EXPECT_EQ(AnsiCode(u"Abc", *page), 65);
    EXPECT_EQ(AnsiCode(u"\u00e9", *page), 0xE9);
    EXPECT_EQ(AnsiCode(u"\u20ac", *page), 0x80);  // euro sign
    EXPECT_EQ(AnsiCode(u"\u65e5", *page), 63);    // no Western form: the default character
    EXPECT_EQ(AnsiCode(u"\U0001F600", *page), 63);
    EXPECT_EQ(AnsiCode(u"\0"s, *page), 0);
    EXPECT_RAISES(5, AnsiCode(u"", *page));
}

TEST(AnsiCodeTest, DoubleBytePairIsNegative) {
    auto page = MakeAnsiCodePage(932);
    // U+3042 HIRAGANA LETTER A is 0x82 0xA0 in the Japanese page.
    EXPECT_EQ(AnsiCode(u"\u3042", *page), static_cast<Integer>(0x82A0 - 0x10000));
    EXPECT_LT(AnsiCode(u"\u65e5", *page), 0);
    EXPECT_EQ(AnsiCode(u"A", *page), 65);
    EXPECT_EQ(AnsiCode(u"\uff71", *page), 0xB1);  // half-width katakana is one byte
}

}  // namespace
}  // namespace quibor15
