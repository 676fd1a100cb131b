// The movie controller's queries: the persistent 128-character reply buffer
// with its stale tails, the numeric readings and their roundings, and the
// time-format commands that go before them.
#include "media_world.hpp"

namespace quibor15::testing {
namespace {

using Movie = clsQuiborWUIMMMovieA;

class MovieQueries : public MediaWorld {};

struct TextQueryCase {
    const char* member;
    String (Movie::*call)();
    const char16_t* query;
};

const TextQueryCase kTextQueries[] = {
    {"getMovieInput", &Movie::getMovieInput, u"status movie monitor input"},
    {"getMovieOutput", &Movie::getMovieOutput, u"status movie monitor output"},
    {"getAudioStatus", &Movie::getAudioStatus, u"status movie audio"},
    {"getDeviceName", &Movie::getDeviceName, u"info movie product"},
    {"getDeviceVersion", &Movie::getDeviceVersion, u"info movie version"},
    {"getCurrentSize", &Movie::getCurrentSize, u"where movie destination max"},
    {"getDefaultSize", &Movie::getDefaultSize, u"where movie source"},
    {"getVideoStatus", &Movie::getVideoStatus, u"status movie video"},
    {"getTimeFormat", &Movie::getTimeFormat, u"status movie time format"},
    {"checkDeviceReady", &Movie::checkDeviceReady, u"status movie ready"},
};

TEST_F(MovieQueries, TextQueriesReturnTheWholeBufferWithTheTailOfEarlierReplies) {
    for (const TextQueryCase& c : kTextQueries) {
        auto movie = NewMovie();
        Forget();
        // A longer reply to another query of the same object goes first.
        Reply(u"status movie mode", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        movie->isMoviePlaying();
        Reply(c.query, u"short", sim::mcierr::kHardware);
        const String result = ((*movie).*c.call)();
        EXPECT_EQ(result, Movie128(u"short\0GHIJKLMNOPQRSTUVWXYZ"sv)) << c.member << ": " << Show(result);
        EXPECT_EQ(movie->get_Error(), 262) << c.member;
        ASSERT_EQ(Calls().size(), 2u) << c.member;
        EXPECT_EQ(Calls()[1].command, c.query) << c.member;
        EXPECT_EQ(Calls()[1].reply_length, 128u) << c.member;
        EXPECT_EQ(Calls()[1].callback, 0) << c.member;
        Reply(c.query, u"", 0);
    }
}

TEST_F(MovieQueries, ANewObjectsBufferIsAllNul) {
    auto movie = NewMovie();
    EXPECT_EQ(movie->getAudioStatus(), String(128, u'\0'));
}

TEST_F(MovieQueries, ObjectsKeepBuffersOfTheirOwn) {
    auto first = NewMovie();
    auto second = NewMovie();
    Reply(u"status movie audio", u"on and loud");
    first->getAudioStatus();
    Reply(u"status movie audio", u"off");
    EXPECT_EQ(second->getAudioStatus(), Movie128(u"off"));
    EXPECT_EQ(first->getAudioStatus(), Movie128(u"off\0nd loud"sv));
}

TEST_F(MovieQueries, AReplyLongerThanTheBufferIsCutToFitWithItsNul) {
    auto movie = NewMovie();
    Reply(u"info movie product", String(200, u'x'));
    const String result = movie->getDeviceName();
    EXPECT_EQ(result, String(127, u'x') + u'\0');
}

TEST_F(MovieQueries, GetStatusIsTheBufferInProperCaseTailIncluded) {
    auto movie = NewMovie();
    Replies(u"status movie mode", {{u"not ready", 0}, {u"stopped", 0}});
    EXPECT_EQ(movie->getStatus(), Movie128(u"Not Ready"));
    // The buffer holds "stopped\0y": the NUL separates words, so the
    // tail's letter is capitalised too.
    EXPECT_EQ(movie->getStatus(), Movie128(u"Stopped\0Y"sv));
    EXPECT_EQ(Sent(), (Commands{u"status movie mode", u"status movie mode"}));
}

TEST_F(MovieQueries, IsMoviePlayingComparesTheFirstSevenCharactersExactly) {
    const struct {
        const char16_t* reply;
        bool playing;
    } cases[] = {
        {u"playing", true}, {u"playingx", true}, {u"Playing", false},  {u"PLAYING", false},
        {u"paused", false}, {u"playin", false},  {u" playing", false}, {u"", false},
    };
    for (const auto& c : cases) {
        auto movie = NewMovie();
        Reply(u"status movie mode", c.reply);
        EXPECT_EQ(movie->isMoviePlaying(), Boolean::From(c.playing)) << sim::ToUtf8(c.reply);
    }
}

TEST_F(MovieQueries, IsMoviePlayingIgnoresTheTailOfAnEarlierPlayingReply) {
    auto movie = NewMovie();
    Replies(u"status movie mode", {{u"playing", 0}, {u"play", 0}});
    EXPECT_TRUE(movie->isMoviePlaying().IsTrue());
    // The buffer now reads "play\0ng": not "playing".
    EXPECT_FALSE(movie->isMoviePlaying().IsTrue());
}

struct NumericCase {
    const char* member;
    Long (Movie::*call)();
    std::vector<String> commands;
    const char16_t* reply;
    Long expected;
};

TEST_F(MovieQueries, NumericQueriesReadTheLeadingNumberAndRoundHalfToEven) {
    const NumericCase cases[] = {
        {"getNominalFrameRate",
         &Movie::getNominalFrameRate,
         {u"status movie nominal frame rate wait"},
         u"29970",
         29970},
        {"getFramePerSecRate", &Movie::getFramePerSecRate, {u"status movie frame rate"}, u"29970", 29},
        {"getFramePerSecRate", &Movie::getFramePerSecRate, {u"status movie frame rate"}, u"-1999", -1},
        {"getFramePerSecRate", &Movie::getFramePerSecRate, {u"status movie frame rate"}, u"999.5", 1},
        {"getRate", &Movie::getRate, {u"status movie speed"}, u"1000", 1000},
        {"getRate", &Movie::getRate, {u"status movie speed"}, u"12.5", 12},
        {"getVolume", &Movie::getVolume, {u"status movie volume"}, u"13.5", 14},
        {"getVolume", &Movie::getVolume, {u"status movie volume"}, u"  -2.5 units", -2},
        {"getLeftVolume", &Movie::getLeftVolume, {u"status movie left volume"}, u"640 480", 640},
        {"getLeftVolume", &Movie::getLeftVolume, {u"status movie left volume"}, u"abc", 0},
        {"getLengthInFrames",
         &Movie::getLengthInFrames,
         {u"set movie time format frames", u"status movie length"},
         u"4500",
         4500},
        {"getLengthInMS",
         &Movie::getLengthInMS,
         {u"set movie time format ms", u"status movie length"},
         u"12000",
         12000},
        {"getPositionInMS",
         &Movie::getPositionInMS,
         {u"set movie time format ms", u"status movie position wait"},
         u"1499.5",
         1500},
        {"getPositionInFrames",
         &Movie::getPositionInFrames,
         {u"set movie time format frames wait", u"status movie position"},
         u"77",
         77},
        {"getLengthInSec", &Movie::getLengthInSec, {u"set movie time format ms", u"status movie length"}, u"1999", 1},
        {"getLengthInSec", &Movie::getLengthInSec, {u"set movie time format ms", u"status movie length"}, u"-1999", -1},
        {"getPositionInSec",
         &Movie::getPositionInSec,
         {u"set movie time format ms", u"status movie position wait"},
         u"65999",
         65},
        {"getRightVolume", &Movie::getRightVolume, {u"status movie right volume"}, u" 42 ", 42},
        {"getRightVolume", &Movie::getRightVolume, {u"status movie right volume"}, u"&H10", 16},
        {"getRightVolume", &Movie::getRightVolume, {u"status movie right volume"}, u"2.5", 2},
    };
    for (const NumericCase& c : cases) {
        auto movie = NewMovie();
        Forget();
        Reply(c.commands.back(), c.reply);
        EXPECT_EQ(((*movie).*c.call)(), c.expected) << c.member << " " << sim::ToUtf8(c.reply);
        EXPECT_EQ(Sent(), c.commands) << c.member;
        Reply(c.commands.back(), u"");
    }
}

TEST_F(MovieQueries, ANumberStopsAtTheReplysNulNotAtTheStaleTail) {
    auto movie = NewMovie();
    Replies(u"status movie volume", {{u"123456", 0}, {u"7", 0}});
    EXPECT_EQ(movie->getVolume(), 123456);
    EXPECT_EQ(movie->getVolume(), 7);  // buffer "7\03456"
}

TEST_F(MovieQueries, TimeFormatCommandsGoWithoutAReplyAndTheQueryCodeReplacesTheirs) {
    auto movie = NewMovie();
    Reply(u"set movie time format ms", u"", sim::mcierr::kBadTimeFormat);
    Reply(u"status movie length", u"5000");
    EXPECT_EQ(movie->getLengthInMS(), 5000);
    EXPECT_EQ(movie->get_Error(), 0);
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[0].reply_length, 0u);
    EXPECT_EQ(Calls()[1].reply_length, 128u);

    Reply(u"status movie length", u"", sim::mcierr::kDeviceNotReady);
    EXPECT_EQ(movie->getLengthInMS(), 0);  // an empty reply reads as 0
    EXPECT_EQ(movie->get_Error(), 276);
}

TEST_F(MovieQueries, GetBitsPerPixelIsADoubleInAVariant) {
    auto movie = NewMovie();
    Reply(u"status movie bitsperpel", u"24.5");
    const Variant bits = movie->getBitsPerPixel();
    ASSERT_NE(bits.As<Double>(), nullptr);
    EXPECT_EQ(*bits.As<Double>(), 24.5);
    EXPECT_EQ(Sent(), Commands{u"status movie bitsperpel"});
}

TEST_F(MovieQueries, GetRightVolumeRefusesTextThatIsNoNumber) {
    auto movie = NewMovie();
    Reply(u"status movie right volume", u"");
    EXPECT_RAISES(13, movie->getRightVolume());
    Reply(u"status movie right volume", u"loud");
    EXPECT_RAISES(13, movie->getRightVolume());
    // The query was sent and its code kept before the reading failed.
    Reply(u"status movie right volume", u"12 3", sim::mcierr::kHardware);
    EXPECT_RAISES(13, movie->getRightVolume());
    EXPECT_EQ(movie->get_Error(), 262);
    // The left volume of the same reply reads its leading number.
    Reply(u"status movie left volume", u"12 3");
    EXPECT_EQ(movie->getLeftVolume(), 12);
}

TEST_F(MovieQueries, GetRightVolumeReadsOnlyUpToTheNul) {
    auto movie = NewMovie();
    Replies(u"status movie right volume", {{u"100 percent", 0}, {u"55", 0}});
    EXPECT_RAISES(13, movie->getRightVolume());
    EXPECT_EQ(movie->getRightVolume(), 55);  // "55\0 percent"
}

TEST_F(MovieQueries, AReadingOutsideTheLongRangeOverflows) {
    auto movie = NewMovie();
    Reply(u"status movie volume", u"2147483647.5");
    EXPECT_RAISES(6, movie->getVolume());
    Reply(u"status movie volume", u"2147483647.4");
    EXPECT_EQ(movie->getVolume(), 2147483647);
    Reply(u"status movie length", u"3000000000");
    EXPECT_RAISES(6, movie->getLengthInSec());
    Reply(u"status movie right volume", u"-2147483649");
    EXPECT_RAISES(6, movie->getRightVolume());
}

TEST_F(MovieQueries, FormattedLengthAndPositionRoundWhereSecondsTruncate) {
    auto movie = NewMovie();
    Reply(u"status movie length", u"1999");
    EXPECT_EQ(movie->getLengthInSec(), 1);
    EXPECT_EQ(movie->getFormatLength(), u"0:02");
    Forget();
    Reply(u"status movie position wait", u"3725000");
    EXPECT_EQ(movie->getFormatPosition(), u"1:2:05");
    EXPECT_EQ(Sent(), (Commands{u"set movie time format ms", u"status movie position wait"}));
    Reply(u"status movie length", u"3599499");
    EXPECT_EQ(movie->getFormatLength(), u"59:59");
    Reply(u"status movie length", u"3599500");
    EXPECT_EQ(movie->getFormatLength(), u"1:0:00");
    EXPECT_TRUE(runtime->Desk().MessageBoxes().empty());
}

TEST_F(MovieQueries, CheckErrorIsTheMessageOfTheCurrentCodeIn255Characters) {
    auto movie = NewMovie();
    Reply(u"play movie", u"", sim::mcierr::kFileNotFound);
    movie->playMovie();
    const String text = movie->checkError();
    const String message = u"The file could not be found.";
    ASSERT_EQ(text.size(), 255u);
    EXPECT_EQ(text.substr(0, message.size()), message);
    EXPECT_EQ(text[message.size()], u'\0');
    EXPECT_EQ(text.substr(message.size() + 1), String(255 - message.size() - 1, u' '));
    const auto asked = windows->Calls(u"mciGetErrorStringA");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].args, (std::vector<String>{u"275", u"255"}));
    // No command was sent for it.
    EXPECT_EQ(Sent(), Commands{u"play movie"});
}

TEST_F(MovieQueries, CheckErrorAfterSuccessAndForACodeSetByTheCaller) {
    auto movie = NewMovie();
    const String ok = movie->checkError();
    EXPECT_EQ(ok.size(), 255u);
    EXPECT_EQ(ok.substr(0, ok.find(u'\0')), u"The command completed without error.");
    movie->let_Error(-1);
    const String unknown = movie->checkError();
    EXPECT_EQ(unknown.size(), 255u);
    EXPECT_EQ(unknown.substr(0, unknown.find(u'\0')), u"Unknown error code.");
}

}  // namespace
}  // namespace quibor15::testing
