// timeOut: about `duration` seconds on the host's clock, one turn of the
// host's event loop per pass, also across midnight. The tests drive the
// headless clock from the pump hook.
#include "media_world.hpp"

namespace quibor15::testing {
namespace {

class MovieTimeOut : public MediaWorld {
protected:
    // Each turn of the event loop moves the clock on by `step` seconds.
    void ClockStepsPerPump(double step) {
        runtime->SetPumpHook([this, step] { runtime->AdvanceClock(step); });
    }
    double Clock() { return runtime->SecondsSinceMidnight(); }
};

TEST_F(MovieTimeOut, WaitsUntilDurationSecondsAfterTheRoundedStartPumpingOncePerPass) {
    const struct {
        double start_clock;
        double duration;
        double step;
        int64_t pumps;
        double end_clock;
    } cases[] = {
        {1000.0, 2, 0.25, 8, 1002.0},     {1000.375, 2, 0.125, 13, 1002.0},  // the start rounds down to 1000
        {1000.625, 2, 0.125, 19, 1003.0},                                    // ... and up to 1001
        {1000.5, 1, 0.5, 1, 1001.0},                                         // 1000.5 rounds to 1000 (half to even)
        {1001.5, 1, 0.5, 3, 1003.0},                                         // 1001.5 rounds to 1002
        {1000.0, 0, 0.25, 0, 1000.0},     {1000.625, 0, 0.125, 3, 1001.0},  // the rounded start lies ahead: wait for it
        {1000.0, -5, 0.25, 0, 1000.0},    {1000.0, 0.3, 0.25, 2, 1000.5},
    };
    for (const auto& c : cases) {
        runtime->SetClock(c.start_clock);
        ClockStepsPerPump(c.step);
        const int64_t before = runtime->PumpCount();
        auto movie = NewMovie();
        Variant duration(c.duration);
        movie->timeOut(duration);
        EXPECT_EQ(runtime->PumpCount() - before, c.pumps) << c.start_clock << " + " << c.duration;
        EXPECT_NEAR(Clock(), c.end_clock, 1e-6) << c.start_clock << " + " << c.duration;
    }
    EXPECT_TRUE(Sent().empty());
}

TEST_F(MovieTimeOut, AWaitAcrossMidnightEndsOnTime) {
    const struct {
        double start_clock;
        double duration;
        double step;
        double end_clock;
    } cases[] = {
        {86399.0, 3, 0.5, 2.0},
        {86399.75, 1, 0.125, 1.0},  // the start rounds to midnight itself
        {86390.0, 20, 1.0, 10.0},
        {86000.0, 86400 + 800, 50.0, 400.0},  // longer than a day
    };
    for (const auto& c : cases) {
        runtime->SetClock(c.start_clock);
        ClockStepsPerPump(c.step);
        auto movie = NewMovie();
        Variant duration(c.duration);
        const int64_t before = runtime->PumpCount();
        movie->timeOut(duration);
        EXPECT_NEAR(Clock(), c.end_clock, 1e-6) << c.start_clock;
        const double expected_pumps = (c.duration + (RoundHalfEven(c.start_clock) - c.start_clock)) / c.step;
        EXPECT_NEAR(static_cast<double>(runtime->PumpCount() - before), expected_pumps, 1.0) << c.start_clock;
    }
}

TEST_F(MovieTimeOut, DurationTextAndOtherSubtypesCompareAsNumbers) {
    runtime->SetClock(500.0);
    ClockStepsPerPump(0.5);
    auto movie = NewMovie();
    Variant text(u" 1.5 ");
    movie->timeOut(text);
    EXPECT_NEAR(Clock(), 501.5, 1e-6);

    Variant whole(Integer{2});
    movie->timeOut(whole);
    EXPECT_NEAR(Clock(), 504.0, 1e-6);  // started at 501.5, rounded to 502

    // Empty is 0, True is -1: neither waits.
    const int64_t before = runtime->PumpCount();
    Variant empty;
    movie->timeOut(empty);
    Variant truth(kTrue);
    movie->timeOut(truth);
    Variant null = Variant::Null();
    movie->timeOut(null);
    EXPECT_EQ(runtime->PumpCount(), before);
}

TEST_F(MovieTimeOut, DurationTextThatIsNoNumberRaisesTypeMismatchBeforeWaiting) {
    runtime->SetClock(10.0);
    ClockStepsPerPump(1.0);
    auto movie = NewMovie();
    Variant text(u"soon");
    EXPECT_RAISES(13, movie->timeOut(text));
    EXPECT_EQ(runtime->PumpCount(), 0);
}

TEST_F(MovieTimeOut, HandlersRunInsideTheWaitAndMayUseTheSameObject) {
    runtime->SetClock(100.0);
    auto movie = NewMovie();
    Reply(u"status movie mode", u"playing");
    int handled = 0;
    runtime->SetPumpHook([&] {
        ++handled;
        movie->getStatus();
        runtime->AdvanceClock(1.0);
    });
    Variant duration(Long{3});
    movie->timeOut(duration);
    EXPECT_EQ(handled, 3);
    EXPECT_EQ(Sent(), Commands(3, u"status movie mode"));
}

TEST_F(MovieTimeOut, AHandlerThatChangesTheCallersDurationEndsTheWaitSooner) {
    runtime->SetClock(100.0);
    auto movie = NewMovie();
    Variant duration(Long{60});
    runtime->SetPumpHook([&] {
        runtime->AdvanceClock(1.0);
        duration = Variant(Long{2});
    });
    movie->timeOut(duration);
    EXPECT_NEAR(Clock(), 102.0, 1e-6);
}

}  // namespace
}  // namespace quibor15::testing
