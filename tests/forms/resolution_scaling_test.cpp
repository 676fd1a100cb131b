// Resize_For_Resolution, AdjustForm and FormResize.
#include "forms_world.hpp"

namespace quibor15::testing {
namespace {

using headless::ComboBox;
using headless::CommandButton;
using headless::Control;
using headless::Form;
using headless::Label;
using headless::PictureBox;
using headless::TextBox;

struct Box {
    double left, top, width, height;
};

std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << b.left << "," << b.top << " " << b.width << "x" << b.height;
}

// Position and size in the container's scale.
Box BoxOf(const Control& c) { return Box{c.Left(), c.Top(), c.Width(), c.Height()}; }
Box BoxOf(const Form& f) { return Box{f.Left(), f.Top(), f.Width(), f.Height()}; }

::testing::AssertionResult Near(const Box& actual, const Box& expected) {
    constexpr double kTolerance = 1e-3;
    if (std::abs(actual.left - expected.left) < kTolerance && std::abs(actual.top - expected.top) < kTolerance &&
        std::abs(actual.width - expected.width) < kTolerance &&
        std::abs(actual.height - expected.height) < kTolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "is " << actual << ", expected " << expected;
}

// A form designed for an 800 x 600 screen (12000 x 9000 twips) with one
// control of each kind the scaling treats differently.
class Scaling : public FormsWorld {
protected:
    void SetUp() override {
        form = NewForm(0, 0, 12000, 9000);
        button = form->Add<CommandButton>(u"cmdOK");
        button->Move(1500, 750, 1200, 450);  // 100, 50, 80 x 30 pixels
        text = form->Add<TextBox>(u"txtName");
        text->Move(1500, 1500, 1500, 300);  // 100, 100, 100 x 20
        combo = form->Add<ComboBox>(u"cboKind");
        combo->Move(3000, 1500, 1500, 315);  // 200, 100, 100 x 21
        picture = form->Add<PictureBox>(u"picLogo");
        picture->Move(0, 3000, 3000, 1500);  // 0, 200, 200 x 100
        label = form->Add<Label>(u"lblNote");
        label->Move(4500, 4500, 1500, 600);  // 300, 300, 100 x 40
    }

    void Adjust() {
        ObjectRef target(form);
        wui->AdjustForm(target);
    }
    void Resize() {
        ObjectRef target(form);
        wui->FormResize(target);
    }
    void Scale(Single x, Single y) {
        ObjectRef target(form);
        wui->Resize_For_Resolution(x, y, target);
    }

    Ref<Form> form;
    Ref<CommandButton> button;
    Ref<TextBox> text;
    Ref<ComboBox> combo;
    Ref<PictureBox> picture;
    Ref<Label> label;
};

TEST_F(Scaling, AdjustFormWorkedExampleOnA1024By768Screen) {
    runtime->SetScreen(1024, 768);
    Adjust();
    EXPECT_EQ(form->ScaleMode(), 3);
    // Pixels now: 1.28 in both directions.
    EXPECT_TRUE(Near(BoxOf(*button), {128, 64, 102.4, 38.4}));
    EXPECT_TRUE(Near(BoxOf(*picture), {0, 256, 256, 128}));
    EXPECT_TRUE(Near(BoxOf(*label), {384, 384, 128, 51.2}));
    // Text and combo boxes keep their heights.
    EXPECT_TRUE(Near(BoxOf(*text), {128, 128, 128, 20}));
    EXPECT_TRUE(Near(BoxOf(*combo), {256, 128, 128, 21}));
    // The form itself grows with the screen (its geometry is in twips).
    EXPECT_TRUE(Near(BoxOf(*form), {0, 0, 15360, 11520}));
}

TEST_F(Scaling, AdjustFormOnAn800By600ScreenChangesOnlyTheScaleMode) {
    runtime->SetScreen(800, 600);
    Adjust();
    EXPECT_EQ(form->ScaleMode(), 3);
    EXPECT_TRUE(Near(BoxOf(*button), {100, 50, 80, 30}));
    EXPECT_TRUE(Near(BoxOf(*text), {100, 100, 100, 20}));
    EXPECT_TRUE(Near(BoxOf(*picture), {0, 200, 200, 100}));
    EXPECT_TRUE(Near(BoxOf(*form), {0, 0, 12000, 9000}));
}

TEST_F(Scaling, AdjustFormShrinksForASmallerScreen) {
    runtime->SetScreen(640, 480);
    Adjust();
    EXPECT_TRUE(Near(BoxOf(*button), {80, 40, 64, 24}));
    EXPECT_TRUE(Near(BoxOf(*form), {0, 0, 9600, 7200}));
}

TEST_F(Scaling, ResizeForResolutionScalesControlsOnlyOnAFreshObject) {
    Scale(2, 0.5f);
    // The form is still in twips.
    EXPECT_TRUE(Near(BoxOf(*button), {3000, 375, 2400, 225}));
    EXPECT_TRUE(Near(BoxOf(*text), {3000, 750, 3000, 300}));
    EXPECT_TRUE(Near(BoxOf(*combo), {6000, 750, 3000, 315}));
    EXPECT_TRUE(Near(BoxOf(*picture), {0, 1500, 6000, 750}));
    EXPECT_TRUE(Near(BoxOf(*form), {0, 0, 12000, 9000}));
}

TEST_F(Scaling, ResizeForResolutionMovesTheFormBetweenAdjustFormAndTheNextScalingResize) {
    runtime->SetScreen(800, 600);
    Adjust();
    form->Move(1000, 2000, 12000, 9000);
    Scale(0.5f, 0.5f);
    EXPECT_TRUE(Near(BoxOf(*form), {500, 1000, 6000, 4500}));
    Resize();  // arms
    Resize();  // scales, and clears the move-form flag
    const Box before = BoxOf(*form);
    Scale(2, 2);
    EXPECT_TRUE(Near(BoxOf(*form), before));
}

TEST_F(Scaling, FormResizeAfterAdjustFormArmsFirstThenScalesAgainstTheReference) {
    runtime->SetScreen(1024, 768);
    Adjust();  // the form is now 15360 x 11520 twips, the reference the screen's size
    const Box button_after_adjust = BoxOf(*button);

    Resize();  // only arms
    EXPECT_TRUE(Near(BoxOf(*button), button_after_adjust));

    form->SetWidth(7680);  // half as wide
    Resize();
    EXPECT_TRUE(Near(BoxOf(*button), {64, 64, 51.2, 38.4}));
    EXPECT_TRUE(Near(BoxOf(*text), {64, 128, 64, 20}));
    EXPECT_TRUE(Near(BoxOf(*picture), {0, 256, 128, 128}));
    // The form itself is not moved by a scaling FormResize.
    EXPECT_TRUE(Near(BoxOf(*form), {0, 0, 7680, 11520}));

    // The new size is the reference for the next change.
    form->SetHeight(5760);
    Resize();
    EXPECT_TRUE(Near(BoxOf(*button), {64, 32, 51.2, 19.2}));
    EXPECT_TRUE(Near(BoxOf(*text), {64, 64, 64, 20}));
}

TEST_F(Scaling, TheResizeEventRaisedByAdjustFormOnlyArms) {
    form->Load();
    int resize_events = 0;
    OnEvent(ObjectRef(form), [&](DispId id, std::span<Variant>) {
        if (id != ev::kResize) return;
        ++resize_events;
        Resize();
    });
    runtime->SetScreen(1024, 768);
    Adjust();
    ASSERT_GE(resize_events, 1);
    EXPECT_TRUE(Near(BoxOf(*button), {128, 64, 102.4, 38.4}));

    // The user halves the width: the form's resize event rescales.
    form->SetWidth(7680);
    EXPECT_TRUE(Near(BoxOf(*button), {64, 64, 51.2, 38.4}));
    form->SetWidth(15360);
    EXPECT_TRUE(Near(BoxOf(*button), {128, 64, 102.4, 38.4}));
}

TEST_F(Scaling, FormResizeWithoutAReferenceRecordsOneInsteadOfCollapsingTheControls) {
    Resize();  // arms
    Resize();  // no reference yet: records the form's size
    EXPECT_TRUE(Near(BoxOf(*button), {1500, 750, 1200, 450}));
    EXPECT_TRUE(Near(BoxOf(*picture), {0, 3000, 3000, 1500}));

    form->Move(0, 0, 6000, 18000);
    Resize();  // half as wide, twice as high
    EXPECT_TRUE(Near(BoxOf(*button), {750, 1500, 600, 900}));
    EXPECT_TRUE(Near(BoxOf(*text), {750, 3000, 750, 300}));
    EXPECT_TRUE(Near(BoxOf(*form), {0, 0, 6000, 18000}));
}

// A fake control that has none of the geometry members (like a timer).
class Timer : public Object {
public:
    String TypeName() const override { return u"Timer"; }
    DispId GetIdOfName(std::u16string_view name) override {
        return EqualsIgnoreCase(name, u"Interval") ? 1 : kDispIdUnknown;
    }
    Variant Invoke(DispId, uint16_t, std::span<Variant>) override { return Variant(Long{0}); }
};

// A headless form seen with a timer inserted into its controls at a given
// position: Count and Controls(i) include it, everything else is the form.
class FormWithTimer : public Object {
public:
    FormWithTimer(Ref<Form> form, Long position) : form_(std::move(form)), position_(position) {}

    String TypeName() const override { return form_->TypeName(); }
    DispId GetIdOfName(std::u16string_view name) override {
        if (EqualsIgnoreCase(name, u"Count")) return kCount;
        if (EqualsIgnoreCase(name, u"Controls")) return kControls;
        return form_->GetIdOfName(name);
    }
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (id == kCount) return Variant(static_cast<Long>(form_->ControlCount() + 1));
        if (id == kControls) return Variant(ObjectRef(MakeRef<MixedControls>(form_, position_)));
        return form_->Invoke(id, flags, args);
    }

private:
    static constexpr DispId kCount = 0x7F000001;
    static constexpr DispId kControls = 0x7F000002;

    class MixedControls : public Object {
    public:
        MixedControls(Ref<Form> form, Long position) : form_(std::move(form)), position_(position) {}
        String TypeName() const override { return u"Object"; }
        DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
        Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
            if (id != kDispIdValue || args.size() != 1) RaiseRuntimeError(rt::kMemberNotSupported);
            const Long i = VariantToLong(args[0]);
            if (i == position_) return Variant(ObjectRef(MakeRef<Timer>()));
            return Variant(ObjectRef(form_->ControlAt(i < position_ ? i : i - 1)));
        }

    private:
        Ref<Form> form_;
        Long position_;
    };

    Ref<Form> form_;
    Long position_;
};

TEST_F(Scaling, AFirstControlWithoutLeftStopsAdjustFormQuietly) {
    runtime->SetScreen(1024, 768);
    ObjectRef target(MakeRef<FormWithTimer>(form, 0));
    wui->AdjustForm(target);  // no error
    // The scale mode was set before the scaling; nothing was scaled, the
    // form included.
    EXPECT_EQ(form->ScaleMode(), 3);
    EXPECT_TRUE(Near(BoxOf(*button), {100, 50, 80, 30}));
    EXPECT_TRUE(Near(BoxOf(*text), {100, 100, 100, 20}));
    EXPECT_TRUE(Near(BoxOf(*form), {0, 0, 12000, 9000}));
    // The reference was still recorded: a later FormResize measures the
    // unscaled 12000 x 9000 form against the screen's 15360 x 11520.
    wui->FormResize(target);  // arms
    form->SetWidth(7680);
    ObjectRef plain(form);
    wui->FormResize(plain);
    // Top and height land between twips (585.94, 351.56) and are kept in
    // whole ones.
    EXPECT_TRUE(Near(BoxOf(*button), {50, 586.0 / 15, 40, 352.0 / 15}));
}

TEST_F(Scaling, ResizeForResolutionPassesTheFirstFailureOnAndStopsThere) {
    ObjectRef target(MakeRef<FormWithTimer>(form, 2));
    EXPECT_RAISES(rt::kMemberNotSupported, wui->Resize_For_Resolution(2, 2, target));
    // The two controls before the timer were scaled, the ones after it not.
    EXPECT_TRUE(Near(BoxOf(*button), {3000, 1500, 2400, 900}));
    EXPECT_TRUE(Near(BoxOf(*text), {3000, 3000, 3000, 300}));
    EXPECT_TRUE(Near(BoxOf(*combo), {3000, 1500, 1500, 315}));
    EXPECT_TRUE(Near(BoxOf(*picture), {0, 3000, 3000, 1500}));
}

TEST_F(Scaling, FormResizeSwallowsFailures) {
    ObjectRef nothing;
    wui->FormResize(nothing);
    wui->FormResize(nothing);
    wui->AdjustForm(nothing);
    ObjectRef target(MakeRef<FormWithTimer>(form, 0));
    wui->FormResize(target);
    wui->FormResize(target);
    EXPECT_TRUE(Near(BoxOf(*button), {1500, 750, 1200, 450}));
}

TEST_F(Scaling, AFormWithoutControlsOnlyMovesItself) {
    auto empty = NewForm(300, 600, 6000, 3000);
    runtime->SetScreen(1600, 1200);
    ObjectRef target(empty);
    wui->AdjustForm(target);
    EXPECT_TRUE(Near(BoxOf(*empty), {600, 1200, 12000, 6000}));
}

TEST_F(Scaling, LateBoundResizeForResolutionTakesItsFactorsByValue) {
    const ObjectRef object(wui);
    LateCall(object, u"Resize_For_Resolution", {Variant(u"2"), Variant(Double{0.5}), Variant(ObjectRef(form))});
    EXPECT_TRUE(Near(BoxOf(*button), {3000, 375, 2400, 225}));
}

}  // namespace
}  // namespace quibor15::testing
