// Rescaling a form and its controls: to the screen (AdjustForm, for forms
// designed on an 800 x 600 screen) and to the form's own size (FormResize,
// from the form's resize event).
#include <functional>

#include "forms/form_access.hpp"
#include "forms/wui_runtime.hpp"

namespace quibor15 {

using forms::IsComboBox;
using forms::IsTextBox;
using forms::ReadNumber;
using forms::ReadSingle;

namespace {

constexpr Integer kDesignWidth = 800;
constexpr Integer kDesignHeight = 600;
constexpr Integer kScaleModePixels = 3;

// Runs one statement of a routine that skips its failing statements.
void Skipping(const std::function<void()>& statement) {
    try {
        statement();
    } catch (const AutomationError&) {
    }
}

ObjectRef ControlAt(const ObjectRef& form, Integer position) {
    const ObjectRef controls = LateGet(form, u"Controls").ObjectOrThrow();
    Variant index[] = {Variant(position)};
    return LateDefault(controls, index).ObjectOrThrow();
}

// A combo box's height follows its font and a text box keeps its own, so
// both get position and width only; every other control is moved and sized.
void ScaleControl(HostRuntime& host, const ObjectRef& control, Single sfx, Single sfy) {
    if (IsComboBox(host, control) || IsTextBox(host, control)) {
        LateLet(control, u"Left", Variant(Single(sfx * ReadSingle(control, u"Left"))));
        LateLet(control, u"Top", Variant(Single(sfy * ReadSingle(control, u"Top"))));
        LateLet(control, u"Width", Variant(Single(sfx * ReadSingle(control, u"Width"))));
        return;
    }
    const Single left = sfx * ReadSingle(control, u"Left");
    const Single top = sfy * ReadSingle(control, u"Top");
    const Single width = sfx * ReadSingle(control, u"Width");
    const Single height = sfy * ReadSingle(control, u"Height");
    LateCall(control, u"Move", {Variant(left), Variant(top), Variant(width), Variant(height)});
}

}  // namespace

void clsQuiborWUIRunTimeA::Resize_For_Resolution(Single SFX, Single SFY, ObjectRef& MyForm) {
    const ObjectRef form = MyForm;
    const Integer last = CheckedNarrow(CheckedSub(VariantToLong(LateGet(form, u"Count")), Long{1}));
    if (last >= 0) {
        for (Integer i = 0;; ++i) {
            ScaleControl(Host(), ControlAt(form, i), SFX, SFY);
            if (i == last) break;  // a form of 32768 controls must not overflow the counter here
        }
    }
    if (move_form_) {
        const Single left = SFX * ReadSingle(form, u"Left");
        const Single top = SFY * ReadSingle(form, u"Top");
        const Single width = SFX * ReadSingle(form, u"Width");
        const Single height = SFY * ReadSingle(form, u"Height");
        LateCall(form, u"Move", {Variant(left), Variant(top), Variant(width), Variant(height)});
    }
}

void clsQuiborWUIRunTimeA::AdjustForm(ObjectRef& TheForm) {
    const ObjectRef form = TheForm;
    design_width_ = kDesignWidth;
    design_height_ = kDesignHeight;
    move_form_ = true;
    // The form's own move below raises its resize event; a FormResize from
    // there finds the flag down and only arms.
    armed_ = false;

    Skipping([&] { twips_per_pixel_x_ = ToInteger(ReadNumber(Host().Screen(), u"TwipsPerPixelX")); });
    Skipping([&] { twips_per_pixel_y_ = ToInteger(ReadNumber(Host().Screen(), u"TwipsPerPixelY")); });
    Skipping([&] {
        if (twips_per_pixel_x_ == 0) RaiseRuntimeError(rt::kDivisionByZero);
        screen_width_pixels_ = ToInteger(Single(ReadSingle(Host().Screen(), u"Width") / twips_per_pixel_x_));
    });
    Skipping([&] {
        if (twips_per_pixel_y_ == 0) RaiseRuntimeError(rt::kDivisionByZero);
        screen_height_pixels_ = ToInteger(Single(ReadSingle(Host().Screen(), u"Height") / twips_per_pixel_y_));
    });
    scale_x_ = static_cast<Single>(static_cast<double>(screen_width_pixels_) / design_width_);
    scale_y_ = static_cast<Single>(static_cast<double>(screen_height_pixels_) / design_height_);

    // The form keeps pixels as its scale mode afterwards.
    Skipping([&] { LateLet(form, u"ScaleMode", Variant(kScaleModePixels)); });
    Skipping([&] {
        ObjectRef target = form;
        Resize_For_Resolution(scale_x_, scale_y_, target);
    });
    // The screen's size stands for the size of a form designed to fill it.
    Skipping([&] { reference_height_ = ToLong(ReadNumber(Host().Screen(), u"Height")); });
    Skipping([&] { reference_width_ = ToLong(ReadNumber(Host().Screen(), u"Width")); });
}

void clsQuiborWUIRunTimeA::FormResize(ObjectRef& TheForm) {
    const ObjectRef form = TheForm;
    if (!armed_) {
        armed_ = true;
        return;
    }
    move_form_ = false;
    if (reference_width_ == 0 || reference_height_ == 0) {
        // Nothing to measure against yet: scaling by a zero reference would
        // collapse every control, so this size becomes the reference.
        Skipping([&] { reference_height_ = ToLong(ReadNumber(form, u"Height")); });
        Skipping([&] { reference_width_ = ToLong(ReadNumber(form, u"Width")); });
        return;
    }
    Single factor_x = 0;
    Single factor_y = 0;
    Skipping([&] { factor_x = static_cast<Single>(ReadNumber(form, u"Width") / reference_width_); });
    Skipping([&] { factor_y = static_cast<Single>(ReadNumber(form, u"Height") / reference_height_); });
    Skipping([&] {
        ObjectRef target = form;
        Resize_For_Resolution(factor_x, factor_y, target);
    });
    Skipping([&] { reference_height_ = ToLong(ReadNumber(form, u"Height")); });
    Skipping([&] { reference_width_ = ToLong(ReadNumber(form, u"Width")); });
}

}  // namespace quibor15
