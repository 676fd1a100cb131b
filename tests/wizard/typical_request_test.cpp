// The wizard as a host program uses it, from configuration to release.
#include "wizard_world.hpp"

namespace quibor15::wizard_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Six steps with titles and messages; 5 - 2 = 3 is the closing page.
void Configure(WizardWorld& w) {
    auto& wizard = *w.wizard;
    wizard.let_Title(u"Setup");
    wizard.let_AddTopPane(kTrue);
    wizard.let_KeyPreview(kTrue);
    wizard.let_ShowFirstFrameButton(kTrue);
    wizard.let_ShowLastFrameButton(kTrue);
    wizard.set_mcolFrameObjectTitles(TextCollection({u"Welcome", u"Licence", u"Folder", u"Ready"}));
    wizard.set_mcolFrameObjectMessages(TextCollection({u"Start here", u"Read it", u"Pick one", u"Go"}));
}

TEST(WizardTypicalRequest, BuildsWalksFinishesAndReleases) {
    WizardWorld w;
    Configure(w);
    int finishes = 0;
    w.on_event = [&finishes](const std::string& name, std::span<Variant> args) {
        // The first Finish is refused, the second accepted.
        if (name == "FinishFrameButtonClick" && finishes++ == 0) args[0].Assign(Integer(-1));
    };

    EXPECT_EQ(w.wizard->Create(), 0);
    EXPECT_THAT(w.TakeLog(), ElementsAre("BeforeFrameShow(0,0)", "AfterFrameShow(0)"));

    // The form is the wizard's window now.
    EXPECT_EQ(w.form->Caption(), u"Setup");
    EXPECT_EQ(w.form->BorderStyle(), 3);
    EXPECT_EQ(w.form->Width(), 8500);
    EXPECT_EQ(w.form->Height(), 6000);
    EXPECT_TRUE(w.form->KeyPreview());
    for (auto name : {u"moTopPane", u"moTopPaneTitleLabel", u"moTopPaneMessageLabel", u"moTopPanePicture",
                      u"moBottomPane", u"moFirstFrameButton", u"moPreviousFrameButton", u"moNextFrameButton",
                      u"moLastFrameButton", u"moCancelButton"}) {
        EXPECT_TRUE(w.Control(name)) << Narrow(name);
    }
    EXPECT_EQ(w.wizard->get_TopPaneObject(), w.Control(u"moTopPane"));
    EXPECT_EQ(w.wizard->get_BottomPaneObject(), w.Control(u"moBottomPane"));
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0));
    EXPECT_EQ(GetText(w.wizard->get_TopPaneTitleObject(), u"Caption"), "Welcome");
    EXPECT_EQ(GetText(w.wizard->get_TopPaneMessageObject(), u"Caption"), "Start here");

    // Next, Next: the normal steps 1 and 2.
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("NextFrameButtonClick()", "BeforeFrameShow(1,0)", "AfterFrameShow(1)"));
    ASSERT_TRUE(w.User().Click(w.Next()));
    w.TakeLog();
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 2);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(2));
    EXPECT_EQ(GetText(w.wizard->get_TopPaneTitleObject(), u"Caption"), "Folder");
    EXPECT_EQ(GetText(w.Next(), u"Caption"), "&Next");

    // Next again requests 3 = 5 - 2: the closing page shows the last frame
    // across the window without the title pane.
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("NextFrameButtonClick()", "BeforeFrameShow(3,0)", "AfterFrameShow(3)"));
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(5));
    EXPECT_EQ(GetText(w.Next(), u"Caption"), "&Finish");
    EXPECT_FALSE(GetFlag(w.Control(u"moTopPane"), u"Visible"));
    EXPECT_FALSE(GetFlag(w.Previous(), u"Enabled"));

    // Finish, refused by the host: the closing page stays.
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("FinishFrameButtonClick(-1)"));
    EXPECT_TRUE(w.form->IsLoaded());
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(5));

    // Finish, accepted: the form is unloaded and no step follows.
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("FinishFrameButtonClick(0)"));
    EXPECT_FALSE(w.form->IsLoaded());
    EXPECT_THAT(w.runtime->Forms(), IsEmpty());

    // Release: the controls stay on the form and nothing reaches the
    // released wizard any more.
    ObjectRef next = w.Next();
    ObjectRef pane = w.Control(u"moTopPane");
    uint32_t next_refs_held = next->RefCount();
    w.wizard->Unadvise(w.cookie);
    w.wizard.Reset();
    EXPECT_EQ(w.Next(), next);
    EXPECT_EQ(w.Control(u"moTopPane"), pane);
    EXPECT_LT(next->RefCount(), next_refs_held);
    w.form->Show();
    w.User().Click(next);
    w.User().Click(pane);
    EXPECT_THAT(w.TakeLog(), IsEmpty());
}

TEST(WizardTypicalRequest, BuddyReceivesTheRelayCallsAndPaneClicksStayEvents) {
    WizardWorld w;
    Configure(w);
    auto buddy = MakeRef<Buddy>(w.log, nullptr);
    w.wizard->set_BuddyObject(buddy);

    w.wizard->Create();
    EXPECT_THAT(w.TakeLog(),
                ElementsAre("clsQuiborWizardA_BeforeFrameShow(0,0)", "clsQuiborWizardA_AfterFrameShow(0)"));

    ASSERT_TRUE(w.User().Click(w.Next()));
    ASSERT_TRUE(w.User().Click(w.Last()));
    ASSERT_TRUE(w.User().Click(w.Previous()));
    ASSERT_TRUE(w.User().Click(w.First()));
    ASSERT_TRUE(w.User().Click(w.Cancel()));
    EXPECT_THAT(w.TakeLog(),
                ElementsAre("clsQuiborWizardA_NextFrameButtonClick()", "clsQuiborWizardA_BeforeFrameShow(1,0)",
                            "clsQuiborWizardA_AfterFrameShow(1)", "clsQuiborWizardA_LastFrameButtonClick()",
                            "clsQuiborWizardA_BeforeFrameShow(5,0)", "clsQuiborWizardA_AfterFrameShow(5)",
                            "clsQuiborWizardA_PreviousFrameButtonClick()", "clsQuiborWizardA_BeforeFrameShow(4,0)",
                            "clsQuiborWizardA_AfterFrameShow(4)", "clsQuiborWizardA_FirstFrameButtonClick()",
                            "clsQuiborWizardA_BeforeFrameShow(0,0)", "clsQuiborWizardA_AfterFrameShow(0)",
                            "clsQuiborWizardA_CancelFrameButtonClick()"));
    EXPECT_TRUE(w.form->IsLoaded());

    // Pane, label and picture actions are events even with a buddy.
    ASSERT_TRUE(w.User().Click(w.wizard->get_TopPaneTitleObject()));
    ASSERT_TRUE(w.User().Click(w.wizard->get_TopPaneMessageObject()));
    ASSERT_TRUE(w.User().Click(w.wizard->get_TopPanePictureObject()));
    ASSERT_TRUE(w.User().Click(w.wizard->get_BottomPaneObject()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("TopPaneTitleClick()", "TopPaneMessageClick()", "TopPanePictureClick()",
                                         "BottomPaneClick()"));

    // On to the closing page and Finish: the buddy is asked, the form goes.
    w.wizard->let_CurrentFrame(2);
    ASSERT_TRUE(w.User().Click(w.Next()));
    ASSERT_EQ(GetText(w.Next(), u"Caption"), "&Finish");
    w.TakeLog();
    ASSERT_TRUE(w.User().Click(w.Next()));
    EXPECT_THAT(w.TakeLog(), ElementsAre("clsQuiborWizardA_FinishFrameButtonClick(0)"));
    EXPECT_FALSE(w.form->IsLoaded());
}

}  // namespace
}  // namespace quibor15::wizard_test
