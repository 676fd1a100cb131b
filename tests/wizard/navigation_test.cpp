// Showing steps: the button states after each kind of show, requests past
// either end, the host's Cancel and Index in BeforeFrameShow, the layout of
// normal steps and of the closing page, and the overflow errors.
#include "wizard_world.hpp"

namespace quibor15::wizard_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

void SetEnabled(const ObjectRef& button, bool on) { LateLet(button, u"Enabled", Variant(Boolean::From(on))); }

// --- the button-state table

enum class Request { GoTo, First, Previous, Next, Last };

struct StateRow {
    const char* name;
    Integer max_frame_index;
    Integer start;  // CurrentFrame before the request
    Request request;
    Long go_to;
    bool before[4];  // F, P, N, L just before the request
    bool after[4];
    const char* next_caption;
};

std::ostream& operator<<(std::ostream& os, const StateRow& row) { return os << row.name; }

class WizardButtonStates : public ::testing::TestWithParam<StateRow> {};

TEST_P(WizardButtonStates, AfterTheShow) {
    const StateRow& row = GetParam();
    WizardWorld w(static_cast<Integer>(row.max_frame_index + 1));
    w.wizard->let_ShowFirstFrameButton(kTrue);
    w.wizard->let_ShowLastFrameButton(kTrue);
    w.wizard->Create();
    w.wizard->let_CurrentFrame(row.start);
    const ObjectRef buttons[4] = {w.First(), w.Previous(), w.Next(), w.Last()};
    for (int i = 0; i < 4; ++i) SetEnabled(buttons[i], row.before[i]);
    LateLet(w.Next(), u"Caption", Variant(String(u"stale")));

    Long go_to = row.go_to;
    switch (row.request) {
        case Request::GoTo:
            w.wizard->GoToFrame(go_to);
            break;
        case Request::First:
            w.wizard->ShowFirstFrame();
            break;
        case Request::Previous:
            w.wizard->ShowPreviousFrame();
            break;
        case Request::Next:
            w.wizard->ShowNextFrame();
            break;
        case Request::Last:
            w.wizard->ShowLastFrame();
            break;
    }

    const char* names[4] = {"First", "Previous", "Next", "Last"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(GetFlag(buttons[i], u"Enabled"), row.after[i]) << names[i];
    // The closing page leaves the caption to "&Finish"; a stale caption on
    // any other page is replaced.
    EXPECT_EQ(GetText(w.Next(), u"Caption"), row.next_caption);
}

constexpr bool kOff[4] = {false, false, false, false};

INSTANTIATE_TEST_SUITE_P(
    Rows, WizardButtonStates,
    ::testing::Values(
        StateRow{"step 0", 5, 3, Request::GoTo, 0, {0, 0, 0, 0}, {1, 0, 1, 1}, "&Next"},
        StateRow{"ShowFirstFrame", 5, 3, Request::First, 0, {0, 1, 0, 0}, {1, 0, 1, 1}, "&Next"},
        StateRow{"step between", 5, 0, Request::GoTo, 1, {0, 0, 0, 0}, {1, 1, 1, 1}, "&Next"},
        StateRow{"step MaxFrameIndex - 1", 5, 0, Request::GoTo, 4, {0, 0, 0, 0}, {1, 1, 1, 1}, "&Next"},
        StateRow{"Next to a step between", 5, 1, Request::Next, 0, {0, 0, 0, 0}, {1, 1, 1, 1}, "&Next"},
        StateRow{"Previous to a step between", 5, 2, Request::Previous, 0, {0, 0, 0, 0}, {1, 1, 1, 1}, "&Next"},
        StateRow{"step MaxFrameIndex", 5, 0, Request::GoTo, 5, {0, 0, 0, 0}, {1, 1, 0, 1}, "&Next"},
        StateRow{"ShowLastFrame", 5, 0, Request::Last, 0, {0, 0, 1, 0}, {1, 1, 0, 1}, "&Next"},
        StateRow{"step 0 with MaxFrameIndex 0", 0, 0, Request::GoTo, 0, {0, 0, 0, 0}, {1, 0, 1, 1}, "&Next"},
        StateRow{"step 0 with MaxFrameIndex 1", 1, 1, Request::GoTo, 0, {0, 0, 0, 0}, {1, 0, 1, 1}, "&Next"},
        StateRow{"step 1 with MaxFrameIndex 1", 1, 0, Request::GoTo, 1, {0, 0, 0, 0}, {1, 1, 0, 1}, "&Next"},
        StateRow{"closing page keeps F N L", 5, 2, Request::Next, 0, {0, 1, 1, 0}, {0, 0, 1, 0}, "&Finish"},
        StateRow{"closing page keeps F N L again", 5, 0, Request::GoTo, 3, {1, 1, 0, 1}, {1, 0, 0, 1}, "&Finish"},
        StateRow{"above MaxFrameIndex", 4, 0, Request::GoTo, 7, {0, 0, 0, 0}, {1, 1, 0, 0}, "&Next"},
        StateRow{"Next past MaxFrameIndex", 4, 4, Request::Next, 0, {0, 0, 0, 0}, {1, 1, 0, 0}, "&Next"},
        StateRow{"below 0", 4, 2, Request::GoTo, -1, {0, 0, 0, 0}, {0, 0, 1, 1}, "&Next"},
        StateRow{"Previous before 0", 4, 0, Request::Previous, 0, {1, 1, 1, 1}, {0, 0, 1, 1}, "&Next"}),
    [](const ::testing::TestParamInfo<StateRow>& info) {
        std::string name;
        for (const char* p = info.param.name; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        return name;
    });

// Enabled on a normal step means: enabled if visible. A button the host has
// hidden keeps its state.
TEST(WizardNavigation, HiddenButtonKeepsItsState) {
    WizardWorld w;
    w.wizard->let_ShowLastFrameButton(kTrue);
    w.wizard->Create();
    LateLet(w.Last(), u"Visible", Variant(kFalse));
    SetEnabled(w.Last(), false);
    w.wizard->ShowNextFrame();
    EXPECT_FALSE(GetFlag(w.Last(), u"Enabled"));
    EXPECT_TRUE(GetFlag(w.Next(), u"Enabled"));
}

TEST(WizardNavigation, HostNextCaptionOnNormalStepsFinishOnTheClosingPage) {
    WizardWorld w;
    w.wizard->let_NextFrameButtonCaption(u"Onward >");
    w.wizard->Create();
    EXPECT_EQ(GetText(w.Next(), u"Caption"), "Onward >");
    Long closing = 3;
    w.wizard->GoToFrame(closing);
    EXPECT_EQ(GetText(w.Next(), u"Caption"), "&Finish");
    // From the closing page Next asks for MaxFrameIndex - 1 and the caption
    // comes back.
    w.wizard->ShowNextFrame();
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 4);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(4));
    EXPECT_EQ(GetText(w.Next(), u"Caption"), "Onward >");
}

// --- requests past either end

TEST(WizardNavigation, GoToAboveTheLastStepEndsThere) {
    WizardWorld w(5);  // MaxFrameIndex 4
    w.wizard->let_ShowLastFrameButton(kTrue);
    w.wizard->Create();
    w.TakeLog();
    Long index = 7;
    EXPECT_EQ(w.wizard->GoToFrame(index), 0);
    EXPECT_EQ(index, 7);
    EXPECT_THAT(w.TakeLog(), ElementsAre("BeforeFrameShow(7,0)", "BeforeFrameShow(4,0)", "AfterFrameShow(4)"));
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 4);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(4));
    EXPECT_FALSE(GetFlag(w.Next(), u"Enabled"));
    EXPECT_FALSE(GetFlag(w.Last(), u"Enabled"));
}

TEST(WizardNavigation, GoToBelowTheFirstStepEndsAtZero) {
    WizardWorld w(5);
    w.wizard->let_ShowFirstFrameButton(kTrue);
    w.wizard->Create();
    Long two = 2;
    w.wizard->GoToFrame(two);
    w.TakeLog();
    Long index = -1;
    w.wizard->GoToFrame(index);
    EXPECT_THAT(w.TakeLog(), ElementsAre("BeforeFrameShow(-1,0)", "BeforeFrameShow(0,0)", "AfterFrameShow(0)"));
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 0);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0));
    EXPECT_FALSE(GetFlag(w.First(), u"Enabled"));
    EXPECT_FALSE(GetFlag(w.Previous(), u"Enabled"));
}

TEST(WizardNavigation, OneFrameOnly) {
    WizardWorld w(1);
    w.wizard->let_ShowLastFrameButton(kTrue);
    w.wizard->Create();
    EXPECT_FALSE(GetFlag(w.Previous(), u"Enabled"));
    EXPECT_TRUE(GetFlag(w.Next(), u"Enabled"));
    w.TakeLog();
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("NextFrameButtonClick()", "BeforeFrameShow(1,0)", "BeforeFrameShow(0,0)",
                                         "AfterFrameShow(0)"));
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 0);
    EXPECT_FALSE(GetFlag(w.Next(), u"Enabled"));
    EXPECT_FALSE(GetFlag(w.Last(), u"Enabled"));
}

// With no step at all (MaxFrameIndex below 0) a show past one end would
// hand over to the other end and back without end; the chain stops where a
// hand-over repeats, with the navigation buttons disabled.
TEST(WizardNavigation, NegativeMaxFrameIndexEndsWithEveryNavigationButtonDisabled) {
    WizardWorld w;
    w.wizard->let_MaxFrameIndex(-5);
    w.wizard->let_ShowFirstFrameButton(kTrue);
    w.wizard->let_ShowLastFrameButton(kTrue);
    w.wizard->let_KeyPreview(kTrue);
    EXPECT_EQ(w.wizard->Create(), 0);
    EXPECT_THAT(w.TakeLog(), ElementsAre("BeforeFrameShow(0,0)", "BeforeFrameShow(-5,0)", "BeforeFrameShow(0,0)"));
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 0);
    for (const ObjectRef& button : {w.First(), w.Previous(), w.Next(), w.Last()})
        EXPECT_FALSE(GetFlag(button, u"Enabled"));
    EXPECT_TRUE(GetFlag(w.Cancel(), u"Enabled"));
    // Nothing is hidden: frames 0 to -5 are none.
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0, 1, 2, 3, 4, 5));

    // The page keys ignore the buttons' states and still end.
    ASSERT_TRUE(w.User().KeyDown(w.form, 33));
    EXPECT_THAT(w.TakeLog(), ElementsAre("BeforeFrameShow(1,0)", "BeforeFrameShow(-5,0)", "BeforeFrameShow(0,0)",
                                         "BeforeFrameShow(-5,0)"));
}

// Finite chains of hand-overs run to their end; an endless one (a host
// that keeps moving Index out of range) stops where it repeats.
TEST(WizardNavigation, HandOversRunUntilTheyRepeat) {
    struct Row {
        const char* name;
        std::function<void(Integer&, int&)> handler;  // Index, events seen so far
        Long request;
        std::vector<std::string> log;
        Integer current;
        std::vector<int> visible;
    };
    const Row rows[] = {
        {"EndToEndOnce",
         [](Integer& index, int& seen) {
             if (index == 4 && seen++ == 0) index = -1;
         },
         9,
         {"BeforeFrameShow(9,0)", "BeforeFrameShow(-1,0)", "BeforeFrameShow(0,0)", "AfterFrameShow(0)"},
         0,
         {0}},
        {"AlwaysPastTheEnd",
         [](Integer& index, int&) { index = 100; },
         1,
         {"BeforeFrameShow(100,0)", "BeforeFrameShow(100,0)"},
         4,
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WizardWorld w(5);
        w.wizard->let_MaxFrameIndex(4);
        w.wizard->Create();
        int seen = 0;
        w.on_event = [&](const std::string& name, std::span<Variant> args) {
            if (name != "BeforeFrameShow") return;
            Integer index = VariantToInteger(args[0]);
            row.handler(index, seen);
            args[0].Assign(Variant(index));
        };
        w.TakeLog();
        Long request = row.request;
        w.wizard->GoToFrame(request);
        EXPECT_EQ(w.TakeLog(), row.log);
        EXPECT_EQ(w.wizard->get_CurrentFrame(), row.current);
        EXPECT_EQ(w.VisibleFrames(), row.visible);
    }
}

// GoToFrame does not assign its argument: a handler's assignment to the
// caller's variable during the call stands.
TEST(WizardNavigation, GoToFrameLeavesTheCallersVariableToTheHandler) {
    WizardWorld w;
    w.wizard->Create();
    Variant k(Long{3});
    w.on_event = [&](const std::string& name, std::span<Variant>) {
        if (name == "BeforeFrameShow") k = Variant(Long{99});
    };
    Variant args[1] = {Variant::ByRef(k)};
    w.wizard->Invoke(w.wizard->GetIdOfName(u"GoToFrame"), kInvokeMethod, args);
    EXPECT_EQ(k, Variant(Long{99}));
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 3);
}

// Steps the array does not hold are skipped, however many there are.
TEST(WizardNavigation, MaxFrameIndexFarPastTheArray) {
    WizardWorld w(3);
    w.wizard->Create();
    w.wizard->let_MaxFrameIndex(32767);
    Long one = 1;
    w.wizard->GoToFrame(one);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(1));
}

// --- BeforeFrameShow: Cancel and Index

struct CancelRow {
    const char* name;
    Variant value;
    bool cancels;
};

class WizardCancel : public ::testing::TestWithParam<CancelRow> {};

TEST_P(WizardCancel, OnlyTrueCancels) {
    const CancelRow& row = GetParam();
    WizardWorld w;
    w.wizard->Create();
    Long two = 2;
    w.wizard->GoToFrame(two);
    w.on_event = [&row](const std::string& name, std::span<Variant> args) {
        if (name == "BeforeFrameShow") args[1].Assign(row.value);
    };
    w.TakeLog();
    Long three = 4;
    w.wizard->GoToFrame(three);
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 4);
    if (row.cancels) {
        EXPECT_THAT(w.VisibleFrames(), ElementsAre(2));
        ASSERT_EQ(w.TakeLog().size(), 1u);  // no AfterFrameShow
    } else {
        EXPECT_THAT(w.VisibleFrames(), ElementsAre(4));
        EXPECT_EQ(w.TakeLog().back(), "AfterFrameShow(4)");
    }
}

INSTANTIATE_TEST_SUITE_P(Values, WizardCancel,
                         ::testing::Values(CancelRow{"True", Variant(Integer(-1)), true},
                                           CancelRow{"BooleanTrue", Variant(kTrue), true},
                                           CancelRow{"One", Variant(Integer(1)), false},
                                           CancelRow{"MinusTwo", Variant(Integer(-2)), false},
                                           CancelRow{"Zero", Variant(Integer(0)), false},
                                           CancelRow{"NotANumber", Variant(String(u"abc")), false}),
                         [](const ::testing::TestParamInfo<CancelRow>& info) { return info.param.name; });

TEST(WizardNavigation, CancelledShowLeavesTheButtonsAndCountsTheRequest) {
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->set_mcolFrameObjectTitles(TextCollection({u"T0", u"T1", u"T2"}));
    w.wizard->Create();
    w.on_event = [](const std::string& name, std::span<Variant> args) {
        if (name == "BeforeFrameShow") args[1].Assign(Integer(-1));
    };
    w.wizard->ShowNextFrame();
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 1);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0));
    EXPECT_EQ(GetText(w.wizard->get_TopPaneTitleObject(), u"Caption"), "T0");
    EXPECT_FALSE(GetFlag(w.Previous(), u"Enabled"));
    // The next request counts from the cancelled one.
    w.on_event = nullptr;
    w.wizard->ShowNextFrame();
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 2);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(2));
}

// The final step of ShowFirstFrame and ShowLastFrame runs even when the
// host cancels.
TEST(WizardNavigation, FirstAndLastDisableTheirButtonEvenWhenCancelled) {
    WizardWorld w;
    w.wizard->Create();
    Long two = 2;
    w.wizard->GoToFrame(two);
    w.on_event = [](const std::string& name, std::span<Variant> args) {
        if (name == "BeforeFrameShow") args[1].Assign(Integer(-1));
    };
    ASSERT_TRUE(GetFlag(w.Next(), u"Enabled"));
    w.wizard->ShowLastFrame();
    EXPECT_FALSE(GetFlag(w.Next(), u"Enabled"));
    ASSERT_TRUE(GetFlag(w.Previous(), u"Enabled"));
    w.wizard->ShowFirstFrame();
    EXPECT_FALSE(GetFlag(w.Previous(), u"Enabled"));
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(2));
}

TEST(WizardNavigation, HostRewritesIndex) {
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->set_mcolFrameObjectTitles(TextCollection({u"T0", u"T1", u"T2", u"T3", u"T4", u"T5"}));
    w.wizard->Create();
    w.on_event = [](const std::string& name, std::span<Variant> args) {
        if (name == "BeforeFrameShow" && VariantToInteger(args[0]) == 4) args[0].Assign(Integer(2));
    };
    w.TakeLog();
    Long four = 4;
    w.wizard->GoToFrame(four);
    EXPECT_EQ(four, 4);  // the caller's variable is not the routine's
    EXPECT_THAT(w.TakeLog(), ElementsAre("BeforeFrameShow(2,0)", "AfterFrameShow(2)"));
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 4);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(2));
    EXPECT_EQ(GetText(w.wizard->get_TopPaneTitleObject(), u"Caption"), "T2");
}

// A value no Integer could hold leaves Index as it was.
TEST(WizardNavigation, IndexRewriteThatIsNoIntegerIsIgnored) {
    WizardWorld w;
    w.wizard->Create();
    w.on_event = [](const std::string& name, std::span<Variant> args) {
        if (name == "BeforeFrameShow") args[0].Assign(Long(70000));
    };
    w.wizard->ShowNextFrame();
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(1));
}

// A host handler that navigates runs a complete nested show; the outer one
// then finishes its own steps.
TEST(WizardNavigation, NestedShowFromAHandler) {
    WizardWorld w;
    w.wizard->Create();
    Ref<clsQuiborWizardA> wizard = w.wizard;
    bool once = true;
    w.on_event = [&](const std::string& name, std::span<Variant> args) {
        if (name == "BeforeFrameShow" && VariantToInteger(args[0]) == 1 && once) {
            once = false;
            Long four = 4;
            wizard->GoToFrame(four);
        }
    };
    w.TakeLog();
    w.wizard->ShowNextFrame();
    EXPECT_THAT(w.TakeLog(),
                ElementsAre("BeforeFrameShow(4,0)", "AfterFrameShow(4)", "BeforeFrameShow(1,0)", "AfterFrameShow(1)"));
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 4);  // set by the nested show last
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(1));
}

// --- layout

TEST(WizardLayout, NormalStepWithoutTitlePane) {
    WizardWorld w;
    w.wizard->Create();
    ObjectRef frame = w.Frame(0);
    EXPECT_EQ(GetNumber(frame, u"Left"), 0);
    EXPECT_EQ(GetNumber(frame, u"Top"), 0);
    EXPECT_EQ(GetNumber(frame, u"Width"), 8500);
    EXPECT_EQ(GetNumber(frame, u"Height"), 6000 - (600 + 450));
    EXPECT_EQ(GetNumber(frame, u"BorderStyle"), 0);
}

TEST(WizardLayout, NormalStepBelowTheTitlePane) {
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->let_Width(9000);
    w.wizard->let_Height(7000);
    w.wizard->Create();
    w.wizard->ShowNextFrame();
    ObjectRef frame = w.Frame(1);
    EXPECT_EQ(GetNumber(frame, u"Left"), 0);
    EXPECT_EQ(GetNumber(frame, u"Top"), 800);
    EXPECT_EQ(GetNumber(frame, u"Width"), 9000);
    EXPECT_EQ(GetNumber(frame, u"Height"), 7000 - (800 + 600 + 450));
    EXPECT_EQ(GetNumber(frame, u"BorderStyle"), 0);
    EXPECT_TRUE(GetFlag(w.Control(u"moTopPane"), u"Visible"));
}

TEST(WizardLayout, StepZeroWithoutTheTitlePaneWhenAsked) {
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->let_DontShowTopPaneinFirstFrame(Boolean{1});  // any non-zero value
    w.wizard->Create();
    ObjectRef pane = w.Control(u"moTopPane");
    EXPECT_FALSE(GetFlag(pane, u"Visible"));
    EXPECT_EQ(GetNumber(w.Frame(0), u"Top"), 0);
    EXPECT_EQ(GetNumber(w.Frame(0), u"Height"), 6000 - (600 + 450));
    w.wizard->ShowNextFrame();
    EXPECT_TRUE(GetFlag(pane, u"Visible"));
    EXPECT_EQ(GetNumber(w.Frame(1), u"Top"), 800);
}

TEST(WizardLayout, ClosingPageFillsTheWindowWithTheLastFrame) {
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->set_mcolFrameObjectTitles(TextCollection({u"T0", u"T1", u"T2", u"T3"}));
    w.wizard->Create();
    Long two = 2;
    w.wizard->GoToFrame(two);
    Long three = 3;
    w.wizard->GoToFrame(three);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(5));
    ObjectRef last = w.Frame(5);
    EXPECT_EQ(GetNumber(last, u"Left"), 0);
    EXPECT_EQ(GetNumber(last, u"Top"), 0);
    EXPECT_EQ(GetNumber(last, u"Width"), 8500);
    EXPECT_EQ(GetNumber(last, u"Height"), 6000 - (800 + 600));
    EXPECT_EQ(GetNumber(last, u"BorderStyle"), 0);
    EXPECT_FALSE(GetFlag(w.Control(u"moTopPane"), u"Visible"));
    // The labels keep the text of the step before.
    EXPECT_EQ(GetText(w.wizard->get_TopPaneTitleObject(), u"Caption"), "T2");
}

// The closing page's size reads the title pane; without one the last frame
// is shown where it stands.
TEST(WizardLayout, ClosingPageWithoutTitlePaneKeepsTheFramesPlace) {
    WizardWorld w;
    w.wizard->Create();
    LateCall(w.Frame(5), u"Move",
             {Variant(Single(120)), Variant(Single(240)), Variant(Single(3000)), Variant(Single(2000))});
    Long three = 3;
    w.wizard->GoToFrame(three);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(5));
    EXPECT_EQ(GetNumber(w.Frame(5), u"Left"), 120);
    EXPECT_EQ(GetNumber(w.Frame(5), u"Top"), 240);
    EXPECT_EQ(GetNumber(w.Frame(5), u"Width"), 3000);
    EXPECT_EQ(GetNumber(w.Frame(5), u"Height"), 2000);
    EXPECT_EQ(GetText(w.Next(), u"Caption"), "&Finish");
}

TEST(WizardLayout, WithMaxFrameIndexTwoTheFirstShowIsTheClosingPage) {
    WizardWorld w(3);
    w.wizard->Create();
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(2));
    EXPECT_EQ(GetText(w.Next(), u"Caption"), "&Finish");
}

// The closing page shows the array's highest element, whatever
// MaxFrameIndex says (frame 6 is above MaxFrameIndex, so never hidden).
TEST(WizardLayout, ClosingPageUsesTheArraysUpperBound) {
    WizardWorld w(8);
    w.wizard->let_MaxFrameIndex(5);
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->Create();
    LateLet(w.Frame(7), u"Visible", Variant(kFalse));
    Long three = 3;
    w.wizard->GoToFrame(three);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(6, 7));
    EXPECT_EQ(GetNumber(w.Frame(7), u"Height"), 6000 - (800 + 600));
}

// Frames above MaxFrameIndex are not hidden.
TEST(WizardLayout, FramesAboveTheLastStepAreLeftAlone) {
    WizardWorld w(8);
    w.wizard->let_MaxFrameIndex(4);
    w.wizard->Create();
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0, 5, 6, 7));
}

TEST(WizardLayout, MissingTitlesAndMessagesKeepThePreviousText) {
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->set_mcolFrameObjectTitles(TextCollection({u"T0", u"T1"}));
    w.wizard->set_mcolFrameObjectMessages(TextCollection({u"M0"}));
    w.wizard->Create();
    w.wizard->ShowNextFrame();
    EXPECT_EQ(GetText(w.wizard->get_TopPaneTitleObject(), u"Caption"), "T1");
    EXPECT_EQ(GetText(w.wizard->get_TopPaneMessageObject(), u"Caption"), "M0");
    w.wizard->ShowNextFrame();
    EXPECT_EQ(GetText(w.wizard->get_TopPaneTitleObject(), u"Caption"), "T1");
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(2));
}

// Without collections of its own the wizard makes empty ones and shows the
// steps without text.
TEST(WizardLayout, NoCollectionsAssigned) {
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->Create();
    EXPECT_EQ(GetText(w.wizard->get_TopPaneTitleObject(), u"Caption"), "");
    EXPECT_EQ(VariantToLong(LateGet(w.wizard->get_mcolFrameObjectTitles(), u"Count")), 0);
}

// --- overflow errors

TEST(WizardOverflow, GoToFrameOutsideTheIntegerRange) {
    WizardWorld w;
    w.wizard->Create();
    w.TakeLog();
    for (Long index : {Long(32768), Long(-32769), Long(2147483647)}) {
        EXPECT_RAISES(rt::kOverflow, w.wizard->GoToFrame(index));
    }
    EXPECT_THAT(w.TakeLog(), IsEmpty());
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 0);
    Long top = 32767;
    EXPECT_EQ(w.wizard->GoToFrame(top), 0);
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 5);
}

TEST(WizardOverflow, NextAtTheTopAndPreviousAtTheBottom) {
    WizardWorld w;
    w.wizard->Create();
    w.TakeLog();
    w.wizard->let_CurrentFrame(32767);
    EXPECT_RAISES(rt::kOverflow, w.wizard->ShowNextFrame());
    w.wizard->let_CurrentFrame(-32768);
    EXPECT_RAISES(rt::kOverflow, w.wizard->ShowPreviousFrame());
    EXPECT_THAT(w.TakeLog(), IsEmpty());
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0));
}

// From a click or a key the error goes back to the runtime as the failure
// of the event handler, after the click was passed on.
TEST(WizardOverflow, ReachesTheRuntimeFromClicksAndKeys) {
    WizardWorld w;
    w.wizard->let_KeyPreview(kTrue);
    w.wizard->Create();
    w.TakeLog();
    w.wizard->let_CurrentFrame(32767);
    EXPECT_RAISES(rt::kOverflow, w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("NextFrameButtonClick()"));
    EXPECT_RAISES(rt::kOverflow, w.User().KeyDown(w.form, 33));
    w.wizard->let_CurrentFrame(-32768);
    EXPECT_RAISES(rt::kOverflow, w.User().KeyDown(w.form, 34));
    EXPECT_THAT(w.TakeLog(), IsEmpty());
}

}  // namespace
}  // namespace quibor15::wizard_test
