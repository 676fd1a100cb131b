// Whole scenarios driven only through late binding, as the component's
// classes drive a host's forms.
#include <gtest/gtest.h>

#include "event_log.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::headless {
namespace {

using testing::Listen;
using testing::Log;

Variant L(Long v) { return Variant(v); }

double Num(const ObjectRef& o, const char16_t* member) { return VariantToDouble(LateGet(o, member)); }

ObjectRef Add(const ObjectRef& form, const char16_t* prog_id, const char16_t* name) {
    return LateCall(LateGet(form, u"Controls").ObjectOrThrow(), u"Add", {Variant(prog_id), Variant(name)})
        .ObjectOrThrow();
}

ObjectRef Item(const ObjectRef& array, Integer i) {
    Variant index[1] = {Variant(i)};
    return LateDefault(array, index).ObjectOrThrow();
}

// A host form with a frame array, turned into a three-step wizard: a title
// pane docked at the top with two labels, a button pane at the bottom with
// Previous / Next, one frame shown at a time, Page Up through the form's
// key preview.
class WizardScenario : public ::testing::Test {
protected:
    void SetUp() override {
        host_form = runtime.AddForm(u"frmSetup");
        Ref<ControlArray> array = host_form->AddControlArray(ControlKind::Frame, u"fraStep", 3);
        form = host_form;
        frames = array;
        ASSERT_EQ(frames->TypeName(), u"Object");  // what the frame-array check tests

        LateLet(form, u"WindowState", Variant(Integer{0}));
        LateLet(form, u"BorderStyle", Variant(Integer{3}));
        LateLet(form, u"ScaleMode", Variant(Integer{1}));
        LateLet(form, u"KeyPreview", Variant(kTrue));
        LateSet(form, u"Icon", ObjectRef());
        LateLet(form, u"Height", L(6000));
        LateLet(form, u"Width", L(8500));

        Long pane_width = VariantToLong(LateGet(form, u"Width"));
        top_pane = Add(form, u"VB.PictureBox", u"moTopPane");
        LateLet(top_pane, u"ScaleMode", Variant(Integer{1}));
        LateLet(top_pane, u"BorderStyle", Variant(Integer{0}));
        LateLet(top_pane, u"BackColor", L(0xFFFFFF));
        LateCall(top_pane, u"Move", {L(0), L(0), L(pane_width), L(800)});
        LateLet(top_pane, u"Align", Variant(Integer{1}));
        LateLet(top_pane, u"Visible", Variant(kTrue));
        title = Add(form, u"VB.Label", u"moTopPaneTitleLabel");
        LateSet(title, u"Container", top_pane);
        LateCall(title, u"Move", {L(200), L(100), L(VariantToLong(LateGet(top_pane, u"Width")) - 2000), L(300)});
        LateLet(title, u"BackStyle", Variant(Integer{0}));
        LateLet(title, u"Visible", Variant(kTrue));

        bottom_pane = Add(form, u"VB.PictureBox", u"moBottomPane");
        LateLet(bottom_pane, u"BorderStyle", Variant(Integer{0}));
        LateCall(bottom_pane, u"Move", {L(0), L(0), L(pane_width), L(600)});
        LateLet(bottom_pane, u"Align", Variant(Integer{2}));
        LateLet(bottom_pane, u"Visible", Variant(kTrue));
        previous = AddButton(u"moPreviousFrameButton", 1700, 1, u"&Previous");
        next = AddButton(u"moNextFrameButton", 3000, 2, u"&Next");

        Listen(next, log, "next", [this](const std::string& event, std::span<Variant>) {
            if (event == "Click") ShowStep(current + 1);
        });
        Listen(form, log, "form", [this](const std::string& event, std::span<Variant> args) {
            if (event == "KeyDown" && VariantToLong(args[0]) == keys::kPageUp) ShowStep(current + 1);
        });
        ShowStep(0);
    }

    ObjectRef AddButton(const char16_t* name, Long left, Integer tab_index, const char16_t* caption) {
        ObjectRef button = Add(form, u"VB.CommandButton", name);
        LateSet(button, u"Container", bottom_pane);
        LateCall(button, u"Move", {L(left), L(150), L(1200), L(350)});
        LateLet(button, u"TabIndex", Variant(tab_index));
        LateLet(button, u"Caption", Variant(caption));
        LateLet(button, u"Visible", Variant(kTrue));
        return button;
    }

    void ShowStep(Integer index) {
        if (index > 2) index = 2;
        current = index;
        for (Integer i = 0; i <= 2; ++i) LateLet(Item(frames, i), u"Visible", Variant(kFalse));
        ObjectRef frame = Item(frames, index);
        LateLet(frame, u"BorderStyle", Variant(Integer{0}));
        LateLet(frame, u"Height", LateGet(form, u"Height"));
        double t = Num(top_pane, u"Height"), b = Num(bottom_pane, u"Height");
        LateLet(frame, u"Height", Variant(Num(frame, u"Height") - (t + b + 450)));
        LateCall(frame, u"Move", {L(0), Variant(t), LateGet(form, u"Width"), LateGet(frame, u"Height")});
        LateLet(frame, u"Visible", Variant(kTrue));
        LateLet(title, u"Caption", Variant(u"Step " + DecimalText(static_cast<Long>(index + 1))));
        LateLet(previous, u"Enabled", Variant(Boolean::From(index > 0)));
        LateLet(next, u"Enabled", Variant(Boolean::From(index < 2)));
    }

    bool FrameVisible(Integer i) { return static_cast<bool>(VariantToBoolean(LateGet(Item(frames, i), u"Visible"))); }

    HeadlessRuntime runtime;
    Ref<Form> host_form;
    ObjectRef form, frames, top_pane, title, bottom_pane, previous, next;
    Integer current = 0;
    std::shared_ptr<Log> log = std::make_shared<Log>();
};

TEST_F(WizardScenario, PanesAreDockedAndLabelsMeasuredFromTheDockedWidth) {
    EXPECT_EQ(Num(top_pane, u"Width"), 8410);  // 8500 less the fixed dialog's frame
    EXPECT_EQ(Num(title, u"Width"), 6410);
    EXPECT_EQ(Num(bottom_pane, u"Top"), 6000 - 435 - 600);
    EXPECT_EQ(Num(next, u"Left"), 3000);
    EXPECT_EQ(LateGet(next, u"Container").ObjectOrThrow(), bottom_pane);
    // Step 0: the frame lies between the panes, 450 twips short of the form.
    ObjectRef frame = Item(frames, 0);
    EXPECT_EQ(Num(frame, u"Top"), 800);
    EXPECT_EQ(Num(frame, u"Width"), 8500);
    EXPECT_EQ(Num(frame, u"Height"), 6000 - (800 + 600 + 450));
    EXPECT_TRUE(FrameVisible(0));
    EXPECT_FALSE(FrameVisible(1));
}

TEST_F(WizardScenario, ClickingNextAndPageUpWalkTheSteps) {
    User& user = runtime.ScriptedUser();
    host_form->Show();
    EXPECT_FALSE(user.Click(previous));  // disabled on step 0
    EXPECT_TRUE(user.Click(next));
    EXPECT_TRUE(FrameVisible(1));
    EXPECT_FALSE(FrameVisible(0));
    EXPECT_EQ(VariantToString(LateGet(title, u"Caption")), u"Step 2");
    EXPECT_TRUE(user.Press(next, keys::kPageUp));  // the form sees it first
    EXPECT_TRUE(FrameVisible(2));
    EXPECT_FALSE(user.Click(next));  // disabled on the last step
    EXPECT_EQ(current, 2);
}

TEST_F(WizardScenario, ResizingTheFormKeepsThePanesDocked) {
    LateLet(form, u"Width", L(10000));
    EXPECT_EQ(Num(top_pane, u"Width"), 9910);
    EXPECT_EQ(Num(bottom_pane, u"Width"), 9910);
    LateLet(form, u"Height", L(7000));
    EXPECT_EQ(Num(bottom_pane, u"Top"), 7000 - 435 - 600);
}

// The monitor chooser's layout on one 1024 x 768 monitor at 15 twips per
// pixel, computed as the dialog computes it.
TEST(MonitorDialogScenario, LaysOutThePictureOfTheDesktopInPixels) {
    HeadlessRuntime runtime;
    ObjectRef form = runtime.NewForm(u"frmQUIBORMonitorA");
    ObjectRef screen = runtime.Screen();
    // The design: fixed dialog, client 6960 x 4950 twips, pixel scale.
    LateLet(form, u"BorderStyle", Variant(Integer{3}));
    LateCall(form, u"Move", {L(0), L(0), L(6960 + 90), L(4950 + 435)});
    LateLet(form, u"ScaleMode", Variant(Integer{3}));
    ObjectRef picture = Add(form, u"VB.PictureBox", u"picDesktop");
    LateCall(picture, u"Move", {L(8), L(8), L(447), L(267)});
    ObjectRef actions =
        LateCall(form, u"AddControlArray", {Variant(u"VB.CommandButton"), Variant(u"cmdAction"), Variant(Integer{2})})
            .ObjectOrThrow();
    ObjectRef monitors = LateCall(form, u"AddControlArray",
                                  {Variant(u"VB.CommandButton"), Variant(u"cmdMonitor"), Variant(Integer{1}), picture})
                             .ObjectOrThrow();
    for (Integer i = 0; i < 2; ++i) LateCall(Item(actions, i), u"Move", {L(280 + 92 * i), L(286), L(83), L(35)});
    ObjectRef prompt = Add(form, u"VB.Label", u"lblPrompt");
    LateCall(prompt, u"Move", {L(8), L(286), L(267), L(35)});
    // The form's Resize handler: the prompt reaches up to the OK button.
    Listen(form, std::make_shared<Log>(), "form", [&](const std::string& event, std::span<Variant>) {
        if (event == "Resize")
            LateLet(prompt, u"Width", Variant(Num(Item(actions, 0), u"Left") - Num(prompt, u"Left")));
    });

    const double desktop_width = 1024, desktop_height = 768;
    LateLet(picture, u"Width", Variant(desktop_width * 0.25));
    double p = Num(picture, u"Width");
    Long t = ToLong(Num(screen, u"TwipsPerPixelX"));
    LateLet(picture, u"Height",
            Variant(static_cast<double>(static_cast<Long>(desktop_width) / t) / p * desktop_height * 0.5));
    LateLet(picture, u"ScaleLeft", L(0));
    LateLet(picture, u"ScaleTop", L(0));
    LateLet(picture, u"ScaleHeight", Variant(desktop_height));
    LateLet(picture, u"ScaleWidth", Variant(desktop_width));
    LateLet(form, u"Width", Variant((Num(picture, u"Width") + 16 + 4) * Num(screen, u"TwipsPerPixelX")));
    double frame_and_caption = Num(form, u"Height") - Num(form, u"ScaleHeight") * Num(screen, u"TwipsPerPixelY");
    LateLet(form, u"Height",
            Variant(frame_and_caption + (Num(Item(actions, 0), u"Height") + 24 + Num(picture, u"Height")) *
                                            Num(screen, u"TwipsPerPixelY")));
    double row = Num(picture, u"Top") + Num(picture, u"Height") + 8;
    for (ObjectRef c : {prompt, Item(actions, 0), Item(actions, 1)}) LateLet(c, u"Top", Variant(row));
    ObjectRef cancel = Item(actions, 1), ok = Item(actions, 0);
    LateLet(cancel, u"Left", Variant(Num(form, u"ScaleWidth") - 8 - Num(cancel, u"Width")));
    LateLet(ok, u"Left", Variant(Num(cancel, u"Left") - 8 - Num(ok, u"Width")));
    ObjectRef button = Item(monitors, 0);
    LateCall(button, u"Move", {L(0), L(0), L(1024), L(768)});
    LateLet(button, u"Caption", Variant(u"Monitor 1"));
    LateCall(form, u"Show");  // the first show raises Resize

    EXPECT_EQ(p, 256);
    EXPECT_EQ(Num(picture, u"Height"), 102);
    EXPECT_EQ(Num(form, u"Width"), 4140);
    EXPECT_EQ(Num(form, u"ScaleHeight"), 161);
    EXPECT_EQ(row, 118);
    EXPECT_EQ(Num(form, u"ScaleWidth"), 270);
    EXPECT_EQ(Num(cancel, u"Left"), 179);
    EXPECT_EQ(Num(ok, u"Left"), 88);
    // The button fills the picture's client area, in desktop pixels.
    EXPECT_EQ(Num(button, u"Width"), 1024);
    EXPECT_EQ(dynamic_cast<Control*>(button.Get())->BoundsTwips().width, (256 - 4) * 15);
    // The Resize handler of the first show saw the final layout.
    EXPECT_EQ(Num(prompt, u"Width"), 88 - 8);
}

}  // namespace
}  // namespace quibor15::headless
