// Create: the form's style and size, the panes, labels, picture and
// buttons with their names, places, captions, colours and fonts, and the
// steps it skips when something fails.
#include "wizard_world.hpp"

namespace quibor15::wizard_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A stand-in for a picture the host assigns.
class TestPicture final : public Object {
public:
    String TypeName() const override { return u"Picture"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    Variant Invoke(DispId, uint16_t, std::span<Variant>) override { RaiseRuntimeError(rt::kMemberNotSupported); }
};

struct Box {
    double left, top, width, height;
    friend bool operator==(const Box&, const Box&) = default;
};
std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << "{" << b.left << ", " << b.top << ", " << b.width << ", " << b.height << "}";
}
Box BoxOf(const ObjectRef& control) {
    return {GetNumber(control, u"Left"), GetNumber(control, u"Top"), GetNumber(control, u"Width"),
            GetNumber(control, u"Height")};
}

TEST(WizardCreate, AllDefaultsMakeAFixedDialogWithAButtonPane) {
    WizardWorld w;
    w.form->SetIcon(MakeRef<TestPicture>());
    w.form->SetCaption(u"Host caption");
    w.form->SetWindowState(2);
    w.form->SetScaleMode(3);
    w.form->SetKeyPreview(true);

    EXPECT_EQ(w.wizard->Create(), 0);

    EXPECT_EQ(w.form->WindowState(), 0);
    EXPECT_EQ(w.form->BorderStyle(), 3);
    EXPECT_EQ(w.form->ScaleMode(), 1);
    EXPECT_EQ(w.form->Icon(), nullptr);
    EXPECT_EQ(w.form->Caption(), u"Host caption");  // Title "" leaves it
    EXPECT_TRUE(w.form->KeyPreview());              // KeyPreview False leaves it
    EXPECT_EQ(w.form->Width(), 8500);
    EXPECT_EQ(w.form->Height(), 6000);

    // No title pane, no First or Last button.
    for (auto name : {u"moTopPane", u"moTopPaneTitleLabel", u"moTopPaneMessageLabel", u"moTopPanePicture",
                      u"moFirstFrameButton", u"moLastFrameButton"}) {
        EXPECT_FALSE(w.Control(name)) << Narrow(name);
    }
    EXPECT_EQ(w.wizard->get_TopPaneObject(), nullptr);
    EXPECT_EQ(w.wizard->get_TopPaneTitleObject(), nullptr);

    ObjectRef pane = w.Control(u"moBottomPane");
    ASSERT_TRUE(pane);
    EXPECT_EQ(pane->TypeName(), u"PictureBox");
    EXPECT_EQ(w.wizard->get_BottomPaneObject(), pane);
    EXPECT_EQ(GetNumber(pane, u"Height"), 600);
    EXPECT_EQ(GetNumber(pane, u"Align"), 2);
    EXPECT_EQ(GetNumber(pane, u"BorderStyle"), 0);
    EXPECT_EQ(VariantToLong(Get(pane, u"BackColor")), static_cast<Long>(0x8000000Fu));
    EXPECT_TRUE(GetFlag(pane, u"Visible"));
    // Docked at the bottom of the client area, across its width.
    EXPECT_EQ(GetNumber(pane, u"Top") + 600, GetNumber(w.form, u"ScaleHeight"));
    EXPECT_EQ(GetNumber(pane, u"Width"), GetNumber(w.form, u"ScaleWidth"));

    struct Expected {
        ObjectRef button;
        double left;
        const char* caption;
    };
    for (const Expected& e : {Expected{w.Previous(), 1700, "&Previous"}, Expected{w.Next(), 3000, "&Next"},
                              Expected{w.Cancel(), 5600, "&Cancel"}}) {
        ASSERT_TRUE(e.button);
        EXPECT_EQ(e.button->TypeName(), u"CommandButton");
        EXPECT_EQ(BoxOf(e.button), (Box{e.left, 150, 1200, 350})) << e.caption;
        EXPECT_EQ(GetText(e.button, u"Caption"), e.caption);
        EXPECT_EQ(Get(e.button, u"Container").ObjectOrThrow(), pane);
        EXPECT_TRUE(GetFlag(e.button, u"Visible"));
    }
    EXPECT_LT(GetNumber(w.Previous(), u"TabIndex"), GetNumber(w.Next(), u"TabIndex"));
    EXPECT_LT(GetNumber(w.Next(), u"TabIndex"), GetNumber(w.Cancel(), u"TabIndex"));

    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0));
    EXPECT_THAT(w.TakeLog(), ElementsAre("BeforeFrameShow(0,0)", "AfterFrameShow(0)"));
}

TEST(WizardCreate, SizeTitleAndKeyPreviewApplyWhenSet) {
    WizardWorld w;
    w.wizard->let_Width(9000);
    w.wizard->let_Height(7000);
    w.wizard->let_Title(u"Install");
    w.wizard->let_KeyPreview(kTrue);
    w.wizard->Create();
    EXPECT_EQ(w.form->Width(), 9000);
    EXPECT_EQ(w.form->Height(), 7000);
    EXPECT_EQ(w.form->Caption(), u"Install");
    EXPECT_TRUE(w.form->KeyPreview());
}

TEST(WizardCreate, TitlePaneWithItsLabelsAndPicture) {
    WizardWorld w;
    auto back = MakeRef<TestPicture>();
    auto picture = MakeRef<TestPicture>();
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->set_TopPaneBackPicture(back);
    w.wizard->set_TopPanePicture(picture);
    w.wizard->Create();

    ObjectRef pane = w.Control(u"moTopPane");
    ASSERT_TRUE(pane);
    EXPECT_EQ(w.wizard->get_TopPaneObject(), pane);
    EXPECT_EQ(pane->TypeName(), u"PictureBox");
    EXPECT_EQ(VariantToLong(Get(pane, u"BackColor")), 0xFFFFFF);
    EXPECT_EQ(GetNumber(pane, u"Align"), 1);
    EXPECT_EQ(GetNumber(pane, u"ScaleMode"), 1);
    EXPECT_EQ(GetNumber(pane, u"BorderStyle"), 0);
    EXPECT_EQ(Get(pane, u"Picture").ObjectOrThrow(), ObjectRef(back));
    const double pane_width = GetNumber(pane, u"Width");
    EXPECT_EQ(BoxOf(pane), (Box{0, 0, pane_width, 800}));
    EXPECT_EQ(pane_width, GetNumber(w.form, u"ScaleWidth"));

    ObjectRef title = w.wizard->get_TopPaneTitleObject();
    ASSERT_TRUE(title);
    EXPECT_EQ(title, w.Control(u"moTopPaneTitleLabel"));
    EXPECT_EQ(title->TypeName(), u"Label");
    EXPECT_EQ(Get(title, u"Container").ObjectOrThrow(), pane);
    EXPECT_EQ(BoxOf(title), (Box{200, 100, pane_width - 2000, 300}));
    EXPECT_EQ(GetNumber(title, u"BackStyle"), 0);
    EXPECT_TRUE(GetFlag(title, u"Visible"));

    ObjectRef message = w.wizard->get_TopPaneMessageObject();
    ASSERT_TRUE(message);
    EXPECT_EQ(message, w.Control(u"moTopPaneMessageLabel"));
    EXPECT_EQ(Get(message, u"Container").ObjectOrThrow(), pane);
    EXPECT_EQ(BoxOf(message), (Box{500, 350, pane_width - 1000, 500}));
    EXPECT_EQ(GetNumber(message, u"BackStyle"), 0);
    EXPECT_TRUE(GetFlag(message, u"Visible"));

    ObjectRef image = w.wizard->get_TopPanePictureObject();
    ASSERT_TRUE(image);
    EXPECT_EQ(image, w.Control(u"moTopPanePicture"));
    EXPECT_EQ(image->TypeName(), u"PictureBox");
    EXPECT_EQ(Get(image, u"Container").ObjectOrThrow(), pane);
    EXPECT_EQ(BoxOf(image), (Box{pane_width - 800, 100, 600, 600}));
    EXPECT_EQ(GetNumber(image, u"Appearance"), 0);
    EXPECT_EQ(GetNumber(image, u"BorderStyle"), 0);
    EXPECT_EQ(Get(image, u"Picture").ObjectOrThrow(), ObjectRef(picture));
    EXPECT_TRUE(GetFlag(image, u"Visible"));
}

TEST(WizardCreate, ColoursAndCaptionsOfTheHost) {
    WizardWorld w;
    auto& wizard = *w.wizard;
    wizard.let_AddTopPane(kTrue);
    wizard.let_TopPaneBackcolor(0x123456);
    wizard.let_BottomPaneBackcolor(0x0000FF);
    wizard.let_ShowFirstFrameButton(kTrue);
    wizard.let_ShowLastFrameButton(kTrue);
    wizard.let_FirstFrameButtonCaption(u"<<");
    wizard.let_PreviousFrameButtonCaption(u"<");
    wizard.let_NextFrameButtonCaption(u">");
    wizard.let_LastFrameButtonCaption(u">>");
    wizard.let_CancelButtonCaption(u"Stop");
    wizard.Create();
    EXPECT_EQ(VariantToLong(Get(w.Control(u"moTopPane"), u"BackColor")), 0x123456);
    EXPECT_EQ(VariantToLong(Get(w.Control(u"moBottomPane"), u"BackColor")), 0x0000FF);
    EXPECT_EQ(GetText(w.First(), u"Caption"), "<<");
    EXPECT_EQ(GetText(w.Previous(), u"Caption"), "<");
    EXPECT_EQ(GetText(w.Next(), u"Caption"), ">");
    EXPECT_EQ(GetText(w.Last(), u"Caption"), ">>");
    EXPECT_EQ(GetText(w.Cancel(), u"Caption"), "Stop");
}

TEST(WizardCreate, DefaultCaptionsOfFirstAndLast) {
    WizardWorld w;
    w.wizard->let_ShowFirstFrameButton(kTrue);
    w.wizard->let_ShowLastFrameButton(kTrue);
    w.wizard->Create();
    EXPECT_EQ(GetText(w.First(), u"Caption"), "&First");
    EXPECT_EQ(GetText(w.Last(), u"Caption"), "&Last");
    EXPECT_EQ(GetNumber(w.First(), u"TabIndex"), 0);
}

// ShowFirstFrameButton and ShowLastFrameButton add their buttons only when
// True (-1).
TEST(WizardCreate, FirstAndLastOnlyForTrue) {
    WizardWorld w;
    w.wizard->let_ShowFirstFrameButton(Boolean{1});
    w.wizard->let_ShowLastFrameButton(Boolean{1});
    w.wizard->let_AddTopPane(Boolean{1});
    w.wizard->Create();
    EXPECT_FALSE(w.First());
    EXPECT_FALSE(w.Last());
    EXPECT_FALSE(w.Control(u"moTopPane"));
}

struct ButtonRow {
    Long distance;
    double first, previous, next, last, cancel;
};

class WizardButtonPlaces : public ::testing::TestWithParam<ButtonRow> {};

TEST_P(WizardButtonPlaces, StandOnTheirPitchFromTheDistance) {
    const ButtonRow& row = GetParam();
    WizardWorld w;
    w.wizard->let_ShowFirstFrameButton(kTrue);
    w.wizard->let_ShowLastFrameButton(kTrue);
    w.wizard->let_BottomPaneButtonXDistance(row.distance);
    w.wizard->Create();
    EXPECT_EQ(GetNumber(w.First(), u"Left"), row.first);
    EXPECT_EQ(GetNumber(w.Previous(), u"Left"), row.previous);
    EXPECT_EQ(GetNumber(w.Next(), u"Left"), row.next);
    EXPECT_EQ(GetNumber(w.Last(), u"Left"), row.last);
    EXPECT_EQ(GetNumber(w.Cancel(), u"Left"), row.cancel);
}

INSTANTIATE_TEST_SUITE_P(Distances, WizardButtonPlaces,
                         ::testing::Values(ButtonRow{0, 400, 1700, 3000, 4300, 5600},
                                           ButtonRow{500, 900, 2200, 3500, 4800, 6100},
                                           ButtonRow{-400, 0, 1300, 2600, 3900, 5200}));

// A distance whose sum with a button's offset leaves the Long range skips
// only the placing of that button.
TEST(WizardCreate, ButtonPlaceOverflowSkipsThatStep) {
    WizardWorld w;
    w.wizard->let_BottomPaneButtonXDistance(2147483647 - 2000);
    w.wizard->Create();
    ObjectRef previous = w.Previous();
    ObjectRef next = w.Next();
    ObjectRef cancel = w.Cancel();
    EXPECT_GT(GetNumber(previous, u"Left"), 2.1e9);  // X + 1700 is within range: placed
    EXPECT_LT(GetNumber(next, u"Left"), 1e6);        // X + 3000 is not: left where Add put it
    EXPECT_LT(GetNumber(cancel, u"Left"), 1e6);
    EXPECT_EQ(GetNumber(next, u"Width"), GetNumber(cancel, u"Width"));
    EXPECT_EQ(GetText(next, u"Caption"), "&Next");
    EXPECT_EQ(GetText(cancel, u"Caption"), "&Cancel");
    EXPECT_TRUE(GetFlag(next, u"Visible"));
    EXPECT_EQ(Get(next, u"Container").ObjectOrThrow(), w.Control(u"moBottomPane"));
}

struct FontRow {
    double size;
    bool bold;
    double label_size;
};

class WizardTitleFont : public ::testing::TestWithParam<FontRow> {};

// Titles below 9 points are raised to 11; 9 and above keep their size; the
// title is always bold.
TEST_P(WizardTitleFont, SizeAndBoldOfTheTitleLabel) {
    const FontRow& row = GetParam();
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    ObjectRef font = w.wizard->get_TopPaneTitleFont();
    LateLet(font, u"Size", Variant(static_cast<Double>(row.size)));
    LateLet(font, u"Bold", Variant(Boolean::From(row.bold)));
    w.wizard->Create();
    ObjectRef title = w.wizard->get_TopPaneTitleObject();
    EXPECT_DOUBLE_EQ(GetNumber(title, u"FontSize"), row.label_size);
    EXPECT_TRUE(GetFlag(title, u"FontBold"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, WizardTitleFont,
                         ::testing::Values(FontRow{8.25, false, 11}, FontRow{6, true, 11}, FontRow{9, false, 9},
                                           FontRow{9, true, 9}, FontRow{12, false, 12}, FontRow{14, true, 14}));

TEST(WizardCreate, DefaultTitleFontGivesAnElevenPointBoldTitle) {
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->Create();
    ObjectRef title = w.wizard->get_TopPaneTitleObject();
    EXPECT_DOUBLE_EQ(GetNumber(title, u"FontSize"), 11);
    EXPECT_TRUE(GetFlag(title, u"FontBold"));
    EXPECT_EQ(GetText(title, u"FontName"), Narrow(VariantToString(Get(w.wizard->get_TopPaneTitleFont(), u"Name"))));
}

TEST(WizardCreate, AddBottomPaneDoesNotSuppressTheButtonPane) {
    for (Boolean flag : {kFalse, kTrue}) {
        WizardWorld w;
        w.wizard->let_AddBottomPane(flag);
        w.wizard->Create();
        EXPECT_TRUE(w.Control(u"moBottomPane"));
        EXPECT_TRUE(w.Next());
    }
}

// A single frame, or nothing, where the array belongs: the user is told,
// and construction goes on.
TEST(WizardCreate, FrameObjectThatIsNoArrayShowsTheMessageBoxAndGoesOn) {
    WizardWorld w;
    Ref<Form> form = w.form;
    ObjectRef single = form->AddByProgId(u"VB.Frame", u"fraSingle");
    for (const ObjectRef& not_an_array : {single, ObjectRef()}) {
        WizardWorld fresh;
        fresh.wizard->set_FrameObject(not_an_array);
        fresh.wizard->let_AddTopPane(kTrue);
        fresh.wizard->Create();
        const auto& boxes = fresh.User().MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].prompt, u"Please create frameobject array.");
        EXPECT_EQ(boxes[0].title, u"Not Array...");
        EXPECT_EQ(boxes[0].flags, mb::kIconInformation);
        EXPECT_TRUE(fresh.Control(u"moTopPane"));
        EXPECT_TRUE(fresh.Next());
        EXPECT_EQ(fresh.form->BorderStyle(), 3);
        EXPECT_THAT(fresh.TakeLog(), ElementsAre("BeforeFrameShow(0,0)", "AfterFrameShow(0)"));
    }
    w.wizard->Create();
    EXPECT_THAT(w.User().MessageBoxes(), IsEmpty());
}

// Without a form every form step fails and is skipped; the frames are
// still hidden and step 0 shown.
TEST(WizardCreate, WithoutAFormStillShowsStepZero) {
    WizardWorld w;
    w.wizard->set_WindowObject(nullptr);
    w.wizard->let_AddTopPane(kTrue);
    for (Integer i = 0; i < 6; ++i) LateLet(w.Frame(i), u"Visible", Variant(kTrue));
    const size_t controls_before = w.form->ControlCount();
    const Integer border_before = w.form->BorderStyle();

    EXPECT_EQ(w.wizard->Create(), 0);

    EXPECT_EQ(w.form->ControlCount(), controls_before);
    EXPECT_EQ(w.form->BorderStyle(), border_before);
    EXPECT_EQ(w.wizard->get_TopPaneObject(), nullptr);
    EXPECT_EQ(w.wizard->get_BottomPaneObject(), nullptr);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0));
    EXPECT_THAT(w.TakeLog(), ElementsAre("BeforeFrameShow(0,0)", "AfterFrameShow(0)"));
}

// The runtime refuses a second control of the same name: each Add of the
// second Create fails, the wizard keeps the controls it holds and lays them
// out again, and step 0 is shown again. Events are not doubled.
TEST(WizardCreate, SecondCreateOnTheSameForm) {
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->Create();
    const size_t controls = w.form->ControlCount();
    ObjectRef next = w.Next();
    w.User().Click(next);
    w.User().Click(next);
    ASSERT_EQ(w.wizard->get_CurrentFrame(), 2);
    w.TakeLog();

    w.wizard->let_BottomPaneButtonXDistance(100);
    w.wizard->let_NextFrameButtonCaption(u"Onward");
    EXPECT_EQ(w.wizard->Create(), 0);
    EXPECT_EQ(w.form->ControlCount(), controls);
    EXPECT_EQ(w.Next(), next);
    EXPECT_EQ(GetNumber(next, u"Left"), 3100);
    EXPECT_EQ(GetText(next, u"Caption"), "Onward");
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 0);
    EXPECT_THAT(w.VisibleFrames(), ElementsAre(0));
    EXPECT_THAT(w.TakeLog(), ElementsAre("BeforeFrameShow(0,0)", "AfterFrameShow(0)"));

    w.User().Click(next);
    EXPECT_THAT(w.TakeLog(), ElementsAre("NextFrameButtonClick()", "BeforeFrameShow(1,0)", "AfterFrameShow(1)"));
}

// A second Create on another form builds a new set there; the controls of
// the first form no longer reach the wizard but stay on their form.
TEST(WizardCreate, SecondCreateOnAnotherFormMovesTheReferences) {
    WizardWorld w;
    w.wizard->let_AddTopPane(kTrue);
    w.wizard->Create();
    ObjectRef old_next = w.Next();
    ObjectRef old_title = w.wizard->get_TopPaneTitleObject();

    Ref<Form> other = w.runtime->AddForm(u"frmOther");
    Ref<ControlArray> other_frames = other->AddControlArray(ControlKind::Frame, u"fraPage", 6);
    other->Show();
    w.wizard->set_WindowObject(other);
    w.wizard->set_FrameObject(other_frames);
    w.wizard->Create();
    ObjectRef new_next = other->FindControl(u"moNextFrameButton");
    ASSERT_TRUE(new_next);
    EXPECT_NE(new_next, old_next);
    EXPECT_EQ(w.wizard->get_TopPaneTitleObject(), other->FindControl(u"moTopPaneTitleLabel"));
    EXPECT_EQ(w.Next(), old_next);  // still on the first form
    w.TakeLog();

    w.User().Click(old_next);
    w.User().Click(old_title);
    EXPECT_THAT(w.TakeLog(), IsEmpty());
    EXPECT_EQ(w.wizard->get_CurrentFrame(), 0);

    w.User().Click(new_next);
    EXPECT_THAT(w.TakeLog(), ElementsAre("NextFrameButtonClick()", "BeforeFrameShow(1,0)", "AfterFrameShow(1)"));
}

}  // namespace
}  // namespace quibor15::wizard_test
