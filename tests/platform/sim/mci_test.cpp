#include <gtest/gtest.h>

#include "platform/sim/sim_text.hpp"
#include "platform/sim/sim_windows.hpp"

namespace quibor15::sim {
namespace {

String Buffer(size_t size, char16_t fill) { return String(size, fill); }

TEST(Mci, ReplyIsWrittenFromTheStartWithANulAndTheRestKept) {
    const struct {
        const char16_t* reply;
        uint32_t length;
        size_t buffer_size;
        const char16_t* expected;
    } cases[] = {
        {u"abc", 10, 10, u"abc\0XXXXXX"},
        {u"playing", 5, 10, u"play\0XXXXX"},  // cut to length - 1
        {u"playing", 8, 10, u"playing\0XX"},  // exactly fits
        {u"", 10, 10, u"\0XXXXXXXXX"},
        {u"abcdef", 128, 3, u"ab\0"},  // never past the buffer itself
        {u"abc", 1, 4, u"\0XXX"},      // room for the NUL only
    };
    for (const auto& c : cases) {
        SimWindows win;
        win.SetMciReply(u"status movie mode", c.reply);
        String buffer = Buffer(c.buffer_size, u'X');
        EXPECT_EQ(win.mciSendStringA(u"status movie mode", &buffer, c.length, 0), 0u);
        EXPECT_EQ(buffer, String(c.expected, c.buffer_size)) << ToUtf8(c.reply) << " " << c.length;
    }
}

TEST(Mci, ShorterReplyLeavesTheStaleTailOfAnEarlierOne) {
    SimWindows win;
    win.QueueMciReplies(u"status movie mode", {{u"stopped", 0}, {u"play", 0}});
    String buffer(128, u'\0');
    win.mciSendStringA(u"status movie mode", &buffer, 128, 0);
    win.mciSendStringA(u"status movie mode", &buffer, 128, 0);
    String expected(128, u'\0');
    expected.replace(0, 7, u"play\0ed", 7);
    EXPECT_EQ(buffer, expected);
}

TEST(Mci, NoBufferOrZeroLengthWritesNothing) {
    SimWindows win;
    win.SetMciReply(u"play movie", u"ignored", 0);
    EXPECT_EQ(win.mciSendStringA(u"play movie", nullptr, 0, 0), 0u);
    String buffer = u"0";
    EXPECT_EQ(win.mciSendStringA(u"play movie", &buffer, 0, 0), 0u);
    EXPECT_EQ(buffer, u"0");
}

TEST(Mci, StagedCodesAndDefaults) {
    SimWindows win;
    win.SetMciReply(u"open x type mpegvideo alias movie", u"", mcierr::kFileNotFound);
    EXPECT_EQ(win.mciSendStringA(u"open x type mpegvideo alias movie", nullptr, 0, 0), mcierr::kFileNotFound);
    EXPECT_EQ(win.mciSendStringA(u"close movie", nullptr, 0, 0), 0u);  // unstaged: "" and 0
    win.SetMciDefault(u"", mcierr::kInvalidDeviceName);
    EXPECT_EQ(win.mciSendStringA(u"close movie", nullptr, 0, 0), mcierr::kInvalidDeviceName);
    // Commands are matched on their exact text.
    EXPECT_EQ(win.mciSendStringA(u"OPEN x type mpegvideo alias movie", nullptr, 0, 0), mcierr::kInvalidDeviceName);
}

TEST(Mci, QueuedRepliesAreConsumedInOrderBeforeTheFixedOne) {
    SimWindows win;
    win.SetMciReply(u"status movie position", u"100");
    win.QueueMciReplies(u"status movie position", {{u"1", 0}, {u"2", 263}});
    String buffer(30, u'\0');
    EXPECT_EQ(win.mciSendStringA(u"status movie position", &buffer, 30, 0), 0u);
    EXPECT_EQ(buffer.substr(0, 2), String(u"1\0", 2));
    EXPECT_EQ(win.mciSendStringA(u"status movie position", &buffer, 30, 0), 263u);
    EXPECT_EQ(buffer.substr(0, 2), String(u"2\0", 2));
    EXPECT_EQ(win.mciSendStringA(u"status movie position", &buffer, 30, 0), 0u);
    EXPECT_EQ(buffer.substr(0, 4), String(u"100\0", 4));
    EXPECT_EQ(win.mciSendStringA(u"status movie position", &buffer, 30, 0), 0u);
    EXPECT_EQ(buffer.substr(0, 4), String(u"100\0", 4));
}

TEST(Mci, EveryCommandIsRecorded) {
    SimWindows win;
    String buffer(128, u'\0');
    win.mciSendStringA(u"close movie", nullptr, 0, 0);
    win.mciSendStringA(u"status movie mode", &buffer, 128, 0x1234);
    EXPECT_EQ(win.MciCommands(), (std::vector<String>{u"close movie", u"status movie mode"}));
    EXPECT_EQ(win.Calls(), (std::vector<CallRecord>{{u"mciSendStringA", {u"close movie", u"0", u"0x0"}},
                                                    {u"mciSendStringA", {u"status movie mode", u"128", u"0x1234"}}}));
    EXPECT_FALSE(win.Mci().Calls()[0].has_buffer);
    EXPECT_TRUE(win.Mci().Calls()[1].has_buffer);
    EXPECT_EQ(win.Mci().Calls()[1].callback, 0x1234);
}

TEST(Mci, CommandsAndRepliesCrossTheCodePage) {
    SimWindows win;
    win.SetMciReply(u"open \"\u65E5.mp3\"", u"x");
    // Under 1252 the Japanese name arrives as the default character.
    EXPECT_EQ(win.mciSendStringA(u"open \"\u65E5.mp3\"", nullptr, 0, 0), 0u);
    EXPECT_EQ(win.MciCommands().back(), u"open \"?.mp3\"");

    win.SetCodePage(932);
    win.SetMciReply(u"info movie product", u"\u65E5\u672C\u8A9E");
    String buffer(8, u'X');
    // Length 5 leaves four bytes: two double-byte characters.
    win.mciSendStringA(u"info movie product", &buffer, 5, 0);
    EXPECT_EQ(buffer, String(u"\u65E5\u672C\0XXXXX", 8));
    String whole(8, u'X');
    win.mciSendStringA(u"info movie product", &whole, 8, 0);
    EXPECT_EQ(whole, String(u"\u65E5\u672C\u8A9E\0XXXX", 8));
}

TEST(Mci, ErrorStringsFollowTheBufferRule) {
    SimWindows win;
    String blanks(255, u' ');
    EXPECT_EQ(win.mciGetErrorStringA(263, blanks, 255), 1);
    const String text = u"The specified device is not open or is not recognized.";
    ASSERT_EQ(blanks.size(), 255u);
    EXPECT_EQ(blanks.substr(0, text.size()), text);
    EXPECT_EQ(blanks[text.size()], u'\0');
    EXPECT_EQ(blanks.substr(text.size() + 1), String(255 - text.size() - 1, u' '));

    String unknown(40, u' ');
    EXPECT_EQ(win.mciGetErrorStringA(9999, unknown, 40), 0);
    EXPECT_EQ(unknown.substr(0, 20), String(u"Unknown error code.\0", 20));

    String short_buffer(10, u'#');
    win.mciGetErrorStringA(263, short_buffer, 6);
    EXPECT_EQ(short_buffer, String(u"The s\0####", 10));

    String untouched(5, u'#');
    EXPECT_EQ(win.mciGetErrorStringA(263, untouched, 0), 0);
    EXPECT_EQ(untouched, u"#####");
    EXPECT_EQ(win.Calls(u"mciGetErrorStringA").at(0), (CallRecord{u"mciGetErrorStringA", {u"263", u"255"}}));
}

TEST(Mci, EveryListedCodeHasItsOwnText) {
    const uint32_t codes[] = {0,   257, 259, 261, 262, 263, 264, 265, 266, 267, 270,
                              273, 274, 275, 276, 282, 289, 293, 294, 296, 305, 306};
    std::vector<String> seen;
    for (uint32_t code : codes) {
        const std::optional<String> text = MciRecorder::ErrorText(code);
        ASSERT_TRUE(text) << code;
        EXPECT_FALSE(text->empty());
        EXPECT_EQ(std::count(seen.begin(), seen.end(), *text), 0) << code;
        seen.push_back(*text);
    }
    EXPECT_FALSE(MciRecorder::ErrorText(258));
}

}  // namespace
}  // namespace quibor15::sim
