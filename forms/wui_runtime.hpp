// Form and control utilities for host programs: centring, exit animations
// and always-on-top; rescaling a form and its controls to the screen and to
// the form's own size; combo-box type-ahead, select-all and the shell's
// recent-documents list. Forms and controls are the host's, reached by
// member name.
#pragma once

#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborWUIRunTimeA final : public _clsQuiborWUIRunTimeA {
public:
    using _clsQuiborWUIRunTimeA::_clsQuiborWUIRunTimeA;

    // --- placement and exit animation (twips, no state)

    // Centres the form horizontally and in the upper 85 % of the screen;
    // Top is set before Left, nothing is clamped.
    void FormCenter(ObjectRef& Form) override;
    // Slide the form 300 twips per step towards one side, yielding to the
    // event loop after each step and reading the position afresh, until it
    // passes a fixed twip position. The form stays where the last step put
    // it.
    void FormExitDown(ObjectRef& Form) override;
    void FormExitUp(ObjectRef& Form) override;
    void FormExitLeft(ObjectRef& Form) override;
    void FormExitRight(ObjectRef& Form) override;
    // Makes the form's window topmost (bAction non-zero) or not.
    void OnTop(ObjectRef& frm, Boolean& bAction) override;

    // --- resolution scaling (the only members with state)

    // Multiplies every control's position and size by the factors (combo
    // and text boxes keep their height); also the form's own while the
    // move-form flag is set. The first failing control ends the pass with
    // its error.
    void Resize_For_Resolution(Single SFX, Single SFY, ObjectRef& MyForm) override;
    // Scales a form designed for an 800 x 600 screen to the current one and
    // records the screen's size as the reference for FormResize. Failing
    // steps are skipped.
    void AdjustForm(ObjectRef& TheForm) override;
    // For the form's resize event: the first call after creation or after
    // AdjustForm only arms; later calls scale the controls by the form's
    // size relative to the reference and make the new size the reference.
    // While no reference is recorded (no AdjustForm, no earlier scaling),
    // an armed call records the form's size instead of scaling by a zero
    // reference. Failing steps are skipped.
    void FormResize(ObjectRef& TheForm) override;

    // --- control helpers

    // Type-ahead for an editable combo box's key-press event: completes the
    // text from the list and sets acKeyCode to 0 when an item matches.
    // Returns Empty.
    Variant ComboBoxIncLookup(ObjectRef& ControlName, Variant& acKeyCode) override;
    // Selects the whole text of a combo box or text box.
    void ObjectSelectedAll(ObjectRef& Objectname) override;
    // Puts the file on the shell's recent-documents list; False for an
    // empty name.
    Boolean AddToDocumentsList(String Filename) override;

private:
    enum class Axis { Left, Top };
    // One exit animation: `step` twips per step on `axis` until the
    // position is past `limit` (above it for a positive step, below it for
    // a negative one).
    void SlideOut(const ObjectRef& form, Axis axis, double step, double limit);

    // State of the resolution scaling.
    Integer twips_per_pixel_x_ = 0;
    Integer twips_per_pixel_y_ = 0;
    Integer screen_width_pixels_ = 0;
    Integer screen_height_pixels_ = 0;
    Integer design_width_ = 0;
    Integer design_height_ = 0;
    Single scale_x_ = 0;
    Single scale_y_ = 0;
    bool move_form_ = false;
    bool armed_ = false;
    Long reference_width_ = 0;
    Long reference_height_ = 0;
};

}  // namespace quibor15
