// The wizard's state before anything is built: defaults, storage exactly as
// assigned, the fonts and collections made on first use, WindowObject's
// check.
#include "wizard_world.hpp"

namespace quibor15::wizard_test {
namespace {

class WizardConfiguration : public ::testing::Test {
protected:
    std::shared_ptr<HeadlessRuntime> runtime = std::make_shared<HeadlessRuntime>();
    ContextPtr context = std::make_shared<Context>(runtime, nullptr);
    Ref<clsQuiborWizardA> wizard = MakeRef<clsQuiborWizardA>(context);
};

TEST_F(WizardConfiguration, NewWizardReadsItsDefaults) {
    auto& w = *wizard;
    EXPECT_EQ(w.get_AppObject(), nullptr);
    EXPECT_EQ(w.get_BuddyObject(), nullptr);
    EXPECT_EQ(w.get_WindowObject(), nullptr);
    EXPECT_EQ(w.get_FrameObject(), nullptr);
    EXPECT_EQ(w.get_AddTopPane(), kFalse);
    EXPECT_EQ(w.get_KeyPreview(), kFalse);
    EXPECT_EQ(w.get_AddBottomPane(), kFalse);
    EXPECT_EQ(w.get_TopPanePicture(), nullptr);
    EXPECT_EQ(w.get_TopPaneBackPicture(), nullptr);
    EXPECT_EQ(w.get_BottomPaneBackPicture(), nullptr);
    EXPECT_EQ(w.get_Title(), u"");
    EXPECT_EQ(w.get_Height(), 0);
    EXPECT_EQ(w.get_Width(), 0);
    EXPECT_EQ(w.get_FirstFrameButtonCaption(), u"");
    EXPECT_EQ(w.get_PreviousFrameButtonCaption(), u"");
    EXPECT_EQ(w.get_NextFrameButtonCaption(), u"");
    EXPECT_EQ(w.get_LastFrameButtonCaption(), u"");
    EXPECT_EQ(w.get_CancelButtonCaption(), u"");
    EXPECT_EQ(w.get_TopPaneBackcolor(), 0);
    EXPECT_EQ(w.get_BottomPaneBackcolor(), 0);
    EXPECT_EQ(w.get_ShowFirstFrameButton(), kFalse);
    EXPECT_EQ(w.get_ShowLastFrameButton(), kFalse);
    EXPECT_EQ(w.get_DontShowTopPaneinFirstFrame(), kFalse);
    EXPECT_EQ(w.get_TopPaneObject(), nullptr);
    EXPECT_EQ(w.get_TopPaneTitleObject(), nullptr);
    EXPECT_EQ(w.get_TopPaneMessageObject(), nullptr);
    EXPECT_EQ(w.get_TopPanePictureObject(), nullptr);
    EXPECT_EQ(w.get_BottomPaneObject(), nullptr);
    EXPECT_EQ(w.get_MaxFrameIndex(), 0);
    EXPECT_EQ(w.get_CurrentFrame(), 0);
    EXPECT_EQ(w.get_BottomPaneButtonXDistance(), 0);
    EXPECT_EQ(w.About(), 0);
}

TEST_F(WizardConfiguration, ValuesAreStoredExactlyAsAssigned) {
    auto& w = *wizard;
    w.let_MaxFrameIndex(-5);
    w.let_CurrentFrame(1000);
    w.let_Width(-1);
    w.let_Height(123456);
    w.let_TopPaneBackcolor(static_cast<Long>(0x80000005u));
    w.let_BottomPaneButtonXDistance(2147483647);
    w.let_AddTopPane(Boolean{1});  // not True, stored all the same
    w.let_Title(u"  Setup  ");
    EXPECT_EQ(w.get_MaxFrameIndex(), -5);
    EXPECT_EQ(w.get_CurrentFrame(), 1000);
    EXPECT_EQ(w.get_Width(), -1);
    EXPECT_EQ(w.get_Height(), 123456);
    EXPECT_EQ(w.get_TopPaneBackcolor(), static_cast<Long>(0x80000005u));
    EXPECT_EQ(w.get_BottomPaneButtonXDistance(), 2147483647);
    EXPECT_EQ(w.get_AddTopPane().raw, 1);
    EXPECT_EQ(w.get_Title(), u"  Setup  ");
}

TEST_F(WizardConfiguration, ObjectPropertiesReturnTheSameObject) {
    Ref<Collection> some = Collection::Create();
    auto& w = *wizard;
    w.set_AppObject(some);
    w.set_TopPanePicture(some);
    w.set_TopPaneObject(some);
    EXPECT_EQ(w.get_AppObject(), ObjectRef(some));
    EXPECT_EQ(w.get_TopPanePicture(), ObjectRef(some));
    EXPECT_EQ(w.get_TopPaneObject(), ObjectRef(some));
    w.set_AppObject(nullptr);
    EXPECT_EQ(w.get_AppObject(), nullptr);
}

TEST_F(WizardConfiguration, FontsAreMadeOnFirstReadAndKept) {
    ObjectRef title_font = wizard->get_TopPaneTitleFont();
    ASSERT_TRUE(title_font);
    EXPECT_EQ(title_font->TypeName(), u"Font");
    EXPECT_EQ(wizard->get_TopPaneTitleFont(), title_font);
    ObjectRef message_font = wizard->get_TopPaneMessageFont();
    EXPECT_TRUE(message_font);
    EXPECT_NE(message_font, title_font);

    ObjectRef own = runtime->NewFont();
    wizard->set_TopPaneTitleFont(own);
    EXPECT_EQ(wizard->get_TopPaneTitleFont(), own);
    wizard->set_TopPaneTitleFont(nullptr);
    ObjectRef fresh = wizard->get_TopPaneTitleFont();
    EXPECT_TRUE(fresh);
    EXPECT_NE(fresh, own);
}

TEST_F(WizardConfiguration, CollectionsAreMadeEmptyWhenFirstRead) {
    ObjectRef titles = wizard->get_mcolFrameObjectTitles();
    ASSERT_TRUE(titles);
    EXPECT_EQ(titles->TypeName(), u"Collection");
    EXPECT_EQ(VariantToLong(LateGet(titles, u"Count")), 0);
    EXPECT_EQ(wizard->get_mcolFrameObjectTitles(), titles);
    EXPECT_NE(wizard->get_mcolFrameObjectMessages(), titles);

    Ref<Collection> own = TextCollection({u"a"});
    wizard->set_mcolFrameObjectMessages(own);
    EXPECT_EQ(wizard->get_mcolFrameObjectMessages(), ObjectRef(own));
}

TEST_F(WizardConfiguration, GetProStdPropertiesIsTheLibrarysAppObject) {
    ObjectRef app = wizard->get_GetProStdProperties();
    ASSERT_TRUE(app);
    EXPECT_EQ(app, runtime->App());
    EXPECT_EQ(wizard->get_GetProStdProperties(), app);
    EXPECT_EQ(GetText(app, u"EXEName"), "quibor15");
}

TEST_F(WizardConfiguration, WindowObjectTakesOnlyAForm) {
    Ref<Form> form = runtime->AddForm(u"frmSetup");
    wizard->set_WindowObject(form);
    EXPECT_EQ(wizard->get_WindowObject(), ObjectRef(form));

    ObjectRef button = form->AddByProgId(u"VB.CommandButton", u"cmdOK");
    ObjectRef label = form->AddByProgId(u"VB.Label", u"lblTitle");
    Ref<ControlArray> frames = form->AddControlArray(ControlKind::Frame, u"fraStep", 2);
    for (const ObjectRef& not_a_form : {button, label, ObjectRef(frames), ObjectRef(Collection::Create())}) {
        EXPECT_RAISES(rt::kTypeMismatch, wizard->set_WindowObject(not_a_form));
        EXPECT_EQ(wizard->get_WindowObject(), ObjectRef(form));
    }

    wizard->set_WindowObject(nullptr);
    EXPECT_EQ(wizard->get_WindowObject(), nullptr);
}

// The form's events reach the wizard only while it is held: a key press
// after the form was let go does nothing.
TEST(WizardWindowObject, ReplacingTheFormDisconnectsItsKeys) {
    WizardWorld w;
    w.wizard->let_KeyPreview(kTrue);
    w.wizard->Create();
    w.TakeLog();
    ASSERT_TRUE(w.User().KeyDown(w.form, 33));
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 1);

    w.wizard->set_WindowObject(nullptr);
    w.User().KeyDown(w.form, 33);
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 1);

    w.wizard->set_WindowObject(w.form);
    w.User().KeyDown(w.form, 33);
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 2);
}

TEST(WizardLateBinding, MembersAnswerByNameAndDispId) {
    WizardWorld w;
    ObjectRef wizard = w.wizard;
    EXPECT_EQ(wizard->TypeName(), u"clsQuiborWizardA");
    EXPECT_EQ(wizard->GetIdOfName(u"shownextframe"), static_cast<DispId>(0x60030096));
    EXPECT_EQ(wizard->GetIdOfName(u"GoToFrame"), static_cast<DispId>(0x60030098));
    EXPECT_EQ(wizard->GetIdOfName(u"mcolFrameObjectTitles"), static_cast<DispId>(0x40030051));

    LateLet(wizard, u"Title", Variant(String(u"Late")));
    LateLet(wizard, u"AddTopPane", Variant(kTrue));
    EXPECT_EQ(w.wizard->get_Title(), u"Late");
    EXPECT_EQ(VariantToLong(LateCall(wizard, u"Create")), 0);
    EXPECT_EQ(w.form->Caption(), u"Late");

    Variant index(Long(2));
    Variant args[1] = {Variant::ByRef(index)};
    LateCall(wizard, u"GoToFrame", args);
    EXPECT_EQ(VariantToInteger(LateGet(wizard, u"CurrentFrame")), 2);

    Variant too_far(Long(40000));
    Variant far_args[1] = {Variant::ByRef(too_far)};
    EXPECT_RAISES(rt::kOverflow, LateCall(wizard, u"GoToFrame", far_args));
    EXPECT_RAISES(rt::kTypeMismatch, LateSet(wizard, u"WindowObject", w.Next()));

    EXPECT_EQ(wizard->EventName(6), u"BeforeFrameShow");
    EXPECT_EQ(wizard->EventName(33), u"FinishFrameButtonClick");
}

}  // namespace
}  // namespace quibor15::wizard_test
