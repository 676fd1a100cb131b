// The monitor chooser opened modally and driven as a user on staged
// desktops.
#include <functional>

#include "monitor_world.hpp"
#include "platform/headless/keys.hpp"

namespace quibor15::testing {
namespace {

using headless::CommandButton;
using headless::ControlArray;

constexpr double kTolerance = 1e-3;

struct ChooserView {
    Ref<headless::Form> form;
    Ref<headless::PictureBox> picture;
    Ref<ControlArray> monitor_buttons;
    Ref<headless::Label> prompt;
    Ref<CommandButton> ok;
    Ref<CommandButton> cancel;

    Ref<CommandButton> Monitor(Integer index) const { return RefCast<CommandButton>(monitor_buttons->Item(index)); }
};

ChooserView ViewOf(const Ref<headless::Form>& form) {
    ChooserView v;
    v.form = form;
    v.picture = RefCast<headless::PictureBox>(form->FindControl(u"picDesktop"));
    v.monitor_buttons = RefCast<ControlArray>(form->FindControl(u"cmdMonitor"));
    v.prompt = RefCast<headless::Label>(form->FindControl(u"lblPrompt"));
    auto actions = RefCast<ControlArray>(form->FindControl(u"cmdAction"));
    v.ok = RefCast<CommandButton>(actions->Item(0));
    v.cancel = RefCast<CommandButton>(actions->Item(1));
    return v;
}

// A control's Left, Top, Width, Height in its container's scale.
struct Box {
    double left, top, width, height;
};
Box BoxOf(const headless::Control& c) { return Box{c.Left(), c.Top(), c.Width(), c.Height()}; }

#define EXPECT_BOX_WITHIN(actual, l, t, w, h, tolerance) \
    do {                                                 \
        const Box box_ = (actual);                       \
        EXPECT_NEAR(box_.left, (l), (tolerance));        \
        EXPECT_NEAR(box_.top, (t), (tolerance));         \
        EXPECT_NEAR(box_.width, (w), (tolerance));       \
        EXPECT_NEAR(box_.height, (h), (tolerance));      \
    } while (false)
#define EXPECT_BOX(actual, l, t, w, h) EXPECT_BOX_WITHIN(actual, l, t, w, h, kTolerance)

class MonitorChooser : public MonitorWorld {
protected:
    // Opens the chooser on `monitors` while `act` plays the user, and
    // answers its result.
    Long Choose(clsQuiborMonitorsA& monitors, const std::function<void(ChooserView&)>& act,
                Variant owner = Variant::Missing(), String prompt = u"Show the slides on",
                String caption = u"Monitors") {
        bool opened = false;
        runtime->ScriptedUser().OnModal([&](const Ref<headless::Form>& form) {
            opened = true;
            ChooserView view = ViewOf(form);
            act(view);
        });
        const Long result = monitors.ShowMonitorDialog(prompt, caption, owner);
        runtime->ScriptedUser().OnModal(nullptr);
        EXPECT_TRUE(opened);
        // However it ended, the dialog is gone.
        for (const Ref<headless::Form>& form : runtime->Forms()) EXPECT_NE(form->Name(), u"frmQUIBORMonitorA");
        return result;
    }

    headless::User& User() { return runtime->ScriptedUser(); }

    // Two 1280 x 1024 monitors side by side.
    Ref<clsQuiborMonitorsA> TwoMonitors() {
        left_monitor_ = windows->AddMonitor(Rect{0, 0, 1280, 1024});
        right_monitor_ = windows->AddMonitor(Rect{1280, 0, 2560, 1024});
        return NewMonitors();
    }

    Handle left_monitor_ = 0;
    Handle right_monitor_ = 0;
};

TEST_F(MonitorChooser, TheWorkedExampleOfOneMonitor) {
    runtime->SetScreen(1024, 768);
    windows->AddMonitor(Rect{0, 0, 1024, 768});
    auto monitors = NewMonitors();
    const Long result = Choose(*monitors, [&](ChooserView& v) {
        EXPECT_EQ(v.form->ScaleMode(), 3);
        EXPECT_NEAR(v.picture->Width(), 256, kTolerance);     // a quarter of the monitor
        EXPECT_NEAR(v.picture->Height(), 102, kTolerance);    // 1024 \ 15 = 68; 68 / 256 * 768 * 0.5
        EXPECT_NEAR(v.form->Width(), 4140, kTolerance);       // (256 + 16 + 4) * 15
        EXPECT_NEAR(v.form->ScaleHeight(), 161, kTolerance);  // 35 + 24 + 102
        for (const headless::Control* c :
             {static_cast<headless::Control*>(v.prompt.Get()), static_cast<headless::Control*>(v.ok.Get()),
              static_cast<headless::Control*>(v.cancel.Get())}) {
            EXPECT_NEAR(c->Top(), 118, kTolerance);  // 8 + 102 + 8
        }
        // Right-aligned buttons, 8 pixels apart and from the edge; the
        // prompt fills the row up to OK.
        const double client_width = v.form->ScaleWidth();
        EXPECT_NEAR(v.cancel->Left(), client_width - 8 - 83, kTolerance);
        EXPECT_NEAR(v.ok->Left(), client_width - 8 - 83 - 8 - 83, kTolerance);
        EXPECT_NEAR(v.prompt->Width(), v.ok->Left() - 8, kTolerance);
        // The picture's scale is the virtual desktop, and the single button
        // covers it all.
        EXPECT_NEAR(v.picture->ScaleWidth(), 1024, kTolerance);
        EXPECT_NEAR(v.picture->ScaleHeight(), 768, kTolerance);
        ASSERT_EQ(v.monitor_buttons->Count(), 1);
        EXPECT_EQ(v.Monitor(0)->Caption(), u"Monitor 1");
        EXPECT_BOX(BoxOf(*v.Monitor(0)), 0, 0, 1024, 768);
        EXPECT_TRUE(v.Monitor(0)->Visible());
        // Centred on the monitor: (15360 - 4140) \ 2 and (11520 - height) \ 2.
        EXPECT_NEAR(v.form->Left(), 5610, kTolerance);
        EXPECT_NEAR(v.form->Top(), IntegerQuotient(11520 - v.form->Height(), 2), kTolerance);
        EXPECT_FALSE(v.ok->Enabled());
        EXPECT_EQ(v.form->Caption(), u"Monitors");
        EXPECT_EQ(v.prompt->Caption(), u"Show the slides on");
        User().Click(v.Monitor(0));
        User().Click(v.ok);
    });
    EXPECT_EQ(result, 1);
}

TEST_F(MonitorChooser, IsTheLibrarysFixedDialog) {
    windows->AddMonitor(Rect{0, 0, 1280, 1024});
    auto monitors = NewMonitors();
    Choose(*monitors, [&](ChooserView& v) {
        EXPECT_EQ(v.form->Name(), u"frmQUIBORMonitorA");
        EXPECT_EQ(v.form->BorderStyle(), 3);
        EXPECT_FALSE(v.form->MinButton());
        EXPECT_FALSE(v.form->MaxButton());
        EXPECT_FALSE(v.form->ShowInTaskbar());
        EXPECT_TRUE(v.form->IsModal());
        EXPECT_TRUE(v.cancel->Cancel());
        EXPECT_EQ(v.ok->Caption(), u"OK");
        EXPECT_EQ(v.cancel->Caption(), u"Cancel");
        EXPECT_EQ(v.picture->TabIndex(), 0);
        EXPECT_EQ(v.ok->TabIndex(), 1);
        EXPECT_EQ(v.cancel->TabIndex(), 2);
        EXPECT_EQ(v.prompt->TabIndex(), 3);
        EXPECT_EQ(v.Monitor(0)->TabIndex(), 4);
        EXPECT_EQ(v.Monitor(0)->ContainerWindow(), v.picture.Get());
    });
}

TEST_F(MonitorChooser, TwoMonitorsGiveTwoButtonsAndTheSecondIsPicked) {
    auto monitors = TwoMonitors();
    const Long result = Choose(*monitors, [&](ChooserView& v) {
        ASSERT_EQ(v.monitor_buttons->Count(), 2);
        EXPECT_EQ(v.Monitor(0)->Caption(), u"Monitor 1");
        EXPECT_EQ(v.Monitor(1)->Caption(), u"Monitor 2");
        EXPECT_BOX(BoxOf(*v.Monitor(0)), 0, 0, 1280, 1024);
        EXPECT_BOX(BoxOf(*v.Monitor(1)), 1280, 0, 1280, 1024);
        EXPECT_TRUE(v.Monitor(1)->Visible());
        // 2560 x 1024: the picture is a quarter of the dialog's monitor.
        EXPECT_NEAR(v.picture->Width(), 320, kTolerance);
        EXPECT_NEAR(v.picture->Height(), 170.0 / 320 * 1024 * 0.5, kTolerance);

        User().Click(v.Monitor(0));
        EXPECT_TRUE(v.Monitor(0)->FontBold());
        User().Click(v.Monitor(1));
        EXPECT_FALSE(v.Monitor(0)->FontBold());
        EXPECT_TRUE(v.Monitor(1)->FontBold());
        EXPECT_TRUE(v.ok->Enabled());
        EXPECT_EQ(v.form->ActiveControl(), Ref<headless::Control>(v.ok));
        User().Click(v.ok);
    });
    EXPECT_EQ(result, 2);
}

TEST_F(MonitorChooser, ButtonsFollowTheListsOrderAndNegativeCoordinates) {
    windows->AddMonitor(Rect{0, 0, 1280, 1024});
    windows->AddMonitor(Rect{-1024, 0, 0, 768});
    auto monitors = NewMonitors();
    Choose(*monitors, [&](ChooserView& v) {
        EXPECT_NEAR(v.picture->ScaleLeft(), -1024, kTolerance);
        EXPECT_NEAR(v.picture->ScaleWidth(), 2304, kTolerance);
        // The scan meets the left monitor first. Controls sit on whole
        // twips, which are not whole units of this scale: half a twip off.
        const double half_twip = v.picture->ScaleWidth() / (v.picture->Width() * 15) / 2;
        EXPECT_BOX_WITHIN(BoxOf(*v.Monitor(0)), -1024, 0, 1024, 768, half_twip);
        EXPECT_BOX_WITHIN(BoxOf(*v.Monitor(1)), 0, 0, 1280, 1024, half_twip);
    });
}

TEST_F(MonitorChooser, WithAnOwnerOnTheSecondMonitorTheDialogIsCentredThere) {
    auto monitors = TwoMonitors();
    Ref<headless::Form> owner = FormAt(19200 + 1500, 1500, 6000, 4000);
    double with_owner_left = 0, with_owner_top = 0, without_owner_left = 0;
    double width = 0, height = 0;
    Choose(
        *monitors,
        [&](ChooserView& v) {
            with_owner_left = v.form->Left();
            with_owner_top = v.form->Top();
            width = v.form->Width();
            height = v.form->Height();
        },
        Variant(ObjectRef(owner)));
    // Work area 19200 x 15360 twips from the second monitor's corner.
    EXPECT_NEAR(width, (320 + 16 + 4) * 15, kTolerance);
    EXPECT_NEAR(with_owner_left, 19200 + IntegerQuotient(19200 - width, 2), kTolerance);
    EXPECT_NEAR(with_owner_top, IntegerQuotient(15360 - height, 2), kTolerance);

    Choose(*monitors, [&](ChooserView& v) { without_owner_left = v.form->Left(); });
    EXPECT_NEAR(without_owner_left, IntegerQuotient(19200 - width, 2), kTolerance);
    // Nothing counts as no owner.
    Choose(
        *monitors, [&](ChooserView& v) { EXPECT_NEAR(v.form->Left(), without_owner_left, kTolerance); },
        Variant::Nothing());
}

TEST_F(MonitorChooser, EscOrCancelAfterAPickGiveZero) {
    auto monitors = TwoMonitors();
    EXPECT_EQ(Choose(*monitors,
                     [&](ChooserView& v) {
                         User().Click(v.Monitor(1));
                         EXPECT_TRUE(User().KeyDown(v.form, headless::keys::kEscape));
                     }),
              0);
    EXPECT_EQ(Choose(*monitors,
                     [&](ChooserView& v) {
                         User().Click(v.Monitor(0));
                         User().Click(v.cancel);
                     }),
              0);
}

TEST_F(MonitorChooser, OkCannotBePressedBeforeAMonitorIsClicked) {
    auto monitors = TwoMonitors();
    EXPECT_EQ(Choose(*monitors,
                     [&](ChooserView& v) {
                         EXPECT_FALSE(User().Click(v.ok));
                         EXPECT_FALSE(User().KeyDown(v.ok, headless::keys::kReturn));
                     }),
              0);
}

TEST_F(MonitorChooser, TheCloseBoxGivesZeroEvenAfterAPick) {
    auto monitors = TwoMonitors();
    EXPECT_EQ(Choose(*monitors,
                     [&](ChooserView& v) {
                         User().Click(v.Monitor(1));
                         EXPECT_TRUE(User().Close(v.form));
                     }),
              0);
}

TEST_F(MonitorChooser, EveryCallStartsFromTheDesign) {
    auto monitors = TwoMonitors();
    EXPECT_EQ(Choose(*monitors,
                     [&](ChooserView& v) {
                         User().Click(v.Monitor(1));
                         User().Click(v.ok);
                     }),
              2);
    Choose(*monitors, [&](ChooserView& v) {
        EXPECT_FALSE(v.ok->Enabled());
        EXPECT_FALSE(v.Monitor(1)->FontBold());
        EXPECT_EQ(v.monitor_buttons->Count(), 2);
        User().Click(v.Monitor(0));
        User().Click(v.ok);
    });
}

TEST_F(MonitorChooser, APortraitOrSquareDesktopUsesThreeQuarters) {
    struct Case {
        Rect monitor;
        double height;
    };
    // 768 \ 15 = 51; 1024 \ 15 = 68.
    for (const Case& c :
         {Case{Rect{0, 0, 768, 1024}, 51.0 / 192 * 1024 * 0.75}, Case{Rect{0, 0, 1024, 1024}, 68.0 / 256 * 1024 * 0.75},
          Case{Rect{0, 0, 1024, 1023}, 68.0 / 256 * 1023 * 0.5}}) {
        windows->ClearMonitors();
        windows->AddMonitor(c.monitor);
        auto monitors = NewMonitors();
        Choose(*monitors, [&](ChooserView& v) { EXPECT_NEAR(v.picture->Height(), c.height, kTolerance); });
    }
}

TEST_F(MonitorChooser, AMonitorTheDialogIsNotOnStillSizesThePictureByTheDialogsMonitor) {
    // The primary monitor is the small one: the picture takes its width.
    windows->AddMonitor(Rect{0, 0, 800, 600});
    windows->AddMonitor(Rect{800, 0, 2720, 1080});
    auto monitors = NewMonitors();
    Choose(*monitors, [&](ChooserView& v) { EXPECT_NEAR(v.picture->Width(), 200, kTolerance); });
}

TEST_F(MonitorChooser, WithoutAnyMonitorTheDesignButtonStandsForNone) {
    windows->AddMonitor(Rect{0, 0, 1280, 1024});
    auto monitors = NewMonitors();
    monitors->set_Monitors(ObjectRef(Collection::Create()));
    const Long result = Choose(*monitors, [&](ChooserView& v) {
        ASSERT_EQ(v.monitor_buttons->Count(), 1);
        const Ref<CommandButton> design = v.Monitor(0);
        EXPECT_EQ(design->Caption(), u"Monitor");
        EXPECT_EQ(design->BoundsTwips(), (headless::Control::Bounds{360, 240, 1155, 795}));
        EXPECT_TRUE(design->Visible());
        EXPECT_FALSE(v.ok->Enabled());
        User().Click(design);
        EXPECT_TRUE(v.ok->Enabled());
        User().Click(v.ok);
    });
    // There is no monitor to return.
    EXPECT_EQ(result, 0);
}

TEST_F(MonitorChooser, TheDialogUsesTheListAsItIsWithoutRefreshing) {
    windows->AddMonitor(Rect{0, 0, 1280, 1024});
    auto monitors = NewMonitors();
    windows->AddMonitor(Rect{1280, 0, 2560, 1024});  // plugged in after the scan
    Choose(*monitors, [&](ChooserView& v) { EXPECT_EQ(v.monitor_buttons->Count(), 1); });
    EXPECT_EQ(Records(*monitors).size(), 1u);
}

TEST_F(MonitorChooser, AMonitorTooNarrowForTheRowLeavesThePromptNoWidth) {
    runtime->SetScreen(640, 480);
    windows->AddMonitor(Rect{0, 0, 640, 480});
    auto monitors = NewMonitors();
    EXPECT_EQ(Choose(*monitors,
                     [&](ChooserView& v) {
                         EXPECT_LT(v.ok->Left(), v.prompt->Left());
                         EXPECT_EQ(v.prompt->Width(), 0);
                         User().Click(v.Monitor(0));
                         User().Click(v.ok);
                     }),
              1);
}

TEST_F(MonitorChooser, AnOwnerThatIsNotAFormFailsWithATypeMismatch) {
    windows->AddMonitor(Rect{0, 0, 1280, 1024});
    auto monitors = NewMonitors();
    Ref<headless::Form> host = FormAt(0, 0, 6000, 4000);
    Ref<headless::Label> label = host->Add<headless::Label>(u"lblNotAForm");
    String prompt = u"p", caption = u"c";
    bool opened = false;
    User().OnModal([&](const Ref<headless::Form>&) { opened = true; });
    for (Variant owner : {Variant(ObjectRef(label)), Variant(Long{5}), Variant(), Variant(u"frmMain")}) {
        EXPECT_RAISES(rt::kTypeMismatch, monitors->ShowMonitorDialog(prompt, caption, owner));
    }
    EXPECT_FALSE(opened);
    for (const Ref<headless::Form>& form : runtime->Forms()) EXPECT_NE(form->Name(), u"frmQUIBORMonitorA");
}

TEST_F(MonitorChooser, LateBoundCallersLeaveTheOwnerOut) {
    auto monitors = TwoMonitors();
    User().OnModal([&](const Ref<headless::Form>& form) {
        ChooserView v = ViewOf(form);
        EXPECT_EQ(v.form->Caption(), u"Where?");
        User().Click(v.Monitor(1));
        User().Click(v.ok);
    });
    const Variant result =
        LateCall(ObjectRef(monitors), u"showmonitordialog", {Variant(u"Pick one"), Variant(u"Where?")});
    EXPECT_EQ(result, Variant(Long{2}));
}

}  // namespace
}  // namespace quibor15::testing
