// What the wizard passes on: button clicks as events or buddy calls before
// the move, Finish and Cancel, pane, label and picture actions as events
// only, and the page keys.
#include "wizard_world.hpp"

namespace quibor15::wizard_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(WizardRelay, NextClickIsPassedOnBeforeTheMove) {
    WizardWorld w;
    w.wizard->Create();
    w.wizard->ShowNextFrame();
    Integer seen_current = -1;
    Ref<clsQuiborWizardA> wizard = w.wizard;
    w.on_event = [&](const std::string& name, std::span<Variant>) {
        if (name == "NextFrameButtonClick") seen_current = wizard->get_CurrentFrame();
    };
    w.TakeLog();
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("NextFrameButtonClick()", "BeforeFrameShow(2,0)", "AfterFrameShow(2)"));
    EXPECT_EQ(seen_current, 1);
}

TEST(WizardRelay, EachButtonRaisesItsEventThenMoves) {
    WizardWorld w;
    w.wizard->let_ShowFirstFrameButton(kTrue);
    w.wizard->let_ShowLastFrameButton(kTrue);
    w.wizard->Create();
    w.TakeLog();
    ASSERT_TRUE(w.User().Click(w.Last()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("LastFrameButtonClick()", "BeforeFrameShow(5,0)", "AfterFrameShow(5)"));
    ASSERT_TRUE(w.User().Click(w.Previous()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("PreviousFrameButtonClick()", "BeforeFrameShow(4,0)", "AfterFrameShow(4)"));
    ASSERT_TRUE(w.User().Click(w.First()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("FirstFrameButtonClick()", "BeforeFrameShow(0,0)", "AfterFrameShow(0)"));
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0));
}

// Only Click of a button is passed on; its mouse events are not.
TEST(WizardRelay, ButtonMouseEventsAreNotPassedOn) {
    WizardWorld w;
    w.wizard->Create();
    w.TakeLog();
    w.User().MouseDown(w.Next(), 1, 0, 10, 10);
    w.User().MouseUp(w.Next(), 1, 0, 10, 10);
    EXPECT_THAT(w.TakeLog(), IsEmpty());
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 0);
}

TEST(WizardRelay, CancelButtonOnlyTellsTheHost) {
    WizardWorld w;
    w.wizard->Create();
    w.TakeLog();
    ASSERT_TRUE(w.User().Click(w.Cancel()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("CancelFrameButtonClick()"));
    EXPECT_TRUE(w.form->IsLoaded());
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 0);
}

struct FinishRow {
    const char* name;
    Variant cancel;
    bool unloads;
};

class WizardFinish : public ::testing::TestWithParam<FinishRow> {};

TEST_P(WizardFinish, UnloadsUnlessCancelIsTrue) {
    const FinishRow& row = GetParam();
    WizardWorld w;
    w.wizard->Create();
    Long closing = 3;
    w.wizard->GoToFrame(closing);
    w.on_event = [&row](const std::string& name, std::span<Variant> args) {
        if (name == "FinishFrameButtonClick") args[0].Assign(row.cancel);
    };
    w.TakeLog();
    ASSERT_TRUE(w.User().Click(w.Next()));
    ASSERT_EQ(w.TakeLog().size(), 1u);  // no step follows either way
    EXPECT_EQ(w.form->IsLoaded(), !row.unloads);
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 3);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(5));
}

INSTANTIATE_TEST_SUITE_P(Values, WizardFinish,
                         ::testing::Values(FinishRow{"Zero", Variant(Integer(0)), true},
                                           FinishRow{"True", Variant(Integer(-1)), false},
                                           FinishRow{"BooleanTrue", Variant(kTrue), false},
                                           FinishRow{"One", Variant(Integer(1)), true},
                                           FinishRow{"NotANumber", Variant(String(u"x")), true}),
                         [](const ::testing::TestParamInfo<FinishRow>& info) { return info.param.name; });

// The Next button is the Finish button exactly when its caption reads
// "&Finish": a host whose own Next caption is "&Finish" finishes on every
// click.
TEST(WizardRelay, HostCaptionFinishFinishesOnEveryStep) {
    WizardWorld w;
    w.wizard->let_NextFrameButtonCaption(u"&Finish");
    w.wizard->Create();
    w.TakeLog();
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("FinishFrameButtonClick(0)"));
    EXPECT_FALSE(w.form->IsLoaded());
}

// The comparison is exact: another case is no Finish button.
TEST(WizardRelay, FinishCaptionComparesCaseAndAll) {
    WizardWorld w;
    w.wizard->let_NextFrameButtonCaption(u"&FINISH");
    w.wizard->Create();
    w.TakeLog();
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("NextFrameButtonClick()", "BeforeFrameShow(1,0)", "AfterFrameShow(1)"));
    EXPECT_TRUE(w.form->IsLoaded());
}

// A host may let go of the wizard inside the event the wizard raised; the
// wizard lives to the end of its own handling.
TEST(WizardRelay, ReleasedByTheHostInsideFinish) {
    WizardWorld w;
    w.wizard->Create();
    Long closing = 3;
    w.wizard->GoToFrame(closing);
    ObjectRef next = w.Next();
    w.wizard->Unadvise(w.cookie);
    Ref<clsQuiborWizardA>* holder = &w.wizard;
    auto log = std::make_shared<Log>();
    auto releaser = MakeRef<EventRecorder>(log, [holder](const std::string& name, std::span<Variant>) {
        if (name == "FinishFrameButtonClick") holder->Reset();
    });
    w.wizard->Advise(releaser);
    ASSERT_TRUE(w.User().Click(next));
    EXPECT_FALSE(w.wizard);
    EXPECT_FALSE(w.form->IsLoaded());
    EXPECT_THAT(*log, ElementsAre("FinishFrameButtonClick(0)"));
}

// --- buddy object

TEST(WizardBuddy, BuddyReceivesCallsAndNoEvents) {
    WizardWorld w;
    w.wizard->Create();
    w.wizard->ShowNextFrame();
    auto buddy_log = std::make_shared<Log>();
    w.wizard->set_BuddyObject(MakeRef<Buddy>(buddy_log, nullptr));
    w.TakeLog();
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), IsEmpty());
    EXPECT_THAT(*buddy_log, ElementsAre("clsQuiborWizardA_NextFrameButtonClick()",
                                        "clsQuiborWizardA_BeforeFrameShow(2,0)", "clsQuiborWizardA_AfterFrameShow(2)"));
    // Back to events once the buddy is gone.
    w.wizard->set_BuddyObject(nullptr);
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("NextFrameButtonClick()", "BeforeFrameShow(3,0)", "AfterFrameShow(3)"));
}

TEST(WizardBuddy, BuddyArgumentsFlowBack) {
    WizardWorld w;
    w.wizard->Create();
    auto buddy = MakeRef<Buddy>(w.log, [](const std::string& name, std::span<Variant> args) {
        if (name == "BeforeFrameShow" && VariantToInteger(args[0]) == 1) args[1].Assign(Integer(-1));
        if (name == "BeforeFrameShow" && VariantToInteger(args[0]) == 2) args[0].Assign(Integer(4));
        if (name == "FinishFrameButtonClick") args[0].Assign(Integer(-1));
    });
    w.wizard->set_BuddyObject(buddy);
    w.wizard->ShowNextFrame();  // cancelled
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0));
    w.wizard->ShowNextFrame();  // 2, moved to 4
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(4));
    Long closing = 3;
    w.wizard->GoToFrame(closing);
    w.TakeLog();
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("clsQuiborWizardA_FinishFrameButtonClick(-1)"));
    EXPECT_TRUE(w.form->IsLoaded());
}

// A click whose relay call fails goes back to the runtime as the failure
// of the click handler, and the move does not happen.
TEST(WizardBuddy, MissingClickRelayFailsTheClick) {
    WizardWorld w;
    w.wizard->Create();
    w.wizard->set_BuddyObject(MakeRef<Buddy>(w.log, nullptr, std::set<std::string>{"NextFrameButtonClick"}));
    w.TakeLog();
    EXPECT_RAISES(rt::kMemberNotSupported, w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), IsEmpty());
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 0);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0));
    // The other buttons still work.
    ASSERT_TRUE(w.User().Click(w.Cancel()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("clsQuiborWizardA_CancelFrameButtonClick()"));
}

// The frame-show routine ignores a buddy without its two relay methods.
TEST(WizardBuddy, MissingShowRelaysAreIgnored) {
    WizardWorld w;
    w.wizard->Create();
    w.wizard->set_BuddyObject(
        MakeRef<Buddy>(w.log, nullptr, std::set<std::string>{"BeforeFrameShow", "AfterFrameShow"}));
    w.TakeLog();
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("clsQuiborWizardA_NextFrameButtonClick()"));
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 1);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(1));
}

// --- pane, label and picture actions

struct PaneRow {
    const char* name;
    std::u16string_view control;
    const char* prefix;
};

class WizardPaneEvents : public ::testing::TestWithParam<PaneRow> {};

TEST_P(WizardPaneEvents, FiveActionsAsEvents) {
    const PaneRow& row = GetParam();
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->set_BuddyObject(MakeRef<Buddy>(w.log, nullptr));
    w.wizard->Create();
    ObjectRef control = w.Control(row.control);
    ASSERT_TRUE(control);
    w.TakeLog();
    const std::string p = row.prefix;

    ASSERT_TRUE(w.User().Click(control));
    EXPECT_THAT(w.TakeLog(), ElementsAre(p + "Click()"));
    ASSERT_TRUE(w.User().MouseDown(control, 1, 2, 100, 50));
    ASSERT_TRUE(w.User().MouseMove(control, 0, 0, 120, 60));
    ASSERT_TRUE(w.User().MouseUp(control, 2, 1, 130, 70));
    EXPECT_THAT(w.TakeLog(),
                ElementsAre(p + "MouseDown(1,2,100,50)", p + "MouseMove(0,0,120,60)", p + "MouseUp(2,1,130,70)"));
    ASSERT_TRUE(w.User().DblClick(control));
    Log dbl = w.TakeLog();
    EXPECT_NE(std::find(dbl.begin(), dbl.end(), p + "DoubleClick()"), dbl.end());
}

INSTANTIATE_TEST_SUITE_P(Sources, WizardPaneEvents,
                         ::testing::Values(PaneRow{"TitleLabel", u"moTopPaneTitleLabel", "TopPaneTitle"},
                                           PaneRow{"MessageLabel", u"moTopPaneMessageLabel", "TopPaneMessage"},
                                           PaneRow{"Picture", u"moTopPanePicture", "TopPanePicture"},
                                           PaneRow{"TitlePane", u"moTopPane", "TopPane"},
                                           PaneRow{"ButtonPane", u"moBottomPane", "BottomPane"}),
                         [](const ::testing::TestParamInfo<PaneRow>& info) { return info.param.name; });

// --- page keys

struct KeyRow {
    const char* name;
    bool wizard_key_preview;
    Integer start;
    Integer key_code;
    Integer shift;
    Integer expected_step;
    std::vector<int> visible;
};

class WizardPageKeys : public ::testing::TestWithParam<KeyRow> {};

TEST_P(WizardPageKeys, Navigate) {
    const KeyRow& row = GetParam();
    WizardWorld w;
    w.wizard->let_KeyPreview(Boolean::From(row.wizard_key_preview));
    w.wizard->let_ShowFirstFrameButton(kTrue);
    w.wizard->Create();
    w.form->SetKeyPreview(true);  // the host's own preview does not switch the keys on
    Long start = row.start;
    w.wizard->GoToFrame(start);
    w.TakeLog();
    ASSERT_TRUE(w.User().KeyDown(w.form, row.key_code, row.shift));
    EXPECT_EQ(w.wizard->get_CurrentFrame(), row.expected_step);
    EXPECT_EQ(w.VisibleFrames(), row.visible);
    for (const std::string& entry : w.TakeLog()) EXPECT_EQ(entry.find("ButtonClick"), std::string::npos) << entry;
    EXPECT_TRUE(w.form->IsLoaded());
}

INSTANTIATE_TEST_SUITE_P(Keys, WizardPageKeys,
                         ::testing::Values(KeyRow{"PageUpForward", true, 0, 33, 0, 1, {1}},
                                           KeyRow{"PageUpWithShift", true, 0, 33, 1, 1, {1}},
                                           KeyRow{"PageDownBack", true, 2, 34, 0, 1, {1}},
                                           KeyRow{"PageDownOnStepZero", true, 0, 34, 0, 0, {0}},
                                           KeyRow{"PageUpOnLastStep", true, 5, 33, 0, 5, {5}},
                                           KeyRow{"PageUpOnClosingPageNeverFinishes", true, 3, 33, 0, 4, {4}},
                                           KeyRow{"OtherKey", true, 1, 40, 0, 1, {1}},
                                           KeyRow{"LetterKey", true, 1, 65, 0, 1, {1}},
                                           KeyRow{"PageUpWithoutKeyPreview", false, 0, 33, 0, 0, {0}},
                                           KeyRow{"PageDownWithoutKeyPreview", false, 2, 34, 0, 2, {2}}),
                         [](const ::testing::TestParamInfo<KeyRow>& info) { return info.param.name; });

TEST(WizardPageKeys, PageDownOnStepZeroDisablesFirstAndPrevious) {
    WizardWorld w;
    w.wizard->let_KeyPreview(kTrue);
    w.wizard->let_ShowFirstFrameButton(kTrue);
    w.wizard->Create();
    w.TakeLog();
    ASSERT_TRUE(w.User().KeyDown(w.form, 34));
    EXPECT_THAT(w.TakeLog(), ElementsAre("BeforeFrameShow(-1,0)", "BeforeFrameShow(0,0)", "AfterFrameShow(0)"));
    EXPECT_FALSE(GetFlag(w.First(), u"Enabled"));
    EXPECT_FALSE(GetFlag(w.Previous(), u"Enabled"));
}

TEST(WizardPageKeys, ClosingPageKeyRestoresTheNextCaption) {
    WizardWorld w;
    w.wizard->let_KeyPreview(kTrue);
    w.wizard->Create();
    Long closing = 3;
    w.wizard->GoToFrame(closing);
    ASSERT_EQ(GetText(w.Next(), u"Caption"), "&Finish");
    ASSERT_TRUE(w.User().KeyDown(w.form, 33));
    EXPECT_EQ(GetText(w.Next(), u"Caption"), "&Next");
}

// The key is left as it was, so whoever handles it after the wizard still
// sees Page Up.
TEST(WizardPageKeys, KeyCodeIsLeftUnchanged) {
    WizardWorld w;
    w.wizard->let_KeyPreview(kTrue);
    w.wizard->Create();
    Integer seen = 0;
    class KeySink final : public Object {
    public:
        explicit KeySink(Integer& seen) : seen_(seen) {}
        String TypeName() const override { return u"KeySink"; }
        DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
        Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
            if (id == ev::kKeyDown) seen_ = VariantToInteger(args[0]);
            return Variant();
        }

    private:
        Integer& seen_;
    };
    uint32_t cookie = w.form->Advise(MakeRef<KeySink>(seen));
    ASSERT_TRUE(w.User().KeyDown(w.form, 33));
    EXPECT_EQ(seen, 33);
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 1);
    w.form->Unadvise(cookie);
}

}  // namespace
}  // namespace quibor15::wizard_test
