// The monitor list: desktop metrics with their fallback, the grid scan's
// order, keys and duplicates, its quiet failures, and the single-screen
// record.
#include "monitor_world.hpp"

namespace quibor15::testing {
namespace {

using sim::sm::kCMonitors;
using sim::sm::kCxVirtualScreen;
using sim::sm::kCyVirtualScreen;
using sim::sm::kXVirtualScreen;
using sim::sm::kYVirtualScreen;

struct Layout {
    const char* name;
    std::vector<std::pair<Rect, Rect>> monitors;  // rectangle, work area; the first is primary
    std::vector<int> listed;                      // positions in `monitors`, in list order
    Rect desktop;                                 // left, top, width, height
};

void PrintTo(const Layout& layout, std::ostream* os) { *os << layout.name; }

class StagedDesktops : public MonitorWorld, public ::testing::WithParamInterface<Layout> {};

TEST_P(StagedDesktops, ListsEachMonitorOnceInOrderOfDiscovery) {
    const Layout& layout = GetParam();
    std::vector<Handle> handles;
    for (const auto& [rect, work] : layout.monitors) handles.push_back(windows->AddMonitor(rect, work));

    auto monitors = NewMonitors();

    EXPECT_EQ(monitors->get_DesktopLeft(), layout.desktop.left);
    EXPECT_EQ(monitors->get_DesktopTop(), layout.desktop.top);
    EXPECT_EQ(monitors->get_DesktopWidth(), layout.desktop.right);
    EXPECT_EQ(monitors->get_DesktopHeight(), layout.desktop.bottom);

    std::vector<MonitorFields> expected;
    for (int i : layout.listed) {
        const auto& [rect, work] = layout.monitors[static_cast<size_t>(i)];
        expected.push_back(Expected(handles[static_cast<size_t>(i)], rect, work));
    }
    EXPECT_EQ(Records(*monitors), expected);

    // Each record sits under the decimal text of its handle.
    auto list = RefCast<Collection>(monitors->get_Monitors());
    ASSERT_TRUE(list);
    for (int i : layout.listed) {
        const Handle h = handles[static_cast<size_t>(i)];
        auto* record = dynamic_cast<clsQuiborMonitorA*>(list->Item(Variant(DecimalText(h))).ObjectOrThrow().Get());
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->get_Handle(), h);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, StagedDesktops,
    ::testing::Values(Layout{"SideBySide",
                             {{{0, 0, 1280, 1024}, {0, 0, 1280, 994}}, {{1280, 0, 2560, 1024}, {1280, 0, 2560, 1024}}},
                             {0, 1},
                             {0, 0, 2560, 1024}},
                      // The secondary monitor left of the primary: the scan starts at
                      // x = -1024, so the left monitor comes first.
                      Layout{"LeftOfPrimary",
                             {{{0, 0, 1280, 1024}, {0, 0, 1280, 994}}, {{-1024, 0, 0, 768}, {-1024, 0, 0, 768}}},
                             {1, 0},
                             {-1024, 0, 2304, 1024}},
                      // A monitor smaller than a cell that holds no cell centre is not
                      // listed; a small one that does hold one is.
                      Layout{
                          "TooSmallForTheGrid",
                          {{{0, 0, 1280, 1024}, {0, 0, 1280, 1024}}, {{1281, 250, 1599, 700}, {1281, 250, 1599, 700}}},
                          {0},
                          {0, 0, 1599, 1024}},
                      Layout{"SmallButOnACellCentre",
                             {{{0, 0, 1280, 1024}, {0, 0, 1280, 1024}}, {{1280, 0, 1880, 400}, {1280, 0, 1880, 400}}},
                             {0, 1},
                             {0, 0, 1880, 1024}},
                      // A full-height strip between two columns of cell centres.
                      Layout{"BetweenTheCellCentres",
                             {{{0, 0, 1280, 1024}, {0, 0, 1280, 1024}}, {{1280, 0, 1599, 1024}, {1280, 0, 1599, 1024}}},
                             {0},
                             {0, 0, 1599, 1024}},
                      // Portrait: a monitor stacked above the primary comes first.
                      Layout{"Portrait",
                             {{{0, 0, 1024, 1280}, {0, 0, 1024, 1240}}, {{0, -1280, 1024, 0}, {0, -1280, 1024, 0}}},
                             {1, 0},
                             {0, -1280, 1024, 2560}},
                      Layout{"ThreeInARowFromTheRight",
                             {{{0, 0, 800, 600}, {0, 0, 800, 600}},
                              {{800, 0, 1600, 600}, {800, 0, 1600, 600}},
                              {{-800, 0, 0, 600}, {-800, 0, 0, 600}}},
                             {2, 0, 1},
                             {-800, 0, 2400, 600}}),
    [](const ::testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

TEST_F(MonitorWorld, TwoSideBySideMonitorsAreSampledOnTheGrid) {
    windows->AddMonitor(Rect{0, 0, 1280, 1024}, Rect{0, 0, 1280, 994});
    windows->AddMonitor(Rect{1280, 0, 2560, 1024});
    windows->ClearLog();
    auto monitors = MakeRef<clsQuiborMonitorsA>(context);

    // Rows y = 0, 480, 960 (up to the height 1024), columns x = 0 ... 2560
    // (up to the width), each sampled at its cell centre with flags 0.
    std::vector<sim::CallRecord> expected;
    for (int y : {240, 720, 1200}) {
        for (int x : {320, 960, 1600, 2240, 2880}) {
            expected.push_back(sim::CallRecord{u"MonitorFromRect", {sim::RectArg(Rect{x, y, x + 1, y + 1}), u"0x0"}});
        }
    }
    EXPECT_EQ(windows->Calls(u"MonitorFromRect"), expected);
    EXPECT_EQ(Records(*monitors).size(), 2u);
}

TEST_F(MonitorWorld, RefreshReplacesTheListButKeepsWhatCallersHold) {
    const Rect first{0, 0, 1280, 1024};
    const Handle primary = windows->AddMonitor(first);
    auto monitors = NewMonitors();
    const ObjectRef before = monitors->get_Monitors();
    auto* old_record =
        dynamic_cast<clsQuiborMonitorA*>(RefCast<Collection>(before)->Item(Variant(Long{1})).ObjectOrThrow().Get());
    ASSERT_NE(old_record, nullptr);

    const Handle second = windows->AddMonitor(Rect{1280, 0, 2560, 1024});
    monitors->Refresh();

    auto old_list = RefCast<Collection>(before);
    EXPECT_EQ(old_list->Count(), 1);
    EXPECT_EQ(FieldsOf(*old_record), Expected(primary, first));
    const ObjectRef after = monitors->get_Monitors();
    EXPECT_NE(after.Get(), before.Get());
    EXPECT_EQ(Records(*monitors),
              (std::vector<MonitorFields>{Expected(primary, first), Expected(second, Rect{1280, 0, 2560, 1024})}));
}

TEST_F(MonitorWorld, WithoutMultiMonitorSupportTheScreenIsTheOneMonitor) {
    windows->AddMonitor(Rect{0, 0, 1920, 1080});
    windows->SetMonitorCountMetricZero(true);
    runtime->SetScreen(800, 600, 15, 15);
    windows->ClearLog();

    auto monitors = NewMonitors();

    EXPECT_EQ(windows->CallCount(u"MonitorFromRect"), 0u);
    EXPECT_EQ(monitors->get_DesktopLeft(), 0);
    EXPECT_EQ(monitors->get_DesktopTop(), 0);
    EXPECT_EQ(monitors->get_DesktopWidth(), 800);
    EXPECT_EQ(monitors->get_DesktopHeight(), 600);
    EXPECT_EQ(Records(*monitors), (std::vector<MonitorFields>{{0, 0, 0, 800, 600, 0, 0, 800, 600, 800, 600}}));
    auto list = RefCast<Collection>(monitors->get_Monitors());
    EXPECT_TRUE(list->HasKey(u"0"));
}

TEST_F(MonitorWorld, ScreenFallbackDividesAfterRoundingBothOperands) {
    windows->SetMonitorCountMetricZero(true);
    // 1024 pixels at 12.5 twips: 12800 \ 12 (12.5 rounds to even) = 1066.
    runtime->SetScreen(1024, 768, 12.5, 13.5);
    auto monitors = NewMonitors();
    EXPECT_EQ(monitors->get_DesktopWidth(), 1066);
    EXPECT_EQ(monitors->get_DesktopHeight(), 10368 / 14);
}

TEST_F(MonitorWorld, MissingMonitorFunctionsDescribeTheScreenInstead) {
    windows->AddMonitor(Rect{0, 0, 1280, 1024});
    windows->AddMonitor(Rect{1280, 0, 2560, 1024});
    windows->SetMultiMonitorEntryPointsMissing(true);
    runtime->SetScreen(1280, 1024);

    auto monitors = NewMonitors();

    // No bogus record for the failed lookup: the one screen stands in.
    EXPECT_EQ(Records(*monitors), (std::vector<MonitorFields>{{0, 0, 0, 1280, 1024, 0, 0, 1280, 1024, 1280, 1024}}));
    EXPECT_TRUE(RefCast<Collection>(monitors->get_Monitors())->HasKey(u"0"));
    // The metrics still come from the system.
    EXPECT_EQ(monitors->get_DesktopWidth(), 2560);
}

TEST_F(MonitorWorld, NoMonitorAtAnySampleLeavesAnEmptyList) {
    windows->AddMonitor(Rect{0, 0, 1280, 1024});
    windows->SetSystemMetric(kXVirtualScreen, 5000);
    windows->SetSystemMetric(kCxVirtualScreen, 6000);
    auto monitors = NewMonitors();
    const ObjectRef list = monitors->get_Monitors();
    ASSERT_TRUE(list);
    EXPECT_EQ(RefCast<Collection>(list)->Count(), 0);
    // Reading again gives the same collection.
    EXPECT_EQ(monitors->get_Monitors().Get(), list.Get());
}

TEST_F(MonitorWorld, AnOverflowingSampleEndsTheScanQuietlyAndKeepsWhatWasFound) {
    const Rect far_right{2147481000, 0, 2147483000, 1000};
    const Handle h = windows->AddMonitor(far_right);
    windows->SetSystemMetric(kXVirtualScreen, 2147481000);
    windows->SetSystemMetric(kYVirtualScreen, 0);
    windows->SetSystemMetric(kCxVirtualScreen, 2147483647);
    windows->SetSystemMetric(kCyVirtualScreen, 0);
    windows->ClearLog();

    auto monitors = NewMonitors();

    // Columns at 2147481000 + 640 n; the fifth centre does not fit a Long.
    EXPECT_EQ(windows->CallCount(u"MonitorFromRect"), 4u);
    EXPECT_EQ(Records(*monitors), (std::vector<MonitorFields>{Expected(h, far_right)}));
}

TEST_F(MonitorWorld, AnOverflowingRowStepEndsTheScanQuietly) {
    windows->SetSystemMetric(kCMonitors, 1);
    windows->SetSystemMetric(kXVirtualScreen, 0);
    windows->SetSystemMetric(kCxVirtualScreen, 0);
    windows->SetSystemMetric(kYVirtualScreen, 2147483000);
    windows->SetSystemMetric(kCyVirtualScreen, 2147483647);
    windows->ClearLog();
    auto monitors = NewMonitors();
    // y = 2147483000 is sampled; y + 480 still fits, but its centre does not.
    EXPECT_EQ(windows->CallCount(u"MonitorFromRect"), 1u);
    EXPECT_EQ(RefCast<Collection>(monitors->get_Monitors())->Count(), 0);
}

TEST_F(MonitorWorld, ASizeThatDoesNotFitALongStopsTheFillButKeepsTheRecord) {
    const Rect huge{-2147483000, 0, 2147483000, 1000};
    const Handle h = windows->AddMonitor(huge);
    windows->SetSystemMetric(kXVirtualScreen, 0);
    windows->SetSystemMetric(kYVirtualScreen, 0);
    windows->SetSystemMetric(kCxVirtualScreen, 0);
    windows->SetSystemMetric(kCyVirtualScreen, 0);
    auto monitors = NewMonitors();
    // Height is stored before Width, whose subtraction overflows.
    EXPECT_EQ(
        Records(*monitors),
        (std::vector<MonitorFields>{{h, -2147483000, 0, 2147483000, 1000, -2147483000, 0, 2147483000, 1000, 0, 1000}}));
}

TEST_F(MonitorWorld, MetricsAreReadAfreshOnEveryCall) {
    windows->AddMonitor(Rect{0, 0, 1280, 1024});
    auto monitors = NewMonitors();
    EXPECT_EQ(monitors->get_DesktopWidth(), 1280);
    windows->AddMonitor(Rect{-640, -480, 0, 0});
    EXPECT_EQ(monitors->get_DesktopLeft(), -640);
    EXPECT_EQ(monitors->get_DesktopTop(), -480);
    EXPECT_EQ(monitors->get_DesktopWidth(), 1920);
    EXPECT_EQ(monitors->get_DesktopHeight(), 1504);
    // The list itself changes only with Refresh.
    EXPECT_EQ(Records(*monitors).size(), 1u);
}

TEST_F(MonitorWorld, CallersMayPutTheirOwnCollectionInPlace) {
    windows->AddMonitor(Rect{0, 0, 1280, 1024});
    auto monitors = NewMonitors();
    auto mine = Collection::Create();
    monitors->set_Monitors(ObjectRef(mine));
    EXPECT_EQ(monitors->get_Monitors().Get(), mine.Get());

    monitors->set_Monitors(ObjectRef());
    const ObjectRef fresh = monitors->get_Monitors();
    ASSERT_TRUE(fresh);
    EXPECT_EQ(RefCast<Collection>(fresh)->Count(), 0);

    auto record = MakeRef<clsQuiborMonitorA>(context);
    // Only a collection, as the dispatch checks it.
    EXPECT_RAISES(rt::kTypeMismatch, LateSet(ObjectRef(monitors), u"Monitors", ObjectRef(record)));

    monitors->Refresh();
    EXPECT_EQ(mine->Count(), 0);  // Refresh does not write into the caller's collection
    EXPECT_EQ(Records(*monitors).size(), 1u);
}

TEST_F(MonitorWorld, ScreenFailureReachesTheCallerOfTheMetric) {
    windows->SetMonitorCountMetricZero(true);
    auto monitors = NewMonitors();
    // A Screen without TwipsPerPixelX cannot be staged; a zero divisor is the
    // failure the headless Screen allows (it refuses 0), so use rounding: 0.4
    // twips per pixel rounds to 0.
    runtime->SetScreen(1024, 768, 0.4, 0.4);
    EXPECT_RAISES(rt::kDivisionByZero, monitors->get_DesktopWidth());
    EXPECT_RAISES(rt::kDivisionByZero, monitors->get_DesktopHeight());
    // Refresh swallows it and lists nothing.
    monitors->Refresh();
    EXPECT_EQ(RefCast<Collection>(monitors->get_Monitors())->Count(), 0);
}

}  // namespace
}  // namespace quibor15::testing
