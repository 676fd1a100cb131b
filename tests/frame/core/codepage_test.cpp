#include "quibor15/codepage.hpp"

#include <gtest/gtest.h>

#include "frame/core/expect_error.hpp"

namespace quibor15 {
namespace {

using namespace std::string_literals;

TEST(CodePage1252Test, RoundTripOfEveryByte) {
    auto page = MakeAnsiCodePage(1252);
    EXPECT_EQ(page->Number(), 1252);
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    String text = page->Decode(all);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(page->Encode(text), all);
}

TEST(CodePage1252Test, KnownCharacters) {
    auto page = MakeAnsiCodePage(1252);
    EXPECT_EQ(page->Encode(u"Caf\u00e9 \u20ac"), "Caf\xE9 \x80");
    EXPECT_EQ(page->Decode("\x80\x99\xFF"), u"\u20ac\u2122\u00ff");
    EXPECT_EQ(page->Decode("\x81"), u"\u0081");  // a hole of the page reads as the C1 control
    EXPECT_EQ(page->Encode(u"a\0b"s), "a\0b"s);
}

TEST(CodePage1252Test, UnmappableCharactersBecomeTheDefaultCharacter) {
    auto page = MakeAnsiCodePage(1252);
    EXPECT_EQ(page->Encode(u"\u65e5\u672c"), "??");
    EXPECT_EQ(page->Encode(u"x\U0001F600y"), "x?y");  // one default character per surrogate pair
    std::u16string lone = u"a";
    lone += static_cast<char16_t>(0xDC00);
    EXPECT_EQ(page->Encode(lone), "a?");
    EXPECT_EQ(page->RoundTrip(u"\u0100bc"), u"?bc");
}

TEST(CodePage932Test, DoubleByteRoundTrip) {
    auto page = MakeAnsiCodePage(932);
    EXPECT_EQ(page->Number(), 932);
    String text = u"\u65e5\u672c\u8a9e abc \uff71";
    std::string bytes = page->Encode(text);
    EXPECT_EQ(bytes, "\x93\xfa\x96\x7b\x8c\xea abc \xb1");
    EXPECT_EQ(page->Decode(bytes), text);
    EXPECT_EQ(page->Encode(u"\u00e9"), "?");  // no Japanese form
}

TEST(CodePage932Test, DecodingNeverFails) {
    auto page = MakeAnsiCodePage(932);
    String text = page->Decode("a\x82");  // a lead byte without its trail byte
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text[0], u'a');
    EXPECT_EQ(page->Decode(""), u"");
    EXPECT_EQ(page->Encode(u""), "");
}

TEST(CodePageTest, OtherPages) {
    auto cyrillic = MakeAnsiCodePage(1251);
    EXPECT_EQ(cyrillic->Encode(u"\u0416"), "\xC6");
    EXPECT_EQ(cyrillic->Decode("\xC6"), u"\u0416");
    auto central = MakeAnsiCodePage(1250);
    EXPECT_EQ(central->RoundTrip(u"\u0141\u00f3d\u017a"), u"\u0141\u00f3d\u017a");
}

TEST(CodePageTest, UnknownNumberRaises5) {
    EXPECT_RAISES(5, MakeAnsiCodePage(0));
    EXPECT_RAISES(5, MakeAnsiCodePage(-1));
    EXPECT_RAISES(5, MakeAnsiCodePage(99999));
    EXPECT_RAISES(5, MakeAnsiCodePage(1200));  // UTF-16 is not an ANSI code page
}

}  // namespace
}  // namespace quibor15
