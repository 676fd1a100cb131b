// The two clock texts side by side: the movie controller's formatTime
// (through getFormatLength) and the MP3 player's MP3FormatTime (through
// MP3Duration), for the same lengths, and the MP3 position text.
#include "media/clock_text.hpp"

#include "media_world.hpp"

namespace quibor15::testing {
namespace {

struct ClockCase {
    Long milliseconds;
    const char16_t* movie;
    const char16_t* player;
};

const ClockCase kClockCases[] = {
    {0, u"0:00", u"00:00"},
    {499, u"0:00", u"00:00"},
    {500, u"0:00", u"00:00"},   // 0.5 s rounds to 0
    {1500, u"0:02", u"00:02"},  // halves to even
    {2500, u"0:02", u"00:02"},
    {3500, u"0:04", u"00:04"},
    {9000, u"0:09", u"00:09"},
    {10000, u"0:10", u"00:10"},
    {59499, u"0:59", u"00:59"},
    {59500, u"1:00", u"01:00"},
    {65000, u"1:05", u"01:05"},
    {600000, u"10:00", u"10:00"},
    {3599499, u"59:59", u"59:59"},
    {3599500, u"1:0:00", u"1:00:00"},
    {3725000, u"1:2:05", u"1:02:05"},
    {36000000, u"10:0:00", u"10:00:00"},
    {2147483647, u"596:31:24", u"596:31:24"},
    {-1, u"0:00", u"00:00"},
    {-65000, u"0:00", u"00:00"},
    {-3725000, u"0:00", u"00:00"},
    {-2147483647 - 1, u"0:00", u"00:00"},
};

TEST(ClockText, MovieAndPlayerFormattersSideBySide) {
    for (const ClockCase& c : kClockCases) {
        EXPECT_EQ(media::MovieClockText(c.milliseconds), c.movie) << c.milliseconds;
        EXPECT_EQ(media::PlayerClockText(c.milliseconds), c.player) << c.milliseconds;
    }
}

class ClockTextThroughTheClasses : public MediaWorld {};

TEST_F(ClockTextThroughTheClasses, GetFormatLengthAndMP3DurationGiveTheTwoTexts) {
    auto movie = NewMovie();
    auto player = NewPlayer();
    player->let_MP3File(u"song.mp3");
    for (const ClockCase& c : kClockCases) {
        const String reply = DecimalText(c.milliseconds);
        Reply(u"status movie length", reply);
        Reply(u"status \"song.mp3\" length", reply);
        EXPECT_EQ(movie->getFormatLength(), c.movie) << c.milliseconds;
        const Variant duration = player->MP3Duration();
        ASSERT_TRUE(duration.IsString()) << c.milliseconds;
        EXPECT_EQ(*duration.As<String>(), c.player) << c.milliseconds;
    }
    EXPECT_TRUE(runtime->Desk().MessageBoxes().empty());
}

TEST(ClockText, PlayerPositionTextNeverSplitsOffHours) {
    const struct {
        Long seconds;
        const char16_t* text;
    } cases[] = {
        {0, u"0:00"},     {5, u"0:05"},     {59, u"0:59"},     {60, u"01:00"},
        {65, u"01:05"},   {599, u"09:59"},  {600, u"10:00"},   {3599, u"59:59"},
        {3600, u"60:00"}, {3725, u"62:05"}, {6000, u"100:00"}, {2147483647, u"35791394:07"},
    };
    for (const auto& c : cases) EXPECT_EQ(media::PlayerPositionText(c.seconds), c.text) << c.seconds;
}

}  // namespace
}  // namespace quibor15::testing
