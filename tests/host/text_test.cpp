// Script sources in the encodings editors save them in, and UTF-8 output.
#include "host/script/text.hpp"

#include <gtest/gtest.h>

namespace quibor15::script {
namespace {

TEST(SourceText, Utf8WithOrWithoutByteOrderMark) {
    EXPECT_EQ(DecodeSource("x = \"caf\xC3\xA9\""), u"x = \"caf\u00e9\"");
    EXPECT_EQ(DecodeSource("\xEF\xBB\xBFx"), u"x");
    EXPECT_EQ(DecodeSource("\xF0\x9F\x98\x80"), u"\U0001F600");
}

TEST(SourceText, Utf16WithByteOrderMark) {
    EXPECT_EQ(DecodeSource(std::string("\xFF\xFEx\0\xAC\x20", 6)), u"x\u20ac");
    EXPECT_EQ(DecodeSource(std::string("\xFE\xFF\0x\x20\xAC", 6)), u"x\u20ac");
    // An odd last byte is dropped rather than read past the end.
    EXPECT_EQ(DecodeSource(std::string("\xFF\xFEx\0y", 5)), u"x");
}

TEST(SourceText, AnythingElseIsWindows1252) {
    EXPECT_EQ(DecodeSource("caf\xE9 \x80 \x9F \x81"), u"caf\u00e9 \u20ac \u0178 \u0081");
    // Bytes that only look like UTF-8.
    EXPECT_EQ(DecodeSource("\xC3"), u"\u00c3");
    EXPECT_EQ(DecodeSource("\xE2\x82"), u"\u00e2\u201a");
    EXPECT_EQ(DecodeSource("\xC0\x80"), u"\u00c0\u20ac");            // an overlong NUL
    EXPECT_EQ(DecodeSource("\xED\xA0\x80"), u"\u00ed\u00a0\u20ac");  // a surrogate
}

TEST(OutputText, Utf8WithLoneSurrogatesReplaced) {
    EXPECT_EQ(ToUtf8(u"a\u00e9\u20ac\U0001F600"), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(ToUtf8(u"x" + std::u16string(1, char16_t(0xDC00))), "x\xEF\xBF\xBD");
}

TEST(Names, CompareWithoutRegardToCase) {
    EXPECT_EQ(NameKey(u"WScript.Echo"), u"wscript.echo");
    EXPECT_TRUE(SameName(u"ShowNextFrame", u"SHOWNEXTFRAME"));
    EXPECT_FALSE(SameName(u"ab", u"abc"));
}

}  // namespace
}  // namespace quibor15::script
