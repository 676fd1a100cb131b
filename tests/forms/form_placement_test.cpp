// FormCenter, the four exit animations and OnTop.
#include <cmath>

#include "forms_world.hpp"
#include "quibor15/collection.hpp"

namespace quibor15::testing {
namespace {

class FormPlacement : public FormsWorld {
protected:
    void Call(void (clsQuiborWUIRunTimeA::*method)(ObjectRef&), const Ref<headless::Form>& form) {
        ObjectRef target(form);
        ((*wui).*method)(target);
    }
};

TEST_F(FormPlacement, FormCenterUsesTheUpperPartOfTheScreen) {
    const struct {
        int32_t screen_w, screen_h;  // pixels at 15 twips
        double form_w, form_h;
        double left, top;
    } cases[] = {
        // 9000 twips high: 7650 \ 2 - 3000 \ 2 = 2325.
        {800, 600, 4000, 3000, 4000, 2325},
        {1024, 768, 6000, 4000, 4680, 2896},  // 11520 * 0.85 = 9792
        // A form larger than the screen gets negative coordinates.
        {640, 480, 12000, 9000, -1200, -1440},
        // Halves of odd sizes round to even before halving: 4001 \ 2 = 2000.
        {800, 600, 4001, 3001, 4000, 2325},
    };
    for (const auto& c : cases) {
        runtime->SetScreen(c.screen_w, c.screen_h);
        auto form = NewForm(111, 222, c.form_w, c.form_h);
        Call(&clsQuiborWUIRunTimeA::FormCenter, form);
        EXPECT_EQ(form->Left(), c.left) << c.screen_w << "x" << c.screen_h;
        EXPECT_EQ(form->Top(), c.top) << c.screen_w << "x" << c.screen_h;
        EXPECT_EQ(form->Width(), c.form_w);
    }
}

// A form-like object that records the assignments made to it.
class RecordingForm : public Object {
public:
    double values[4] = {0, 0, 3000, 2000};  // Left, Top, Width, Height
    std::vector<String> assigned;

    String TypeName() const override { return u"Form"; }
    DispId GetIdOfName(std::u16string_view name) override {
        for (DispId i = 0; i < 4; ++i) {
            if (EqualsIgnoreCase(name, kNames[i])) return i + 1;
        }
        return kDispIdUnknown;
    }
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (id < 1 || id > 4) RaiseRuntimeError(rt::kMemberNotSupported);
        if (flags & kInvokePropertyPut) {
            assigned.emplace_back(kNames[id - 1]);
            values[id - 1] = VariantToDouble(args.back());
            return Variant();
        }
        return Variant(static_cast<Single>(values[id - 1]));
    }

private:
    static constexpr const char16_t* kNames[4] = {u"Left", u"Top", u"Width", u"Height"};
};

TEST_F(FormPlacement, FormCenterSetsTopBeforeLeftAndNothingElse) {
    runtime->SetScreen(800, 600);
    auto recording = MakeRef<RecordingForm>();
    ObjectRef target(recording);
    wui->FormCenter(target);
    EXPECT_EQ(recording->assigned, (std::vector<String>{u"Top", u"Left"}));
    EXPECT_EQ(recording->values[0], 6000 - 1500);
    EXPECT_EQ(recording->values[1], 3825 - 1000);
}

struct Exit {
    const char* name;
    void (clsQuiborWUIRunTimeA::*method)(ObjectRef&);
    bool vertical;
    double start;
    double end;
    int64_t steps;
};

void PrintTo(const Exit& e, std::ostream* os) { *os << e.name; }

class ExitAnimation : public FormPlacement, public ::testing::WithParamInterface<Exit> {};

TEST_P(ExitAnimation, StepsThreeHundredTwipsPerYieldUntilPastTheLimit) {
    const Exit& e = GetParam();
    auto form = e.vertical ? NewForm(500, e.start, 4000, 3000) : NewForm(e.start, 500, 4000, 3000);
    std::vector<double> seen;
    runtime->SetPumpHook([&] { seen.push_back(e.vertical ? form->Top() : form->Left()); });

    Call(e.method, form);

    EXPECT_EQ(runtime->PumpCount(), e.steps);
    EXPECT_EQ(e.vertical ? form->Top() : form->Left(), e.end);
    EXPECT_EQ(e.vertical ? form->Left() : form->Top(), 500);  // the other axis stays
    ASSERT_FALSE(seen.empty());
    // One yield per step, each after the step's move.
    const double step = (e.end - e.start) > 0 ? 300 : -300;
    for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], std::floor(e.start) + step * double(i + 1));
    // The form stays loaded and where the last step put it.
    EXPECT_EQ(form->Width(), 4000);
}

INSTANTIATE_TEST_SUITE_P(
    Exits, ExitAnimation,
    ::testing::Values(Exit{"DownFromZero", &clsQuiborWUIRunTimeA::FormExitDown, true, 0, 7500, 25},
                      Exit{"UpFromZero", &clsQuiborWUIRunTimeA::FormExitUp, true, 0, -4800, 16},
                      Exit{"LeftFromZero", &clsQuiborWUIRunTimeA::FormExitLeft, false, 0, -6600, 22},
                      Exit{"RightFromZero", &clsQuiborWUIRunTimeA::FormExitRight, false, 0, 9900, 33},
                      // Already past the limit: still one step.
                      Exit{"DownFromBelowTheLimit", &clsQuiborWUIRunTimeA::FormExitDown, true, 8000, 8300, 1},
                      Exit{"LeftFromLeftOfTheLimit", &clsQuiborWUIRunTimeA::FormExitLeft, false, -7000, -7300, 1},
                      // Fractions are dropped toward minus infinity first.
                      Exit{"DownFromAFraction", &clsQuiborWUIRunTimeA::FormExitDown, true, 1234.5, 7234, 20},
                      Exit{"UpFromANegativeFraction", &clsQuiborWUIRunTimeA::FormExitUp, true, -0.5, -4501, 15}),
    [](const ::testing::TestParamInfo<Exit>& info) { return std::string(info.param.name); });

TEST_F(FormPlacement, AFractionalTopIsFlooredBeforeTheFirstStep) {
    auto form = NewForm(0, 1234.5f, 4000, 3000);
    double after_first = 0;
    runtime->SetPumpHook([&] {
        if (runtime->PumpCount() == 1) after_first = form->Top();
    });
    Call(&clsQuiborWUIRunTimeA::FormExitDown, form);
    EXPECT_EQ(after_first, 1534);
}

TEST_F(FormPlacement, AnotherHandlerMovingTheFormDuringAStepIsFollowed) {
    auto form = NewForm(0, 0, 4000, 3000);
    // During the third yield another handler moves the form to Top 7000;
    // the animation continues from there: 7300 ends it on the next step.
    runtime->SetPumpHook([&] {
        if (runtime->PumpCount() == 3) form->SetTop(7000);
    });
    Call(&clsQuiborWUIRunTimeA::FormExitDown, form);
    EXPECT_EQ(runtime->PumpCount(), 4);
    EXPECT_EQ(form->Top(), 7300);
}

TEST_F(FormPlacement, AHandlerPushingTheFormPastTheLimitEndsTheAnimationAtOnce) {
    auto form = NewForm(0, 0, 4000, 3000);
    runtime->SetPumpHook([&] { form->SetLeft(-9000); });
    Call(&clsQuiborWUIRunTimeA::FormExitLeft, form);
    EXPECT_EQ(runtime->PumpCount(), 1);
    EXPECT_EQ(form->Left(), -9000);
}

TEST_F(FormPlacement, AFailureInTheMiddleKeepsTheStepsAlreadyMade) {
    auto form = NewForm(0, 0, 4000, 3000);
    // A handler minimises the form during the fifth yield; the next step
    // cannot move it and its error reaches the caller.
    runtime->SetPumpHook([&] {
        if (runtime->PumpCount() == 5) form->SetWindowState(1);
    });
    ObjectRef target(form);
    EXPECT_THROW(wui->FormExitDown(target), AutomationError);
    form->SetWindowState(0);
    EXPECT_EQ(form->Top(), 1500);
}

TEST_F(FormPlacement, ObjectsWithoutTheCoordinateFail) {
    ObjectRef nothing;
    EXPECT_RAISES(rt::kObjectNotSet, wui->FormExitUp(nothing));
    ObjectRef collection(Collection::Create());
    EXPECT_RAISES(rt::kMemberNotSupported, wui->FormExitRight(collection));
    EXPECT_RAISES(rt::kMemberNotSupported, wui->FormCenter(collection));
    EXPECT_EQ(runtime->PumpCount(), 0);
}

TEST_F(FormPlacement, OnTopMakesTheWindowTopmostAndReleasesIt) {
    auto form = NewForm();
    ObjectRef target(form);
    Boolean on = kTrue, off = kFalse, other = Boolean{1};
    EXPECT_FALSE(windows->IsTopmost(form->HWnd()));

    wui->OnTop(target, off);  // not topmost already: stays so
    EXPECT_FALSE(windows->IsTopmost(form->HWnd()));
    wui->OnTop(target, on);
    EXPECT_TRUE(windows->IsTopmost(form->HWnd()));
    wui->OnTop(target, off);
    EXPECT_FALSE(windows->IsTopmost(form->HWnd()));
    wui->OnTop(target, other);  // any non-zero value counts as true
    EXPECT_TRUE(windows->IsTopmost(form->HWnd()));

    const String hwnd = sim::HandleArg(form->HWnd());
    const std::vector<sim::CallRecord> expected = {
        {u"SetWindowPos", {hwnd, u"0xFFFFFFFE", u"0", u"0", u"0", u"0", u"0x3"}},
        {u"SetWindowPos", {hwnd, u"0xFFFFFFFF", u"0", u"0", u"0", u"0", u"0x3"}},
        {u"SetWindowPos", {hwnd, u"0xFFFFFFFE", u"0", u"0", u"0", u"0", u"0x3"}},
        {u"SetWindowPos", {hwnd, u"0xFFFFFFFF", u"0", u"0", u"0", u"0", u"0x3"}},
    };
    EXPECT_EQ(windows->Calls(u"SetWindowPos"), expected);
    // Position and size are untouched.
    EXPECT_EQ(form->Width(), 4800);
}

TEST_F(FormPlacement, LateBoundCallsReachTheSameMembers) {
    runtime->SetScreen(800, 600);
    auto form = NewForm(0, 0, 4000, 3000);
    const ObjectRef object(wui);
    LateCall(object, u"formcenter", {Variant(ObjectRef(form))});
    EXPECT_EQ(form->Top(), 2325);
    LateCall(object, u"OnTop", {Variant(ObjectRef(form)), Variant(kTrue)});
    EXPECT_TRUE(windows->IsTopmost(form->HWnd()));
    EXPECT_EQ(object->GetIdOfName(u"FormExitUp"), static_cast<DispId>(0x60030005));
}

}  // namespace
}  // namespace quibor15::testing
