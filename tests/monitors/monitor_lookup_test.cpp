// The monitor lookups by window and by point, and centring a form on a
// monitor's work area.
#include "monitor_world.hpp"

namespace quibor15::testing {
namespace {

constexpr Long kNull = 0, kPrimary = 1, kNearest = 2;

// Two 1280 x 1024 monitors side by side; the left one is primary with a
// 30-pixel task bar at the bottom. 15 twips per pixel.
class TwoMonitors : public MonitorWorld {
protected:
    void SetUp() override {
        left = windows->AddMonitor(Rect{0, 0, 1280, 1024}, Rect{0, 0, 1280, 994});
        right = windows->AddMonitor(Rect{1280, 0, 2560, 1024}, Rect{1280, 0, 2560, 994});
        monitors = NewMonitors();
    }

    Long Point(Long x, Long y, Long flags) { return monitors->GetMonitorFromXYPoint(x, y, flags); }
    Long Window(Long hwnd, Long flags) { return monitors->GetMonitorFromWindow(hwnd, flags); }
    Boolean Centre(const Ref<headless::Form>& form, Variant reference = Variant::Missing()) {
        ObjectRef target(form);
        return monitors->CenterFormOnMonitor(target, reference);
    }
    static std::pair<double, double> Position(const Ref<headless::Form>& form) { return {form->Left(), form->Top()}; }

    Handle left = 0, right = 0;
    Ref<clsQuiborMonitorsA> monitors;
};

TEST_F(TwoMonitors, PointLookupByFlags) {
    const struct {
        Long x, y, flags;
        int which;  // 0 none, 1 left, 2 right
    } cases[] = {
        {-5000, -5000, kNull, 0}, {-5000, -5000, kPrimary, 1}, {-5000, -5000, kNearest, 1}, {5000, 500, kNull, 0},
        {5000, 500, kPrimary, 1}, {5000, 500, kNearest, 2},    {1279, 0, kNull, 1},         {1280, 0, kNull, 2},
        {1, 1, kPrimary, 1},      {2000, 100, 7, 0},  // flags the platform does not know
    };
    for (const auto& c : cases) {
        const Long expected = c.which == 0 ? 0 : c.which == 1 ? left : right;
        EXPECT_EQ(Point(c.x, c.y, c.flags), expected) << c.x << "," << c.y << " flags " << c.flags;
    }
    // The one-pixel rectangle and the flags reach the platform unchanged.
    windows->ClearLog();
    Point(10, 20, kNearest);
    EXPECT_EQ(windows->Calls(u"MonitorFromRect").at(0).args, (std::vector<String>{u"10,20,11,21", u"0x2"}));
}

TEST_F(TwoMonitors, PointAtTheLargestLongOverflows) {
    EXPECT_RAISES(rt::kOverflow, Point(2147483647, 0, kNull));
    EXPECT_RAISES(rt::kOverflow, Point(0, 2147483647, kNull));
    EXPECT_EQ(Point(2147483646, 2147483646, kNearest), right);
}

TEST_F(TwoMonitors, WindowLookupFollowsTheForm) {
    auto on_right = FormAt(15 * 1500, 15 * 100, 6000, 4000);
    auto on_left = FormAt(15 * 100, 15 * 100, 6000, 4000);
    EXPECT_EQ(Window(on_right->HWnd(), kNull), right);
    EXPECT_EQ(Window(on_left->HWnd(), kNull), left);
    auto nowhere = FormAt(-15 * 5000, -15 * 5000, 1500, 1500);
    EXPECT_EQ(Window(nowhere->HWnd(), kNull), 0);
    EXPECT_EQ(Window(nowhere->HWnd(), kPrimary), left);
    // A handle that is no window: nothing for flags 0, the primary otherwise.
    EXPECT_EQ(Window(0x7777, kNull), 0);
    EXPECT_EQ(Window(0x7777, kPrimary), left);
}

TEST_F(TwoMonitors, WithoutTheMonitorFunctionsBothLookupsGiveMinusOne) {
    windows->SetMultiMonitorEntryPointsMissing(true);
    auto form = FormAt(0, 0, 6000, 4000);
    EXPECT_EQ(Point(100, 100, kNull), -1);
    EXPECT_EQ(Point(100, 100, kPrimary), -1);
    EXPECT_EQ(Window(form->HWnd(), kPrimary), -1);
}

TEST_F(TwoMonitors, WorkedExampleCentresOnTheReferenceFormsMonitor) {
    auto reference = FormAt(15 * 1500, 15 * 200, 3000, 3000);
    auto form = FormAt(0, 0, 6000, 4000);
    EXPECT_EQ(Centre(form, Variant(ObjectRef(reference))), kFalse);
    EXPECT_EQ(Position(form), (std::pair<double, double>{25800, 5455}));
    EXPECT_EQ(form->Width(), 6000);
    EXPECT_EQ(form->Height(), 4000);
}

TEST_F(TwoMonitors, WithoutAReferenceThePrimaryMonitorIsUsed) {
    auto form = FormAt(15 * 1500, 15 * 200, 6000, 4000);  // on the right monitor
    EXPECT_EQ(Centre(form), kFalse);
    // WW = 19200, WH = 14910: (19200 - 6000) \ 2, (14910 - 4000) \ 2.
    EXPECT_EQ(Position(form), (std::pair<double, double>{6600, 5455}));
}

TEST_F(TwoMonitors, LateBoundCallLeavesTheReferenceOut) {
    auto form = FormAt(15 * 1500, 15 * 200, 6000, 4000);
    Variant args[] = {Variant(ObjectRef(form))};
    const Variant result = LateCall(ObjectRef(monitors), u"CenterFormOnMonitor", args);
    EXPECT_EQ(result, Variant(kFalse));
    EXPECT_EQ(Position(form), (std::pair<double, double>{6600, 5455}));
}

TEST_F(TwoMonitors, ATaskBarAtTheTopDoesNotShiftTheOrigin) {
    windows->ClearMonitors();
    windows->AddMonitor(Rect{0, 0, 1280, 1024}, Rect{0, 30, 1280, 1024});
    auto form = FormAt(0, 0, 6000, 4000);
    Centre(form);
    // WH = 15 * 994 = 14910; the top is counted from the monitor's edge.
    EXPECT_EQ(Position(form), (std::pair<double, double>{6600, 5455}));
}

TEST_F(TwoMonitors, AFormLargerThanTheWorkAreaStartsBeforeTheMonitor) {
    auto reference = FormAt(15 * 1500, 0, 1500, 1500);
    auto form = FormAt(0, 0, 21000, 16000);
    Centre(form, Variant(ObjectRef(reference)));
    // 19200 + (19200 - 21000) \ 2 and 0 + (14910 - 16000) \ 2.
    EXPECT_EQ(Position(form), (std::pair<double, double>{18300, -545}));
}

TEST_F(TwoMonitors, HalvesRoundToEvenBeforeDividing) {
    auto form = FormAt(0, 0, 6000.5f, 3999.5f);
    Centre(form);
    // 19200 - 6000.5 = 13199.5 rounds to 13200 -> 6600; 14910 - 3999.5 =
    // 10910.5 rounds to 10910 -> 5455.
    EXPECT_EQ(Position(form), (std::pair<double, double>{6600, 5455}));
}

TEST_F(TwoMonitors, NoMonitorAtAllCentresOnTheWholeScreen) {
    windows->ClearMonitors();
    runtime->SetScreen(1024, 768);
    auto form = FormAt(100, 100, 6000, 4000);
    Centre(form);
    EXPECT_EQ(Position(form), (std::pair<double, double>{(15360 - 6000) / 2, (11520 - 4000) / 2}));
}

TEST_F(TwoMonitors, MissingMonitorFunctionsCentreOnTheWholeScreenInBothDirections) {
    windows->SetMultiMonitorEntryPointsMissing(true);
    runtime->SetScreen(1024, 768);
    for (bool with_reference : {false, true}) {
        auto reference = FormAt(15 * 1500, 0, 1500, 1500);
        auto form = FormAt(77, 88, 6000, 4000);
        Centre(form, with_reference ? Variant(ObjectRef(reference)) : Variant::Missing());
        EXPECT_EQ(Position(form), (std::pair<double, double>{4680, 3760})) << with_reference;
    }
}

TEST_F(TwoMonitors, ReferencesThatHoldNoFormLeaveTheFormWhereItWas) {
    const Variant references[] = {Variant(), Variant(Long{42}), Variant(u"frmMain"), Variant::Nothing(),
                                  Variant(ObjectRef(Collection::Create()))};
    for (const Variant& reference : references) {
        auto form = FormAt(123, 456, 6000, 4000);
        EXPECT_EQ(Centre(form, reference), kFalse);
        EXPECT_EQ(Position(form), (std::pair<double, double>{123, 456}));
    }
}

// An object with a size but no Move.
class Unmovable : public Object {
public:
    String TypeName() const override { return u"Unmovable"; }
    DispId GetIdOfName(std::u16string_view name) override {
        if (EqualsIgnoreCase(name, u"Width")) return 1;
        if (EqualsIgnoreCase(name, u"Height")) return 2;
        return kDispIdUnknown;
    }
    Variant Invoke(DispId id, uint16_t, std::span<Variant>) override {
        if (id == 1 || id == 2) return Variant(Single{1000});
        RaiseRuntimeError(rt::kMemberNotSupported);
    }
};

TEST_F(TwoMonitors, AFormWithoutMoveFailsQuietly) {
    ObjectRef unmovable(MakeRef<Unmovable>());
    Variant missing = Variant::Missing();
    EXPECT_EQ(monitors->CenterFormOnMonitor(unmovable, missing), kFalse);
    ObjectRef nothing;
    EXPECT_EQ(monitors->CenterFormOnMonitor(nothing, missing), kFalse);
    windows->SetMultiMonitorEntryPointsMissing(true);
    EXPECT_EQ(monitors->CenterFormOnMonitor(unmovable, missing), kFalse);
}

// A system whose GetMonitorInfoA fails for every monitor.
class BlindMonitorInfo : public sim::SimWindows {
public:
    int32_t GetMonitorInfoA(Handle monitor, MonitorInfo& info) override {
        SimWindows::GetMonitorInfoA(monitor, info);
        info = MonitorInfo{};
        return 0;
    }
};

TEST(CentringWithoutMonitorInfo, LeavesTheFormWhereItWas) {
    auto runtime = std::make_shared<headless::HeadlessRuntime>();
    auto windows = std::make_shared<BlindMonitorInfo>();
    auto context = std::make_shared<Context>(runtime, windows);
    auto monitors = MakeRef<clsQuiborMonitorsA>(context);
    auto form = runtime->AddForm(u"frmLost");
    form->Move(321, 654, 6000, 4000);
    ObjectRef target(form);
    Variant missing = Variant::Missing();
    EXPECT_EQ(monitors->CenterFormOnMonitor(target, missing), kFalse);
    EXPECT_EQ(form->Left(), 321);
    EXPECT_EQ(form->Top(), 654);
    // The list still holds the monitor, with its handle and zero geometry.
    auto list = RefCast<Collection>(monitors->get_Monitors());
    ASSERT_EQ(list->Count(), 1);
}

}  // namespace
}  // namespace quibor15::testing
