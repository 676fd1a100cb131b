// Positioning the movie: setPositionTo and its write-back, the six relative
// moves with their overflow points, and reading the size replies.
#include "media_world.hpp"

namespace quibor15::testing {
namespace {

using Movie = clsQuiborWUIMMMovieA;

class MoviePositioning : public MediaWorld {};

TEST_F(MoviePositioning, SetPositionToWhilePausedAsksTwiceThenSeeksAndWritesBackMilliseconds) {
    auto movie = NewMovie();
    Reply(u"status movie mode", u"paused");
    Long second = 5;
    EXPECT_TRUE(movie->setPositionTo(second).IsEmpty());
    EXPECT_EQ(second, 5000);
    EXPECT_EQ(Sent(), (Commands{u"status movie mode", u"status movie mode", u"seek movie to 5000"}));
}

TEST_F(MoviePositioning, SetPositionToWhilePlayingPlaysOnFromThePosition) {
    auto movie = NewMovie();
    Reply(u"status movie mode", u"playing");
    Long second = -2;
    movie->setPositionTo(second);
    EXPECT_EQ(second, -2000);
    EXPECT_EQ(Sent(), (Commands{u"status movie mode", u"play movie from -2000"}));
}

TEST_F(MoviePositioning, SetPositionToKeepsTheCodeOfItsSeekOrPlay) {
    auto movie = NewMovie();
    Reply(u"status movie mode", u"stopped");
    Reply(u"seek movie to 999000", u"", sim::mcierr::kOutOfRange);
    Long second = 999;
    movie->setPositionTo(second);
    // A failed seek is not reported as the mode query's success.
    EXPECT_EQ(movie->get_Error(), 282);

    Reply(u"status movie mode", u"playing");
    Reply(u"play movie from 7000", u"", sim::mcierr::kDeviceNotReady);
    second = 7;
    movie->setPositionTo(second);
    EXPECT_EQ(movie->get_Error(), 276);

    second = 8;
    movie->setPositionTo(second);
    EXPECT_EQ(movie->get_Error(), 0);
}

TEST_F(MoviePositioning, SetPositionToWhenPlayStartsBetweenTheTwoQuestionsStillMoves) {
    auto movie = NewMovie();
    Replies(u"status movie mode", {{u"stopped", 0}, {u"playing", 0}});
    Long second = 3;
    movie->setPositionTo(second);
    EXPECT_EQ(Sent(), (Commands{u"status movie mode", u"status movie mode", u"play movie from 3000"}));
    EXPECT_EQ(second, 3000);
}

TEST_F(MoviePositioning, SetPositionToOverflowSendsNothingAndLeavesTheVariable) {
    const Long cases[] = {2147484, -2147484, 2147483647, -2147483647 - 1};
    for (Long start : cases) {
        auto movie = NewMovie();
        Forget();
        Long second = start;
        EXPECT_RAISES(6, movie->setPositionTo(second));
        EXPECT_EQ(second, start);
        EXPECT_TRUE(Sent().empty()) << start;
    }
    // The last values that fit.
    auto movie = NewMovie();
    Long high = 2147483, low = -2147483;
    movie->setPositionTo(high);
    movie->setPositionTo(low);
    EXPECT_EQ(high, 2147483000);
    EXPECT_EQ(low, -2147483000);
}

TEST_F(MoviePositioning, SetPositionToWritesBackThroughLateBinding) {
    auto movie = NewMovie();
    Reply(u"status movie mode", u"stopped");
    Variant second(Long{12});
    std::vector<Variant> args = {Variant::ByRef(second)};
    movie->Invoke(movie->GetIdOfName(u"setPositionTo"), kInvokeMethod, args);
    ASSERT_NE(second.As<Long>(), nullptr);
    EXPECT_EQ(*second.As<Long>(), 12000);
    EXPECT_EQ(Sent().back(), u"seek movie to 12000");

    Variant too_big(Long{3000000});
    std::vector<Variant> overflow = {Variant::ByRef(too_big)};
    EXPECT_RAISES(6, movie->Invoke(movie->GetIdOfName(u"setPositionTo"), kInvokeMethod, overflow));
    EXPECT_EQ(*too_big.As<Long>(), 3000000);
}

struct MoveCase {
    const char* member;
    Variant (Movie::*call)(Long&);
    Long amount;
    const char16_t* position;  // the position reply
    std::vector<String> commands;
};

TEST_F(MoviePositioning, RelativeMovesSendTheirFormatThePositionQueryThenPlay) {
    const std::vector<String> ms = {u"set movie time format ms", u"set movie time format ms",
                                    u"status movie position wait"};
    const std::vector<String> frames = {u"set movie time format frames", u"set movie time format frames wait",
                                        u"status movie position"};
    auto with = [](std::vector<String> v, const char16_t* last) {
        v.push_back(last);
        return v;
    };
    const MoveCase cases[] = {
        {"rewindByMS", &Movie::rewindByMS, 500, u"12000", with(ms, u"play movie from 11500")},
        {"rewindByMS", &Movie::rewindByMS, 500, u"100", with(ms, u"play movie from -400")},
        {"forwardByMS", &Movie::forwardByMS, 250, u"12000", with(ms, u"play movie from 12250")},
        {"rewindBySeconds", &Movie::rewindBySeconds, 3, u"12000", with(ms, u"play movie from 9000")},
        {"forwardBySeconds", &Movie::forwardBySeconds, 3, u"12000", with(ms, u"play movie from 15000")},
        {"forwardBySeconds", &Movie::forwardBySeconds, -20, u"12000", with(ms, u"play movie from -8000")},
        {"rewindByFrames", &Movie::rewindByFrames, 10, u"250", with(frames, u"play movie from 240")},
        {"forwardByFrames", &Movie::forwardByFrames, 10, u"250", with(frames, u"play movie from 260")},
        {"forwardByFrames", &Movie::forwardByFrames, 0, u"12.5", with(frames, u"play movie from 12")},
    };
    for (const MoveCase& c : cases) {
        auto movie = NewMovie();
        Forget();
        Reply(c.commands[2], c.position);
        Long amount = c.amount;
        EXPECT_TRUE(((*movie).*c.call)(amount).IsEmpty()) << c.member;
        EXPECT_EQ(Sent(), c.commands) << c.member;
        EXPECT_EQ(amount, c.amount) << c.member;
        Reply(c.commands[2], u"");
    }
}

TEST_F(MoviePositioning, RelativeMoveKeepsThePlayCode) {
    auto movie = NewMovie();
    Reply(u"status movie position wait", u"100");
    Reply(u"play movie from -400", u"", sim::mcierr::kOutOfRange);
    Long amount = 500;
    movie->rewindByMS(amount);
    EXPECT_EQ(movie->get_Error(), 282);
}

TEST_F(MoviePositioning, RelativeMovesOverflowAfterThePositionAndBeforeThePlay) {
    const struct {
        const char* member;
        Variant (Movie::*call)(Long&);
        Long amount;
        const char16_t* position;
        bool overflows;
    } cases[] = {
        {"forwardByMS", &Movie::forwardByMS, 1, u"2147483647", true},
        {"forwardByMS", &Movie::forwardByMS, 0, u"2147483647", false},
        {"rewindByMS", &Movie::rewindByMS, 1, u"-2147483648", true},
        {"rewindByMS", &Movie::rewindByMS, -2147483647 - 1, u"0", true},  // 0 - (-2^31)
        {"rewindByMS", &Movie::rewindByMS, -2147483647 - 1, u"-1", false},
        {"forwardByFrames", &Movie::forwardByFrames, 2147483647, u"1", true},
        {"rewindByFrames", &Movie::rewindByFrames, 2, u"-2147483647", true},
        // The seconds' product overflows on its own, even where the target
        // would fit.
        {"rewindBySeconds", &Movie::rewindBySeconds, 2147484, u"5000", true},
        {"rewindBySeconds", &Movie::rewindBySeconds, 2147483, u"5000", false},
        {"forwardBySeconds", &Movie::forwardBySeconds, 2147483, u"1000000", true},
        {"forwardBySeconds", &Movie::forwardBySeconds, 2147483, u"647", false},
        {"forwardBySeconds", &Movie::forwardBySeconds, -2147484, u"0", true},
    };
    for (const auto& c : cases) {
        auto movie = NewMovie();
        Forget();
        Reply(u"status movie position wait", c.position);
        Reply(u"status movie position", c.position);
        Long amount = c.amount;
        if (c.overflows) {
            EXPECT_RAISES(6, ((*movie).*c.call)(amount)) << c.member << " " << c.amount;
            // The format and position commands stay sent; no play follows.
            EXPECT_EQ(Sent().size(), 3u) << c.member;
        } else {
            ((*movie).*c.call)(amount);
            ASSERT_EQ(Sent().size(), 4u) << c.member;
            EXPECT_EQ(Sent()[3].rfind(u"play movie from ", 0), 0u) << c.member;
        }
    }
}

TEST_F(MoviePositioning, RelativeMoveTargetsAreNotClamped) {
    auto movie = NewMovie();
    Reply(u"status movie position wait", u"2147483000");
    Long amount = 647;
    movie->forwardByMS(amount);
    EXPECT_EQ(Sent().back(), u"play movie from 2147483647");
}

// --- size extraction

TEST_F(MoviePositioning, ExtractCurrentSizeTakesTheThirdAndFourthNumbersAndLeavesLeftAndTop) {
    auto movie = NewMovie();
    Reply(u"where movie destination max", u"0 0 352 288");
    Long left = -1, top = -2, width = -3, height = -4;
    EXPECT_TRUE(movie->extractCurrentMovieSize(left, top, width, height).IsEmpty());
    EXPECT_EQ(width, 352);
    EXPECT_EQ(height, 288);
    EXPECT_EQ(left, -1);
    EXPECT_EQ(top, -2);
    EXPECT_EQ(Sent(), Commands{u"where movie destination max"});
}

TEST_F(MoviePositioning, ExtractDefaultSizeReadsTheSourceRectangle) {
    auto movie = NewMovie();
    Reply(u"where movie source", u"10 20 640 480");
    Long width = 0, height = 0;
    movie->extractDefaultMovieSize(width, height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_EQ(Sent(), Commands{u"where movie source"});
}

TEST_F(MoviePositioning, SizeExtractionSkipsTheStepsThatFail) {
    const struct {
        const char16_t* reply;
        Long width, height;  // starting at 7 and 9
    } cases[] = {
        {u"", 0, 9},         // every character NUL: width 0, height kept
        {u"352x288", 0, 9},  // no blank at all
        {u"0 0 352.5 288.5", 352, 288},
        {u"0 0 353.5 287.5", 354, 288},
        {u"1 2 3", 0, 9},             // no blank after the third number: nothing to read
        {u"a b c d", 0, 0},           // words read as 0
        {u"0 0 3000000000 1", 7, 1},  // the width overflows and is skipped
        {u"0 0 10 -20", 10, -20},
    };
    for (const auto& c : cases) {
        auto movie = NewMovie();
        Reply(u"where movie source", c.reply);
        Long width = 7, height = 9;
        movie->extractDefaultMovieSize(width, height);
        EXPECT_EQ(width, c.width) << sim::ToUtf8(c.reply);
        EXPECT_EQ(height, c.height) << sim::ToUtf8(c.reply);
    }
}

TEST_F(MoviePositioning, SizeExtractionSearchesTheWholeBufferTailIncluded) {
    auto movie = NewMovie();
    // A longer earlier reply leaves blanks after the NUL of a failed query:
    // the numbers found there are the stale ones, and Error tells the
    // caller the query failed.
    Reply(u"where movie source", u"0 0 320 240");
    Reply(u"where movie destination max", u"", sim::mcierr::kDeviceNotReady);
    Long w = 0, h = 0, l = 0, t = 0;
    movie->extractDefaultMovieSize(w, h);
    w = 0;
    h = 0;
    movie->extractCurrentMovieSize(l, t, w, h);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    EXPECT_EQ(movie->get_Error(), 276);
}

}  // namespace
}  // namespace quibor15::testing
