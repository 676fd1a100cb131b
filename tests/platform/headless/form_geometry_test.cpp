#include <gtest/gtest.h>

#include "event_log.hpp"

namespace quibor15::headless {
namespace {

using testing::ErrorNumberOf;
using testing::Listen;
using testing::Log;

struct Allowance {
    Integer border_style;
    double frame;
    double caption;
};

class BorderAllowanceTest : public ::testing::TestWithParam<Allowance> {};

TEST_P(BorderAllowanceTest, ClientAreaIsOuterSizeLessFrameAndCaption) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    const Allowance& a = GetParam();
    form->SetBorderStyle(a.border_style);
    form->Move(0, 0, 6000, 4000);
    EXPECT_DOUBLE_EQ(form->ScaleWidth(), 6000 - 2 * a.frame);
    EXPECT_DOUBLE_EQ(form->ScaleHeight(), 4000 - 2 * a.frame - a.caption);
    // The outer size stays what was assigned.
    EXPECT_EQ(form->Width(), 6000);
    EXPECT_EQ(form->Height(), 4000);
}

INSTANTIATE_TEST_SUITE_P(EveryBorderStyle, BorderAllowanceTest,
                         ::testing::Values(Allowance{0, 0, 0}, Allowance{1, 45, 345}, Allowance{2, 60, 345},
                                           Allowance{3, 45, 345}, Allowance{4, 45, 255}, Allowance{5, 60, 255}));

TEST(FormGeometry, NewFormIsSizableWithTheDefaultSize) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    EXPECT_EQ(form->BorderStyle(), 2);
    EXPECT_EQ(form->Width(), 4800);
    EXPECT_EQ(form->Height(), 3600);
    EXPECT_EQ(form->ScaleMode(), 1);
    EXPECT_EQ(form->ScaleWidth(), 4680);
    EXPECT_EQ(form->ScaleHeight(), 3135);
    EXPECT_EQ(form->Caption(), u"frmMain");
    EXPECT_EQ(form->TypeName(), u"frmMain");
}

TEST(FormGeometry, BorderStyleOutsideZeroToFiveIsAnInvalidValue) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    EXPECT_EQ(ErrorNumberOf([&] { form->SetBorderStyle(6); }), 380);
    EXPECT_EQ(ErrorNumberOf([&] { form->SetBorderStyle(-1); }), 380);
    EXPECT_EQ(form->BorderStyle(), 2);
}

TEST(FormGeometry, MoveTakesTwoOrFourArgumentsLateBound) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    ObjectRef f = form;
    LateCall(f, u"Move", {Variant(Long{100}), Variant(Long{200})});
    EXPECT_EQ(form->Left(), 100);
    EXPECT_EQ(form->Top(), 200);
    EXPECT_EQ(form->Width(), 4800);
    LateCall(f, u"move", {Variant(Long{10}), Variant(Long{20}), Variant(Long{3000}), Variant(Long{2000})});
    EXPECT_EQ(form->Left(), 10);
    EXPECT_EQ(form->Top(), 20);
    EXPECT_EQ(VariantToLong(LateGet(f, u"WIDTH")), 3000);
    EXPECT_EQ(VariantToLong(LateGet(f, u"Height")), 2000);
    EXPECT_EQ(ErrorNumberOf([&] { LateCall(f, u"Move", std::span<Variant>()); }), rt::kArgumentNotOptional);
}

struct ScaleCase {
    Integer mode;
    double width;   // ScaleWidth of a 4680-twip client area
    double height;  // ScaleHeight of a 3135-twip client area
};

class FormScaleModeTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(FormScaleModeTest, ScaleWidthAndHeightReadInTheMode) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    form->SetScaleMode(GetParam().mode);
    EXPECT_EQ(form->ScaleMode(), GetParam().mode);
    EXPECT_NEAR(form->ScaleWidth(), GetParam().width, 1e-3);
    EXPECT_NEAR(form->ScaleHeight(), GetParam().height, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(FixedModes, FormScaleModeTest,
                         ::testing::Values(ScaleCase{1, 4680, 3135}, ScaleCase{2, 234, 156.75}, ScaleCase{3, 312, 209},
                                           ScaleCase{4, 39, 13.0625}, ScaleCase{5, 3.25, 2.177083},
                                           ScaleCase{6, 82.55, 55.297916}, ScaleCase{7, 8.255, 5.5297916}));

TEST(FormScale, ScaleModeOutsideZeroToSevenIsAnInvalidValue) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    EXPECT_EQ(ErrorNumberOf([&] { LateLet(ObjectRef(form), u"ScaleMode", Variant(Integer{8})); }), 380);
    EXPECT_EQ(form->ScaleMode(), 1);
}

TEST(FormScale, ControlsReadTheirPlaceInTheFormsScale) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    Ref<CommandButton> button = form->Add<CommandButton>(u"cmdOK");
    button->Move(1500, 300, 1200, 450);
    form->SetScaleMode(3);
    EXPECT_EQ(button->Left(), 100);
    EXPECT_EQ(button->Top(), 20);
    EXPECT_EQ(button->Width(), 80);
    EXPECT_EQ(button->Height(), 30);
    // Assignments in pixels land in twips.
    button->SetLeft(10);
    EXPECT_EQ(button->BoundsTwips().left, 150);
    // A fractional result stays fractional (no snapping to pixels).
    button->SetWidth(102.4f);
    EXPECT_NEAR(button->Width(), 102.4, 1e-4);
}

TEST(FormScale, UserScaleMapsItsUnitsOntoTheClientAreaAndKeepsThemOnResize) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    form->SetBorderStyle(0);
    form->Move(0, 0, 4000, 2000);
    form->SetScaleLeft(-50);
    form->SetScaleTop(10);
    form->SetScaleWidth(100);
    form->SetScaleHeight(50);
    EXPECT_EQ(form->ScaleMode(), 0);
    Ref<Label> label = form->Add<Label>(u"lblInfo");
    label->Move(0, 35, 25, 5);  // the middle across, halfway down
    EXPECT_DOUBLE_EQ(label->BoundsTwips().left, 2000);
    EXPECT_DOUBLE_EQ(label->BoundsTwips().top, 1000);
    EXPECT_DOUBLE_EQ(label->BoundsTwips().width, 1000);
    EXPECT_DOUBLE_EQ(label->BoundsTwips().height, 200);
    form->SetWidth(8000);
    EXPECT_EQ(form->ScaleWidth(), 100);
    EXPECT_EQ(label->Left(), -25);  // same twips, twice as many per unit
    EXPECT_EQ(ErrorNumberOf([&] { form->SetScaleWidth(0); }), 380);
    form->SetScaleMode(1);
    EXPECT_EQ(form->ScaleLeft(), 0);
    EXPECT_EQ(label->Left(), 2000);
}

// A position or size set in a user scale reads back exactly as set when
// it lies on a whole twip.
TEST(FormScale, UserScaleRoundTripsGiveBackWhatWasSet) {
    const struct {
        double left, top, width, height;  // the user scale
        double x, y, w, h;                // set, and read back
    } rows[] = {
        {0, 0, 3255, 2835, 0, 0, 3255, 2835},
        {-200, 0, 843, 663, 0, 0, 843, 663},
        {10, -7, 3, 7, 10, 0, 1, 7},
        {-20, 10, 100, 50, 0, 20, 20, 10},
    };
    for (const auto& row : rows) {
        HeadlessRuntime runtime;
        Ref<Form> form = runtime.AddForm(u"frmMain");
        form->SetBorderStyle(0);
        form->Move(0, 0, 4215, 3315);
        form->SetScaleLeft(row.left);
        form->SetScaleTop(row.top);
        form->SetScaleWidth(row.width);
        form->SetScaleHeight(row.height);
        Ref<CommandButton> button = form->Add<CommandButton>(u"cmdOne");
        button->Move(row.x, row.y, row.w, row.h);
        EXPECT_EQ(button->Left(), static_cast<Single>(row.x));
        EXPECT_EQ(button->Top(), static_cast<Single>(row.y));
        EXPECT_EQ(button->Width(), static_cast<Single>(row.w));
        EXPECT_EQ(button->Height(), static_cast<Single>(row.h));
    }
}

TEST(FormEvents, ResizeFollowsSizeChangesOfALoadedForm) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    auto log = std::make_shared<Log>();
    Listen(form, log, "frm");
    form->SetWidth(5000);  // not loaded yet: no events
    EXPECT_TRUE(log->empty());
    form->Show();
    EXPECT_EQ(*log, (Log{"frm.Load", "frm.Resize"}));
    log->clear();
    form->SetLeft(700);  // a move alone is no resize
    EXPECT_TRUE(log->empty());
    form->Move(0, 0, 6000, 4000);
    form->SetHeight(4000);  // unchanged
    EXPECT_EQ(*log, (Log{"frm.Resize"}));
}

TEST(FormGeometry, MinimisedOrMaximisedFormsCannotBeMovedAndMaximisedFillsTheScreen) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    form->Move(300, 400, 5000, 3000);
    form->SetWindowState(2);
    EXPECT_EQ(form->ScaleWidth(), 15360);
    EXPECT_EQ(form->ScaleHeight(), 11520 - 345);
    EXPECT_EQ(ErrorNumberOf([&] { form->SetTop(0); }), 384);
    form->SetWindowState(1);
    EXPECT_EQ(form->ScaleWidth(), 0);
    form->SetWindowState(0);
    EXPECT_EQ(form->Left(), 300);
    EXPECT_EQ(form->Width(), 5000);
    EXPECT_EQ(ErrorNumberOf([&] { form->SetWindowState(3); }), 380);
}

TEST(FormGeometry, NegativeSizesAreInvalid) {
    HeadlessRuntime runtime;
    Ref<Form> form = runtime.AddForm(u"frmMain");
    EXPECT_EQ(ErrorNumberOf([&] { form->SetWidth(-1); }), 380);
    Ref<Label> label = form->Add<Label>(u"lbl");
    EXPECT_EQ(ErrorNumberOf([&] { label->SetHeight(-5); }), 380);
    label->SetLeft(-300);  // a position may be negative
    EXPECT_EQ(label->Left(), -300);
}

}  // namespace
}  // namespace quibor15::headless
