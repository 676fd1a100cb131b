#include "platform/icu/picture_syntax.hpp"

#include <gtest/gtest.h>

#include "test_text.hpp"

namespace quibor15::icu_backend {
namespace {

using testing::U16;
using testing::U8;

TEST(TokenizePictureTest, SplitsFieldsAndLiterals) {
    const PictureTokens tokens = TokenizePicture(u"dddd, MMMM dd, yyyy");
    const PictureTokens expected = {
        PictureToken::Field(u'd', 4), PictureToken::Literal(u", "), PictureToken::Field(u'M', 4),
        PictureToken::Literal(u" "),  PictureToken::Field(u'd', 2), PictureToken::Literal(u", "),
        PictureToken::Field(u'y', 4),
    };
    EXPECT_EQ(tokens, expected);
}

TEST(TokenizePictureTest, QuotedTextIsLiteral) {
    const PictureTokens tokens = TokenizePicture(u"h 'o''clock' tt");
    const PictureTokens expected = {PictureToken::Field(u'h', 1), PictureToken::Literal(u" o'clock "),
                                    PictureToken::Field(u't', 2)};
    EXPECT_EQ(tokens, expected);
}

TEST(TokenizePictureTest, LettersOutsideTheGivenSetAreLiteral) {
    const PictureTokens tokens = TokenizePicture(u"dd HH", kDateFieldLetters);
    const PictureTokens expected = {PictureToken::Field(u'd', 2), PictureToken::Literal(u" HH")};
    EXPECT_EQ(tokens, expected);
}

TEST(TokenizePictureTest, UnterminatedQuoteRunsToTheEnd) {
    const PictureTokens tokens = TokenizePicture(u"d 'MMM");
    const PictureTokens expected = {PictureToken::Field(u'd', 1), PictureToken::Literal(u" MMM")};
    EXPECT_EQ(tokens, expected);
}

struct RoundTripCase {
    const char* picture;
};

class RenderPictureTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RenderPictureTest, RenderingATokenizedPictureReadsBackTheSame) {
    const std::u16string picture = U16(GetParam().picture);
    const PictureTokens tokens = TokenizePicture(picture);
    EXPECT_EQ(TokenizePicture(RenderPicture(tokens)), tokens) << GetParam().picture;
}

INSTANTIATE_TEST_SUITE_P(Pictures, RenderPictureTest,
                         ::testing::Values(RoundTripCase{"M/d/yyyy"}, RoundTripCase{"yyyy'年'M'月'd'日'"},
                                           RoundTripCase{"d MMMM yyyy 'г.'"}, RoundTripCase{"h 'o''clock' tt"},
                                           RoundTripCase{"''"}, RoundTripCase{"'''x' d"}, RoundTripCase{"d 'x'''"},
                                           RoundTripCase{"dddd, d 'de' MMMM 'de' yyyy"}));

TEST(RenderPictureTest, QuotesTheWholeLiteralThatHoldsLetters) {
    EXPECT_EQ(
        RenderPicture({PictureToken::Field(u'd', 1), PictureToken::Literal(U16(" г.")), PictureToken::Field(u'y', 4)}),
        U16("d' г.'yyyy"));
    EXPECT_EQ(RenderPicture({PictureToken::Field(u'd', 2), PictureToken::Literal(u"/"), PictureToken::Field(u'M', 2)}),
              u"dd/MM");
}

struct CldrCase {
    const char* cldr;
    const char* windows;
};

class CldrPatternTest : public ::testing::TestWithParam<CldrCase> {};

TEST_P(CldrPatternTest, ConvertsToWindowsPicture) {
    EXPECT_EQ(U8(CldrPatternToPicture(U16(GetParam().cldr))), GetParam().windows);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, CldrPatternTest,
    ::testing::Values(CldrCase{"M/d/yy", "M/d/yy"}, CldrCase{"EEEE, MMMM d, y", "dddd, MMMM d, yyyy"},
                      CldrCase{"EEE, MMM d, y", "ddd, MMM d, yyyy"}, CldrCase{"LLLL y", "MMMM yyyy"},
                      CldrCase{"d MMMM y 'г'.", "d MMMM yyyy' г.'"},
                      CldrCase{"y年M月d日EEEE", "yyyy'年'M'月'd'日'dddd"},
                      CldrCase{"d 'de' MMMM 'de' y", "d' de 'MMMM' de 'yyyy"}, CldrCase{"h:mm:ss a", "h:mm:ss tt"},
                      CldrCase{"a h:mm:ss", "tt h:mm:ss"}, CldrCase{"HH:mm:ss zzzz", "HH:mm:ss"},
                      CldrCase{"h:mm:ss a (zzzz)", "h:mm:ss tt"}, CldrCase{"zzzz HH:mm", "HH:mm"},
                      CldrCase{"HH:mm:ss.SSS", "HH:mm:ss"}, CldrCase{"K:mm a", "h:mm tt"}, CldrCase{"kk:mm", "HH:mm"},
                      CldrCase{"d MMM y G", "d MMM yyyy gg"}, CldrCase{"h 'h' mm", "h' h 'mm"},
                      // CLDR's narrow and no-break spaces become plain ones.
                      CldrCase{"h:mm:ss\u202Fa", "h:mm:ss tt"}, CldrCase{"d\u00A0MMM y", "d MMM yyyy"},
                      CldrCase{"dd.MM.yy", "dd.MM.yy"}, CldrCase{"h:mm B", "h:mm tt"}, CldrCase{"d''MMM", "d''MMM"}));

struct VariantCase {
    const char* picture;
    const char* full_year;
    const char* short_year;
    const char* toggled;
};

class PictureVariantTest : public ::testing::TestWithParam<VariantCase> {};

TEST_P(PictureVariantTest, DerivesVariants) {
    const VariantCase& c = GetParam();
    const std::u16string picture = U16(c.picture);
    EXPECT_EQ(U8(WithFullYear(picture)), c.full_year);
    EXPECT_EQ(U8(WithShortYear(picture)), c.short_year);
    EXPECT_EQ(U8(WithToggledPadding(picture)), c.toggled);
}

INSTANTIATE_TEST_SUITE_P(Short, PictureVariantTest,
                         ::testing::Values(VariantCase{"M/d/yy", "M/d/yyyy", "M/d/yy", "MM/dd/yy"},
                                           VariantCase{"dd.MM.yyyy", "dd.MM.yyyy", "dd.MM.yy", "d.M.yyyy"},
                                           VariantCase{"d.MM.yyyy", "d.MM.yyyy", "d.MM.yy", "dd.MM.yyyy"},
                                           VariantCase{"dd-MMM-yy", "dd-MMM-yyyy", "dd-MMM-yy", "d-MMM-yy"},
                                           VariantCase{"yyyy'年'M'月'", "yyyy'年'M'月'", "yy'年'M'月'",
                                                       "yyyy'年'MM'月'"}));

TEST(TimeVariantTest, TogglesHourPadding) {
    EXPECT_EQ(WithToggledHourPadding(u"h:mm:ss tt"), u"hh:mm:ss tt");
    EXPECT_EQ(WithToggledHourPadding(u"HH:mm:ss"), u"H:mm:ss");
}

TEST(TimeVariantTest, TurnsTwelveHoursIntoTwentyFour) {
    EXPECT_EQ(WithTwentyFourHours(u"h:mm:ss tt"), u"H:mm:ss");
    EXPECT_EQ(WithTwentyFourHours(u"tt h:mm:ss"), u"H:mm:ss");
    EXPECT_EQ(WithTwentyFourHours(u"tth:mm:ss"), u"H:mm:ss");
    EXPECT_EQ(WithTwentyFourHours(u"hh:mm"), u"HH:mm");
    EXPECT_TRUE(UsesTwelveHours(u"h:mm:ss tt"));
    EXPECT_FALSE(UsesTwelveHours(u"HH:mm:ss"));
    EXPECT_FALSE(UsesTwelveHours(u"'h' HH"));
}

TEST(FieldOrderTest, ReadsDayMonthYearOrder) {
    EXPECT_EQ(FieldOrder(u"M/d/yyyy"), 0);
    EXPECT_EQ(FieldOrder(u"dddd, MMMM dd, yyyy"), 0);
    EXPECT_EQ(FieldOrder(u"dd/MM/yyyy"), 1);
    EXPECT_EQ(FieldOrder(u"dddd, d. MMMM yyyy"), 1);
    EXPECT_EQ(FieldOrder(u"yyyy-MM-dd"), 2);
    EXPECT_EQ(FieldOrder(U16("yyyy'年'M'月'd'日'")), 2);
}

TEST(FirstSeparatorTest, FindsTheTextBetweenFields) {
    EXPECT_EQ(FirstSeparator(u"M/d/yyyy", kDateFieldLetters, u"?"), u"/");
    EXPECT_EQ(FirstSeparator(u"dd.MM.yyyy", kDateFieldLetters, u"?"), u".");
    EXPECT_EQ(FirstSeparator(u"tt h:mm:ss", u"hHms", u"?"), u":");
    EXPECT_EQ(FirstSeparator(u"yyyy", kDateFieldLetters, u"?"), u"?");
}

}  // namespace
}  // namespace quibor15::icu_backend
