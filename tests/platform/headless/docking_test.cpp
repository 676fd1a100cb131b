#include <gtest/gtest.h>

#include "event_log.hpp"

namespace quibor15::headless {
namespace {

using testing::ErrorNumberOf;
using testing::Listen;
using testing::Log;

// A fixed-dialog form of 8500 x 6000 twips: client 8410 x 5565.
Ref<Form> DialogForm(HeadlessRuntime& runtime) {
    Ref<Form> form = runtime.AddForm(u"frmWizard");
    form->SetBorderStyle(3);
    form->Move(0, 0, 8500, 6000);
    return form;
}

ObjectRef AddPane(const Ref<Form>& form, const char16_t* name, Long height, Integer align) {
    ObjectRef controls = LateGet(ObjectRef(form), u"Controls").ObjectOrThrow();
    ObjectRef pane = LateCall(controls, u"Add", {Variant(u"VB.PictureBox"), Variant(name)}).ObjectOrThrow();
    LateCall(pane, u"Move", {Variant(Long{0}), Variant(Long{0}), Variant(form->Width()), Variant(height)});
    LateLet(pane, u"Align", Variant(align));
    LateLet(pane, u"Visible", Variant(kTrue));
    return pane;
}

double TopOf(const ObjectRef& c) { return VariantToDouble(LateGet(c, u"Top")); }
double LeftOf(const ObjectRef& c) { return VariantToDouble(LateGet(c, u"Left")); }
double WidthOf(const ObjectRef& c) { return VariantToDouble(LateGet(c, u"Width")); }
double HeightOf(const ObjectRef& c) { return VariantToDouble(LateGet(c, u"Height")); }

TEST(Docking, TopAndBottomPanesSpanTheClientWidthAtTheirEdges) {
    HeadlessRuntime runtime;
    Ref<Form> form = DialogForm(runtime);
    ObjectRef top = AddPane(form, u"moTopPane", 800, 1);
    ObjectRef bottom = AddPane(form, u"moBottomPane", 600, 2);
    EXPECT_EQ(LeftOf(top), 0);
    EXPECT_EQ(TopOf(top), 0);
    EXPECT_EQ(WidthOf(top), 8410);  // the client width, not the 8500 assigned
    EXPECT_EQ(HeightOf(top), 800);
    EXPECT_EQ(TopOf(bottom), 5565 - 600);
    EXPECT_EQ(WidthOf(bottom), 8410);
    EXPECT_EQ(HeightOf(bottom), 600);
}

TEST(Docking, DockedControlsStackInTheOrderTheyWereDocked) {
    HeadlessRuntime runtime;
    Ref<Form> form = DialogForm(runtime);
    ObjectRef a = AddPane(form, u"picA", 800, 1);
    ObjectRef c = AddPane(form, u"picC", 600, 2);
    ObjectRef b = AddPane(form, u"picB", 300, 1);
    ObjectRef d = AddPane(form, u"picD", 200, 2);
    ObjectRef e = AddPane(form, u"picE", 500, 3);
    LateLet(e, u"Width", Variant(Long{1000}));
    EXPECT_EQ(TopOf(a), 0);
    EXPECT_EQ(TopOf(b), 800);
    EXPECT_EQ(TopOf(c), 4965);
    EXPECT_EQ(TopOf(d), 4765);
    // A left pane fills the height left between the top and bottom ones.
    EXPECT_EQ(LeftOf(e), 0);
    EXPECT_EQ(TopOf(e), 1100);
    EXPECT_EQ(WidthOf(e), 1000);
    EXPECT_EQ(HeightOf(e), 4765 - 1100);
    // An invisible docked control takes no room.
    LateLet(a, u"Visible", Variant(kFalse));
    EXPECT_EQ(TopOf(b), 0);
    EXPECT_EQ(TopOf(e), 300);
    // A docked pane that grows pushes the next one.
    LateLet(b, u"Height", Variant(Long{450}));
    EXPECT_EQ(TopOf(e), 450);
}

TEST(Docking, ResizingTheFormReDocksBeforeItsResizeEvent) {
    HeadlessRuntime runtime;
    Ref<Form> form = DialogForm(runtime);
    ObjectRef top = AddPane(form, u"moTopPane", 800, 1);
    ObjectRef bottom = AddPane(form, u"moBottomPane", 600, 2);
    form->Show();
    auto log = std::make_shared<Log>();
    Listen(form, log, "frm", [&](const std::string& event, std::span<Variant>) {
        if (event == "Resize") log->push_back("bottom at " + std::to_string(static_cast<int>(TopOf(bottom))));
    });
    Listen(bottom, log, "bottom");
    form->Move(0, 0, 10000, 7000);
    EXPECT_EQ(*log, (Log{"bottom.Resize", "frm.Resize", "bottom at 5965"}));
    EXPECT_EQ(WidthOf(top), 9910);
    EXPECT_EQ(WidthOf(bottom), 9910);
    EXPECT_EQ(TopOf(bottom), 7000 - 435 - 600);
}

TEST(Docking, ADockedPaneKeepsItsEdgesAgainstAssignments) {
    HeadlessRuntime runtime;
    Ref<Form> form = DialogForm(runtime);
    ObjectRef bottom = AddPane(form, u"moBottomPane", 600, 2);
    LateLet(bottom, u"Left", Variant(Long{500}));
    LateLet(bottom, u"Width", Variant(Long{100}));
    LateLet(bottom, u"Top", Variant(Long{0}));
    EXPECT_EQ(LeftOf(bottom), 0);
    EXPECT_EQ(WidthOf(bottom), 8410);
    EXPECT_EQ(TopOf(bottom), 4965);
    // Undocked, it keeps its place and moves freely again.
    LateLet(bottom, u"Align", Variant(Integer{0}));
    EXPECT_EQ(TopOf(bottom), 4965);
    LateLet(bottom, u"Top", Variant(Long{0}));
    EXPECT_EQ(TopOf(bottom), 0);
}

TEST(Docking, OnlyAFormDocksAndOnlyFiveEdgesExist) {
    HeadlessRuntime runtime;
    Ref<Form> form = DialogForm(runtime);
    ObjectRef pane = AddPane(form, u"moTopPane", 800, 0);
    Ref<PictureBox> inner = form->Add<PictureBox>(u"picInner", dynamic_cast<Window*>(pane.Get()));
    EXPECT_EQ(ErrorNumberOf([&] { inner->SetAlign(1); }), 380);
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(pane, u"Align", Variant(Integer{5})); }), 380);
    EXPECT_EQ(VariantToLong(LateGet(pane, u"Align")), 0);
}

TEST(Docking, TheButtonPaneOfAWizardHoldsButtonsInItsOwnTwips) {
    HeadlessRuntime runtime;
    Ref<Form> form = DialogForm(runtime);
    form->SetScaleMode(3);                                   // the form's scale does not reach into the pane
    ObjectRef pane = AddPane(form, u"moBottomPane", 40, 2);  // 40 pixels
    LateLet(pane, u"ScaleMode", Variant(Integer{1}));
    LateLet(pane, u"BorderStyle", Variant(Integer{0}));
    ObjectRef controls = LateGet(ObjectRef(form), u"Controls").ObjectOrThrow();
    ObjectRef next =
        LateCall(controls, u"Add", {Variant(u"VB.CommandButton"), Variant(u"moNextFrameButton")}).ObjectOrThrow();
    LateSet(next, u"Container", pane);
    LateCall(next, u"Move", {Variant(Long{3000}), Variant(Long{150}), Variant(Long{1200}), Variant(Long{350})});
    EXPECT_EQ(HeightOf(pane), 40);
    EXPECT_EQ(VariantToDouble(LateGet(pane, u"ScaleHeight")), 600);
    EXPECT_EQ(LeftOf(next), 3000);
    auto* button = dynamic_cast<Control*>(next.Get());
    EXPECT_EQ(button->BoundsTwips().left, 3000);
}

}  // namespace
}  // namespace quibor15::headless
