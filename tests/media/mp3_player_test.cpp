// The MP3 player: the device name rule, every command and its order, the
// four persistent 30-character buffers and the fresh 128-character one, the
// readings and their roundings, and going on past failing statements.
#include "media_world.hpp"
#include "platform/sim/fixture_locale_database.hpp"

namespace quibor15::testing {
namespace {

using Player = clsQuiborWUIMMMP3A;

class Mp3Player : public MediaWorld {
protected:
    Ref<Player> PlayerFor(const String& file) {
        auto player = NewPlayer();
        player->let_MP3File(file);
        return player;
    }
};

TEST_F(Mp3Player, TheFirstPlayClosesNothingNamedThenOpensAndPlaysTheQuotedTrimmedFile) {
    auto player = PlayerFor(u"  C:\\Music\\My Song.mp3  ");
    player->MP3Play();
    EXPECT_EQ(Sent(), (Commands{u"close ", u"open \"C:\\Music\\My Song.mp3\"", u"play \"C:\\Music\\My Song.mp3\""}));
    EXPECT_EQ(player->get_MP3File(), u"  C:\\Music\\My Song.mp3  ");  // never changed
    for (const sim::MciCall& call : Calls()) {
        EXPECT_EQ(call.reply_length, 0u);
        EXPECT_EQ(call.callback, 0);
    }
}

TEST_F(Mp3Player, PlayClosesThePreviousDeviceBeforeNamingTheNewFile) {
    auto player = PlayerFor(u"a.mp3");
    player->MP3Play();
    Forget();
    player->let_MP3File(u"b.mp3");
    player->MP3Play();
    EXPECT_EQ(Sent(), (Commands{u"close \"a.mp3\"", u"open \"b.mp3\"", u"play \"b.mp3\""}));
}

TEST_F(Mp3Player, StopPauseAndResumeRenameTheDeviceFirst) {
    const struct {
        const char* member;
        void (Player::*call)();
        const char16_t* command;
    } cases[] = {
        {"MP3Stop", &Player::MP3Stop, u"close \"new.mp3\""},
        {"MP3Pause", &Player::MP3Pause, u"Stop \"new.mp3\""},
        {"MP3Resume", &Player::MP3Resume, u"play \"new.mp3\""},
    };
    for (const auto& c : cases) {
        auto player = PlayerFor(u"old.mp3");
        player->MP3Play();
        player->let_MP3File(u" new.mp3");
        Forget();
        ((*player).*c.call)();
        EXPECT_EQ(Sent(), Commands{c.command}) << c.member;
    }
}

TEST_F(Mp3Player, PlayingUsesTheLastNameWithoutRecomputingIt) {
    auto player = PlayerFor(u"old.mp3");
    player->MP3Play();
    player->let_MP3File(u"new.mp3");
    Forget();
    Reply(u"status \"old.mp3\" mode", u"playing");
    EXPECT_TRUE(player->MP3Playing().IsTrue());
    EXPECT_EQ(Sent(), Commands{u"status \"old.mp3\" mode"});
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].reply_length, 30u);

    // Before any member named a device the name is empty.
    auto fresh = PlayerFor(u"x.mp3");
    Forget();
    EXPECT_FALSE(fresh->MP3Playing().IsTrue());
    EXPECT_EQ(Sent(), Commands{u"status  mode"});
}

TEST_F(Mp3Player, PlayingComparesTheFirstSevenCharactersOfItsOwnBuffer) {
    auto player = PlayerFor(u"s.mp3");
    player->MP3Stop();  // names the device
    Replies(u"status \"s.mp3\" mode", {{u"playing", 0}, {u"play", 0}, {u"Playing", 0}, {u"playing", 263}});
    EXPECT_TRUE(player->MP3Playing().IsTrue());
    EXPECT_FALSE(player->MP3Playing().IsTrue());  // "play\0ng"
    EXPECT_FALSE(player->MP3Playing().IsTrue());
    EXPECT_TRUE(player->MP3Playing().IsTrue());  // the code is not looked at
    EXPECT_EQ(player->MP3Playing(), kFalse);     // unstaged: ""
}

TEST_F(Mp3Player, ChangePositionWhilePlayingPlaysFromTheMillisecondsAndWritesThemBack) {
    auto player = PlayerFor(u"song.mp3");
    Reply(u"status \"song.mp3\" mode", u"playing");
    Variant second(Integer{90});
    EXPECT_TRUE(player->MP3ChangePositionTo(second).IsEmpty());
    EXPECT_EQ(Sent(), (Commands{u"set \"song.mp3\" time format milliseconds", u"status \"song.mp3\" mode",
                                u"play \"song.mp3\" from 90000", u"status \"song.mp3\" mode"}));
    // 90 * 1000 leaves the Integer range: the runtime widens to Long.
    ASSERT_NE(second.As<Long>(), nullptr);
    EXPECT_EQ(*second.As<Long>(), 90000);
}

TEST_F(Mp3Player, ChangePositionWhileStoppedSeeksAndStaysSilent) {
    auto player = PlayerFor(u"song.mp3");
    Reply(u"status \"song.mp3\" mode", u"stopped");
    Variant second(1.5);
    player->MP3ChangePositionTo(second);
    EXPECT_EQ(Sent(), (Commands{u"set \"song.mp3\" time format milliseconds", u"status \"song.mp3\" mode",
                                u"status \"song.mp3\" mode", u"seek \"song.mp3\" to 1500"}));
    EXPECT_EQ(*second.As<Double>(), 1500.0);
}

TEST_F(Mp3Player, ChangePositionWhenPlayStopsOrStartsBetweenTheTwoQuestions) {
    auto player = PlayerFor(u"s.mp3");
    Replies(u"status \"s.mp3\" mode", {{u"playing", 0}, {u"stopped", 0}});
    Variant second(Long{2});
    player->MP3ChangePositionTo(second);
    EXPECT_EQ(Sent(), (Commands{u"set \"s.mp3\" time format milliseconds", u"status \"s.mp3\" mode",
                                u"play \"s.mp3\" from 2000", u"status \"s.mp3\" mode", u"seek \"s.mp3\" to 2000"}));

    Forget();
    Replies(u"status \"s.mp3\" mode", {{u"stopped", 0}, {u"playing", 0}});
    Variant again(Long{3});
    player->MP3ChangePositionTo(again);
    // The move is not lost when playing began in between.
    EXPECT_EQ(Sent(), (Commands{u"set \"s.mp3\" time format milliseconds", u"status \"s.mp3\" mode",
                                u"status \"s.mp3\" mode", u"play \"s.mp3\" from 3000"}));
}

TEST_F(Mp3Player, ChangePositionMultipliesByTheRuntimesVariantRules) {
    const struct {
        Variant in;
        Variant out;
        const char16_t* text;
    } cases[] = {
        {Variant(Integer{5}), Variant(Integer{5000}), u"5000"},
        {Variant(Integer{32}), Variant(Integer{32000}), u"32000"},
        {Variant(Integer{33}), Variant(Long{33000}), u"33000"},
        {Variant(Integer{-33}), Variant(Long{-33000}), u"-33000"},
        {Variant(Long{7}), Variant(Long{7000}), u"7000"},
        {Variant(Long{2147484}), Variant(2147484000.0), u"2147484000"},
        {Variant(Byte{255}), Variant(Long{255000}), u"255000"},
        {Variant(kTrue), Variant(Integer{-1000}), u"-1000"},
        {Variant(), Variant(Integer{0}), u"0"},
        {Variant(0.0625), Variant(62.5), u"62.5"},
        {Variant(Single{2.5f}), Variant(Single{2500.0f}), u"2500"},
        {Variant(u"12"), Variant(12000.0), u"12000"},
        {Variant(u" 0.25 "), Variant(250.0), u"250"},
        {Variant(Currency{12345}), Variant(Currency{12345000}), u"1234.5"},
        {Variant(3e12), Variant(3e15), u"3E+15"},
        {Variant::Null(), Variant::Null(), u""},
    };
    for (const auto& c : cases) {
        auto player = PlayerFor(u"s.mp3");
        Forget();
        Variant second = c.in;
        player->MP3ChangePositionTo(second);
        EXPECT_EQ(second, c.out) << sim::ToUtf8(c.text);
        EXPECT_EQ(Sent().back(), u"seek \"s.mp3\" to " + String(c.text));
    }
}

TEST_F(Mp3Player, ChangePositionWithTextThatIsNoNumberGoesOnWithTheValueUnchanged) {
    auto player = PlayerFor(u"s.mp3");
    Variant second(u"soon");
    player->MP3ChangePositionTo(second);
    EXPECT_EQ(second, Variant(u"soon"));
    EXPECT_EQ(Sent(), (Commands{u"set \"s.mp3\" time format milliseconds", u"status \"s.mp3\" mode",
                                u"status \"s.mp3\" mode", u"seek \"s.mp3\" to soon"}));
}

TEST_F(Mp3Player, ChangePositionSkipsOnlyTheStatementsThatFail) {
    auto player = PlayerFor(u"s.mp3");
    Reply(u"status \"s.mp3\" mode", u"playing");
    // An array neither multiplies nor joins a text: the multiplication and
    // both positioning commands fail, the other statements still run.
    Variant second(SafeArray::OneDim(VarType::Variant, 0, 1));
    player->MP3ChangePositionTo(second);
    EXPECT_TRUE(second.IsArray());
    EXPECT_EQ(Sent(), (Commands{u"set \"s.mp3\" time format milliseconds", u"status \"s.mp3\" mode",
                                u"status \"s.mp3\" mode"}));
}

TEST_F(Mp3Player, ChangePositionWritesTheDecimalSeparatorOfTheSystem) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    db->SetSystemDefault(0x0407);
    windows->SetLocaleDatabase(db);
    auto player = PlayerFor(u"s.mp3");
    Variant second(u"0,0625");
    player->MP3ChangePositionTo(second);
    EXPECT_EQ(second, Variant(62.5));
    EXPECT_EQ(Sent().back(), u"seek \"s.mp3\" to 62,5");
}

TEST_F(Mp3Player, ChangePositionWritesBackThroughLateBinding) {
    auto player = PlayerFor(u"s.mp3");
    Variant second(Integer{4});
    std::vector<Variant> args = {Variant::ByRef(second)};
    player->Invoke(player->GetIdOfName(u"mp3changepositionto"), kInvokeMethod, args);
    EXPECT_EQ(second, Variant(Integer{4000}));
}

TEST_F(Mp3Player, PositionMembersSetMillisecondsThenAskIntoTheirOwnBuffers) {
    auto player = PlayerFor(u"s.mp3");
    Reply(u"status \"s.mp3\" position", u"12400");
    const Variant ms = player->MP3PositionInMS();
    EXPECT_EQ(ms, Variant(12400.0));
    EXPECT_EQ(Sent(), (Commands{u"set \"s.mp3\" time format milliseconds", u"status \"s.mp3\" position"}));
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[0].reply_length, 0u);
    EXPECT_EQ(Calls()[1].reply_length, 30u);

    // Each member has a buffer of its own: a longer reply to one leaves no
    // tail in another's.
    Reply(u"status \"s.mp3\" position", u"123456789012345");
    player->MP3PositionInMS();
    Reply(u"status \"s.mp3\" position", u"7");
    EXPECT_EQ(player->MP3PositionInMS(), Variant(7.0));  // "7\03456..." ends at the NUL
    EXPECT_EQ(player->MP3Position(), Variant(u"0:00"));
    EXPECT_EQ(player->MP3PositionInSec(), Variant(u"00"));
}

TEST_F(Mp3Player, PositionInSecIsTextUpToNineSecondsAndANumberAbove) {
    const struct {
        const char16_t* reply;
        Variant expected;
    } cases[] = {
        {u"0", Variant(u"00")},      {u"4500", Variant(u"04")}, {u"5500", Variant(u"06")},   {u"9499", Variant(u"09")},
        {u"9500", Variant(10.0)},    {u"12400", Variant(12.0)}, {u"125000", Variant(125.0)}, {u"-400", Variant(u"00")},
        {u"-2000", Variant(u"0-2")}, {u"", Variant(u"0")},      {u"abc", Variant(u"0")},     {u"12 ms", Variant(u"0")},
    };
    for (const auto& c : cases) {
        auto player = PlayerFor(u"s.mp3");
        Reply(u"status \"s.mp3\" position", c.reply);
        EXPECT_EQ(player->MP3PositionInSec(), c.expected) << sim::ToUtf8(c.reply);
    }
}

TEST_F(Mp3Player, PositionIsAClockTextWithoutHours) {
    const struct {
        const char16_t* reply;
        const char16_t* text;
    } cases[] = {
        {u"5000", u"0:05"},     {u"59000", u"0:59"},     {u"59600", u"01:00"}, {u"60000", u"01:00"},
        {u"3725000", u"62:05"}, {u"6000000", u"100:00"}, {u"500", u"0:00"},    {u"1500", u"0:02"},
        {u"", u"0:00"},         {u"n/a", u"0:00"},       {u"3E+15", u"0:00"},  // too large for a Long
    };
    for (const auto& c : cases) {
        auto player = PlayerFor(u"s.mp3");
        Reply(u"status \"s.mp3\" position", c.reply);
        EXPECT_EQ(player->MP3Position(), Variant(String(c.text))) << sim::ToUtf8(c.reply);
    }
}

TEST_F(Mp3Player, LengthMembersAskIntoAFreshBufferAndLeaveTheDeviceAtFrames) {
    const struct {
        const char* member;
        Variant (Player::*call)();
    } members[] = {
        {"MP3DurationInMs", &Player::MP3DurationInMs},
        {"MP3DurationInSec", &Player::MP3DurationInSec},
        {"MP3Duration", &Player::MP3Duration},
    };
    for (const auto& m : members) {
        auto player = PlayerFor(u" s.mp3 ");
        Forget();
        Reply(u"status \"s.mp3\" length", u"3599500");
        ((*player).*m.call)();
        EXPECT_EQ(Sent(), (Commands{u"set \"s.mp3\" time format ms", u"status \"s.mp3\" length",
                                    u"set \"s.mp3\" time format frames"}))
            << m.member;
        ASSERT_EQ(Calls().size(), 3u);
        EXPECT_EQ(Calls()[0].reply_length, 128u) << m.member;
        EXPECT_EQ(Calls()[1].reply_length, 128u) << m.member;
        EXPECT_EQ(Calls()[2].reply_length, 0u) << m.member;
    }
}

TEST_F(Mp3Player, LengthReadings) {
    const struct {
        const char16_t* reply;
        Variant ms, sec, clock;
    } cases[] = {
        {u"3599500", Variant(3599500.0), Variant(3600.0), Variant(u"1:00:00")},
        {u"65000", Variant(65000.0), Variant(65.0), Variant(u"01:05")},
        {u"2500", Variant(2500.0), Variant(2.0), Variant(u"00:02")},
        {u"1499.5", Variant(1499.5), Variant(1.0), Variant(u"00:02")},  // 1500 ms, then 2 s
        {u"", Variant(0.0), Variant(), Variant(u"00:00")},
        {u"12 frames", Variant(12.0), Variant(), Variant(u"00:00")},
        {u"3000000000", Variant(3e9), Variant(3e6), Variant()},  // no Long for the clock text
    };
    for (const auto& c : cases) {
        auto player = PlayerFor(u"s.mp3");
        Reply(u"status \"s.mp3\" length", c.reply);
        EXPECT_EQ(player->MP3DurationInMs(), c.ms) << sim::ToUtf8(c.reply);
        EXPECT_EQ(player->MP3DurationInSec(), c.sec) << sim::ToUtf8(c.reply);
        EXPECT_EQ(player->MP3Duration(), c.clock) << sim::ToUtf8(c.reply);
    }
}

TEST_F(Mp3Player, TheEmptyReplyOfTheFormatCommandStandsUntilTheLengthReplaces) {
    auto player = PlayerFor(u"s.mp3");
    Reply(u"set \"s.mp3\" time format ms", u"999");
    Reply(u"status \"s.mp3\" length", u"5");
    EXPECT_EQ(player->MP3DurationInMs(), Variant(5.0));  // "5\099": the NUL ends it
}

TEST_F(Mp3Player, ServiceCodesAreDropped) {
    auto player = PlayerFor(u"s.mp3");
    windows->SetMciDefault(u"", sim::mcierr::kInvalidDeviceName);
    player->MP3Play();
    player->MP3Pause();
    player->MP3Resume();
    player->MP3Stop();
    EXPECT_EQ(player->MP3Playing(), kFalse);
    EXPECT_EQ(Sent().size(), 7u);
    EXPECT_EQ(windows->CallCount(u"mciGetErrorStringA"), 0u);
}

TEST_F(Mp3Player, LateBoundMembersMatchTheirDispatchIdentifiers) {
    auto player = PlayerFor(u"s.mp3");
    EXPECT_EQ(player->GetIdOfName(u"MP3Position"), static_cast<DispId>(0x6003000d));
    EXPECT_EQ(player->GetIdOfName(u"mp3file"), static_cast<DispId>(0x40030000));
    player->Invoke(player->GetIdOfName(u"MP3Play"), kInvokeMethod, {});
    EXPECT_EQ(Sent().back(), u"play \"s.mp3\"");
}

}  // namespace
}  // namespace quibor15::testing
