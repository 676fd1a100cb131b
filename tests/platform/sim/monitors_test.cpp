#include <gtest/gtest.h>

#include "platform/sim/sim_windows.hpp"
#include "sim_test_support.hpp"

namespace quibor15::sim {
namespace {

using testing::FakeControl;

// Two 1280 x 1024 monitors side by side; the left one is primary and has a
// 30-pixel task bar at the bottom.
class TwoMonitors : public ::testing::Test {
protected:
    void SetUp() override {
        win.ClearMonitors();
        left = win.AddMonitor(Rect{0, 0, 1280, 1024}, Rect{0, 0, 1280, 994});
        right = win.AddMonitor(Rect{1280, 0, 2560, 1024});
    }
    SimWindows win;
    Handle left = 0, right = 0;
};

TEST(Monitors, FreshSystemHasOneFullHdMonitor) {
    SimWindows win;
    EXPECT_EQ(win.GetSystemMetrics(sm::kCxScreen), 1920);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCyScreen), 1080);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCMonitors), 1);
    MonitorInfo info;
    ASSERT_EQ(win.GetMonitorInfoA(0x00010001, info), 1);
    EXPECT_EQ(info.work, (Rect{0, 0, 1920, 1040}));
}

TEST_F(TwoMonitors, HandlesAreDistinctAndFollowTheSystemPattern) {
    EXPECT_EQ(left, 0x00010001);
    EXPECT_EQ(right, 0x00020003);
    EXPECT_EQ(win.AddMonitor(Rect{0, 1024, 640, 1504}), 0x00030005);
}

TEST_F(TwoMonitors, MetricsDescribeThePrimaryAndTheBoundingBox) {
    const struct {
        int32_t index;
        int32_t value;
    } cases[] = {
        {sm::kCxScreen, 1280},    {sm::kCyScreen, 1024},        {sm::kCMonitors, 2},          {sm::kXVirtualScreen, 0},
        {sm::kYVirtualScreen, 0}, {sm::kCxVirtualScreen, 2560}, {sm::kCyVirtualScreen, 1024}, {42, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(win.GetSystemMetrics(c.index), c.value) << c.index;
    EXPECT_EQ(win.Calls(u"GetSystemMetrics").at(0), (CallRecord{u"GetSystemMetrics", {u"0"}}));
}

TEST(Monitors, SecondaryLeftOfThePrimaryMakesNegativeVirtualOrigin) {
    SimWindows win;
    win.ClearMonitors();
    win.AddMonitor(Rect{0, 0, 1920, 1080});
    win.AddMonitor(Rect{-1024, -100, 0, 668});
    EXPECT_EQ(win.GetSystemMetrics(sm::kXVirtualScreen), -1024);
    EXPECT_EQ(win.GetSystemMetrics(sm::kYVirtualScreen), -100);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCxVirtualScreen), 2944);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCyVirtualScreen), 1180);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCxScreen), 1920);  // the primary, not the box
}

TEST_F(TwoMonitors, MonitorFromRectByFlags) {
    const struct {
        Rect rect;
        uint32_t flags;
        int which;  // 0 none, 1 left, 2 right
    } cases[] = {
        {{320, 240, 321, 241}, 0, 1},         {{1600, 240, 1601, 241}, 0, 2},
        {{1279, 0, 1280, 1}, 0, 1},            // last column of the left monitor
        {{1280, 0, 1281, 1}, 0, 2},            // right edge is exclusive
        {{-5000, -5000, -4999, -4999}, 0, 0},  // on no monitor
        {{-5000, -5000, -4999, -4999}, 1, 1},  // the primary
        {{-5000, -5000, -4999, -4999}, 2, 1},  // the nearest
        {{5000, 500, 5001, 501}, 0, 0},       {{5000, 500, 5001, 501}, 1, 1},
        {{5000, 500, 5001, 501}, 2, 2},    // right of the right monitor
        {{1500, 3000, 1501, 3001}, 2, 2},  // below the right monitor
        {{1200, 0, 1400, 10}, 0, 2},       // larger part on the right monitor
        {{1100, 0, 1300, 10}, 0, 1},       // larger part on the left monitor
        {{1180, 0, 1380, 10}, 0, 1},       // equal parts: the earlier monitor
        {{320, 240, 321, 241}, 3, 0},      // not a flag value
        {{320, 240, 320, 240}, 0, 1},      // an empty rectangle counts as its corner
    };
    for (const auto& c : cases) {
        const Handle expected = c.which == 0 ? 0 : c.which == 1 ? left : right;
        EXPECT_EQ(win.MonitorFromRect(c.rect, c.flags), expected)
            << c.rect.left << "," << c.rect.top << " flags " << c.flags;
    }
}

TEST(Monitors, NearestIsTheClosestByDistanceNotTheFirst) {
    SimWindows win;
    win.ClearMonitors();
    const Handle primary = win.AddMonitor(Rect{0, 0, 800, 600});
    const Handle far_right = win.AddMonitor(Rect{2000, 0, 2800, 600});
    // 300 pixels right of the primary's edge, 900 left of the other.
    EXPECT_EQ(win.MonitorFromRect(Rect{1100, 100, 1101, 101}, 2), primary);
    // 800 pixels right of the primary's edge, 400 left of the other.
    EXPECT_EQ(win.MonitorFromRect(Rect{1600, 100, 1601, 101}, 2), far_right);
    // A diagonal gap counts both axes: (2900, 700) is near the second.
    EXPECT_EQ(win.MonitorFromRect(Rect{2900, 700, 2901, 701}, 2), far_right);
}

TEST_F(TwoMonitors, MonitorInfoFillsRectanglesAndPrimaryFlag) {
    MonitorInfo info;
    ASSERT_EQ(win.GetMonitorInfoA(left, info), 1);
    EXPECT_EQ(info.monitor, (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(info.work, (Rect{0, 0, 1280, 994}));
    EXPECT_EQ(info.flags, kMonitorInfoPrimary);
    ASSERT_EQ(win.GetMonitorInfoA(right, info), 1);
    EXPECT_EQ(info.monitor, (Rect{1280, 0, 2560, 1024}));
    EXPECT_EQ(info.work, info.monitor);
    EXPECT_EQ(info.flags, 0u);

    MonitorInfo untouched;
    untouched.monitor = Rect{7, 7, 7, 7};
    EXPECT_EQ(win.GetMonitorInfoA(0x00990001, untouched), 0);
    EXPECT_EQ(win.GetMonitorInfoA(0, untouched), 0);
    untouched.cb_size = 39;
    EXPECT_EQ(win.GetMonitorInfoA(left, untouched), 0);
    EXPECT_EQ(untouched.monitor, (Rect{7, 7, 7, 7}));
    untouched.cb_size = 72;  // the extended record is accepted
    EXPECT_EQ(win.GetMonitorInfoA(left, untouched), 1);
    EXPECT_EQ(win.Calls(u"GetMonitorInfoA").at(0), (CallRecord{u"GetMonitorInfoA", {u"0x10001", u"cbSize=40"}}));
}

TEST_F(TwoMonitors, MonitorFromWindowReadsTheFormGeometryInTwips) {
    auto form = MakeRef<FakeControl>();
    form->left = 20000;  // 1333 pixels at 15 twips per pixel: on the right monitor
    form->top = 1500;
    form->width = 6000;
    form->height = 4000;
    win.SetWindowResolver([&](Handle h) { return h == 0x1234 ? ObjectRef(form) : ObjectRef(); });
    EXPECT_EQ(win.WindowRect(0x1234), (Rect{1333, 100, 1733, 367}));
    EXPECT_EQ(win.MonitorFromWindow(0x1234, 0), right);

    form->left = 15000;  // 1000 to 1400 pixels: more on the left monitor
    EXPECT_EQ(win.MonitorFromWindow(0x1234, 0), left);

    win.SetTwipsPerPixel(12);  // 1250 to 1750 pixels: more on the right
    EXPECT_EQ(win.MonitorFromWindow(0x1234, 0), right);

    form->left = -100000;
    EXPECT_EQ(win.MonitorFromWindow(0x1234, 0), 0);
    EXPECT_EQ(win.MonitorFromWindow(0x1234, 1), left);
    EXPECT_EQ(win.MonitorFromWindow(0x1234, 2), left);
}

TEST_F(TwoMonitors, MonitorFromWindowOfAnUnknownWindowMatchesNothing) {
    EXPECT_EQ(win.MonitorFromWindow(0x4444, 0), 0);
    EXPECT_EQ(win.MonitorFromWindow(0x4444, 1), left);
    EXPECT_EQ(win.MonitorFromWindow(0x4444, 2), left);
    EXPECT_EQ(win.MonitorFromWindow(0, 0), 0);
    EXPECT_EQ(win.MonitorFromWindow(0x4444, 7), 0);
}

TEST_F(TwoMonitors, MonitorFromWindowOfAnAddedWindowUsesItsRectangle) {
    win.AddWindow(0x5000, Rect{2000, 500, 2100, 600});
    EXPECT_EQ(win.MonitorFromWindow(0x5000, 0), right);
    win.AddWindow(0x5002);  // a window without a known rectangle
    EXPECT_EQ(win.MonitorFromWindow(0x5002, 0), 0);
    EXPECT_EQ(win.MonitorFromWindow(0x5002, 1), left);
}

TEST_F(TwoMonitors, MissingEntryPointsRaise453) {
    win.SetMultiMonitorEntryPointsMissing(true);
    MonitorInfo info;
    EXPECT_RAISES(rt::kDllEntryPointNotFound, win.MonitorFromRect(Rect{1, 1, 2, 2}, 1));
    EXPECT_RAISES(rt::kDllEntryPointNotFound, win.MonitorFromWindow(0x1234, 1));
    EXPECT_RAISES(rt::kDllEntryPointNotFound, win.GetMonitorInfoA(left, info));
    // The metrics are not among the missing functions.
    EXPECT_EQ(win.GetSystemMetrics(sm::kCMonitors), 2);
    win.SetMultiMonitorEntryPointsMissing(false);
    EXPECT_EQ(win.MonitorFromRect(Rect{1, 1, 2, 2}, 1), left);
}

TEST_F(TwoMonitors, MonitorCountMetricZeroLooksLikeASingleMonitorSystem) {
    win.SetMonitorCountMetricZero(true);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCMonitors), 0);
    EXPECT_EQ(win.GetSystemMetrics(sm::kXVirtualScreen), 0);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCxVirtualScreen), 0);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCyVirtualScreen), 0);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCxScreen), 1280);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCyScreen), 1024);
}

TEST_F(TwoMonitors, ClearedDesktopHasNoMonitors) {
    win.ClearMonitors();
    EXPECT_EQ(win.GetSystemMetrics(sm::kCMonitors), 0);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCxScreen), 0);
    EXPECT_EQ(win.MonitorFromRect(Rect{1, 1, 2, 2}, 1), 0);
    EXPECT_EQ(win.MonitorFromRect(Rect{1, 1, 2, 2}, 2), 0);
    EXPECT_EQ(win.AddMonitor(Rect{0, 0, 640, 480}), 0x00010001);
}

TEST_F(TwoMonitors, StagedMetricOverridesTheLayout) {
    win.SetSystemMetric(sm::kCMonitors, 5);
    win.SetSystemMetric(31, 77);
    EXPECT_EQ(win.GetSystemMetrics(sm::kCMonitors), 5);
    EXPECT_EQ(win.GetSystemMetrics(31), 77);
}

TEST_F(TwoMonitors, LookupsAreLoggedWithRectangleAndFlags) {
    win.ClearLog();
    win.MonitorFromRect(Rect{-5000, -5000, -4999, -4999}, 2);
    win.MonitorFromWindow(0x1234, 1);
    EXPECT_EQ(win.Calls(), (std::vector<CallRecord>{{u"MonitorFromRect", {u"-5000,-5000,-4999,-4999", u"0x2"}},
                                                    {u"MonitorFromWindow", {u"0x1234", u"0x1"}}}));
}

}  // namespace
}  // namespace quibor15::sim
