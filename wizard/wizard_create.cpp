// Create: the form becomes the wizard's window. It gets a fixed dialog
// style and its size, a title pane (when asked for) and a button pane, and
// then shows step 0. Every step that fails is skipped; Create itself never
// fails.
#include "quibor15/font.hpp"
#include "quibor15/host_runtime.hpp"
#include "wizard/late.hpp"
#include "wizard/step.hpp"
#include "wizard/wizard.hpp"

namespace quibor15 {

namespace {

constexpr Long kDefaultWidth = 8500;
constexpr Long kDefaultHeight = 6000;
constexpr Long kWhite = 0xFFFFFF;
constexpr Long kButtonFace = static_cast<Long>(0x8000000Fu);
constexpr double kTopPaneHeight = 800;
constexpr double kBottomPaneHeight = 600;
constexpr double kButtonTop = 150;
constexpr double kButtonWidth = 1200;
constexpr double kButtonHeight = 350;

constexpr Integer kScaleTwips = 1;
constexpr Integer kBorderNone = 0;
constexpr Integer kBorderFixedDialog = 3;
constexpr Integer kAlignTop = 1;
constexpr Integer kAlignBottom = 2;
constexpr Integer kTransparent = 0;
constexpr Integer kFlat = 0;

// The title font rule: a font smaller than this is raised to kTitleSize
// points, a larger one keeps its size, so a title set in the platform's
// default font (about 8 points) stands out above the message text while a
// font the host chose larger is left alone. Exactly kTitleSizeThreshold
// stays as it is.
constexpr double kTitleSizeThreshold = 9;
constexpr double kTitleSize = 11;

}  // namespace

Long clsQuiborWizardA::Create() {
    SelfRef hold(this);
    CheckFrameArray();
    SetUpForm();
    if (add_top_pane_.IsTrue()) {
        BuildTopPane();
        BuildTitleLabel();
        BuildMessageLabel();
        BuildTopPanePicture();
        top_pane_object_ = HeldObject(kTopPane);
    }
    BuildBottomPane();
    if (show_first_frame_button_.IsTrue())
        BuildButton(kFirstFrameButton, 400, 0, first_frame_button_caption_, u"&First");
    BuildButton(kPreviousFrameButton, 1700, 1, previous_frame_button_caption_, u"&Previous");
    BuildButton(kNextFrameButton, 3000, 2, next_frame_button_caption_, u"&Next");
    if (show_last_frame_button_.IsTrue()) BuildButton(kLastFrameButton, 4300, 3, last_frame_button_caption_, u"&Last");
    BuildButton(kCancelButton, 5600, 4, cancel_button_caption_, u"&Cancel");
    bottom_pane_object_ = HeldObject(kBottomPane);
    HideAllFrames();
    ShowFirstFrame();
    return 0;
}

// A control array answers "Object" to the runtime's type name; a single
// control or Nothing answers something else. The user is told, and the
// wizard goes on building.
void clsQuiborWizardA::CheckFrameArray() {
    Step([&] {
        String type_name = frame_object_ ? frame_object_->TypeName() : String(u"Nothing");
        if (type_name != u"Object")
            Host().MsgBox(u"Please create frameobject array.", mb::kIconInformation, u"Not Array...");
    });
}

void clsQuiborWizardA::SetUpForm() {
    auto form = [&] { return HeldObject(kWindowObject); };
    Step([&] { late::Let(form(), u"WindowState", Integer(0)); });
    Step([&] { late::Let(form(), u"BorderStyle", kBorderFixedDialog); });
    Step([&] { late::Let(form(), u"ScaleMode", kScaleTwips); });
    if (key_preview_.IsTrue()) Step([&] { late::Let(form(), u"KeyPreview", kTrue); });
    Step([&] { late::Set(form(), u"Icon", ObjectRef()); });
    if (!title_.empty()) Step([&] { late::Let(form(), u"Caption", title_); });
    Step([&] { late::Let(form(), u"Height", static_cast<Single>(height_ == 0 ? kDefaultHeight : height_)); });
    Step([&] { late::Let(form(), u"Width", static_cast<Single>(width_ == 0 ? kDefaultWidth : width_)); });
}

// Adds a control to the form through its Controls collection; the new
// control is invisible until the wizard shows it.
ObjectRef clsQuiborWizardA::AddControl(std::u16string_view progid, std::u16string_view name) {
    ObjectRef controls = late::GetObject(HeldObject(kWindowObject), u"Controls");
    return LateCall(controls, u"Add", {Variant(String(progid)), Variant(String(name))}).ObjectOrThrow();
}

void clsQuiborWizardA::BuildTopPane() {
    Step([&] { HoldObject(kTopPane, AddControl(u"VB.PictureBox", u"moTopPane")); });
    ObjectRef pane = HeldObject(kTopPane);
    Step([&] { late::Let(pane, u"ScaleMode", kScaleTwips); });
    Step([&] { late::Let(pane, u"BorderStyle", kBorderNone); });
    Step([&] { late::Let(pane, u"BackColor", top_pane_backcolor_ == 0 ? kWhite : top_pane_backcolor_); });
    Step([&] { late::Set(pane, u"Picture", top_pane_back_picture_); });
    // Sized first, then docked: the docking decides the final width, and the
    // labels are measured from the docked pane.
    Step([&] { late::Move(pane, 0, 0, late::GetSingle(HeldObject(kWindowObject), u"Width"), kTopPaneHeight); });
    Step([&] { late::Let(pane, u"Align", kAlignTop); });
    Step([&] { late::Let(pane, u"Visible", kTrue); });
}

void clsQuiborWizardA::BuildTitleLabel() {
    Step([&] { HoldObject(kTopPaneTitleLabel, AddControl(u"VB.Label", u"moTopPaneTitleLabel")); });
    ObjectRef label = HeldObject(kTopPaneTitleLabel);
    ObjectRef pane = HeldObject(kTopPane);
    Step([&] { late::Set(label, u"Container", pane); });
    Step([&] { late::Move(label, 200, 100, late::GetSingle(pane, u"Width") - 2000.0, 300); });
    Step([&] { late::Let(label, u"BackStyle", kTransparent); });
    ApplyTitleFont(label);
    Step([&] { late::Let(label, u"Visible", kTrue); });
    top_pane_title_object_ = label;
}

void clsQuiborWizardA::ApplyTitleFont(const ObjectRef& label) {
    Step([&] { late::Set(label, u"Font", get_TopPaneTitleFont()); });
    Step([&] {
        double size = VariantToDouble(late::Get(get_TopPaneTitleFont(), u"Size"));
        late::Let(label, u"FontSize", static_cast<Single>(size < kTitleSizeThreshold ? kTitleSize : size));
    });
    // Always bold: a font that is not bold is made bold, a bold one keeps
    // its own setting.
    Step([&] {
        Boolean bold = VariantToBoolean(late::Get(get_TopPaneTitleFont(), u"Bold"));
        late::Let(label, u"FontBold", bold == kFalse ? kTrue : bold);
    });
}

void clsQuiborWizardA::BuildMessageLabel() {
    Step([&] { HoldObject(kTopPaneMessageLabel, AddControl(u"VB.Label", u"moTopPaneMessageLabel")); });
    ObjectRef label = HeldObject(kTopPaneMessageLabel);
    ObjectRef pane = HeldObject(kTopPane);
    Step([&] { late::Set(label, u"Container", pane); });
    Step([&] {
        late::Move(label, 500, 350, late::GetSingle(pane, u"Width") - 1000.0, late::GetSingle(pane, u"Height") - 300.0);
    });
    Step([&] { late::Let(label, u"BackStyle", kTransparent); });
    Step([&] { late::Let(label, u"Visible", kTrue); });
    top_pane_message_object_ = label;
}

void clsQuiborWizardA::BuildTopPanePicture() {
    Step([&] { HoldObject(kTopPanePicture, AddControl(u"VB.PictureBox", u"moTopPanePicture")); });
    ObjectRef picture = HeldObject(kTopPanePicture);
    Step([&] { late::Set(picture, u"Container", HeldObject(kTopPane)); });
    // Right of the message label, 200 twips inside the pane's right edge.
    Step([&] {
        late::Move(picture, late::GetSingle(HeldObject(kTopPaneMessageLabel), u"Width") + 200.0, 100, 600, 600);
    });
    Step([&] { late::Let(picture, u"Appearance", kFlat); });
    Step([&] { late::Let(picture, u"BorderStyle", kBorderNone); });
    Step([&] { late::Set(picture, u"Picture", top_pane_picture_); });
    Step([&] { late::Let(picture, u"Visible", kTrue); });
    top_pane_picture_object_ = picture;
}

// The button pane is built whatever AddBottomPane says: the buttons need it.
void clsQuiborWizardA::BuildBottomPane() {
    Step([&] { HoldObject(kBottomPane, AddControl(u"VB.PictureBox", u"moBottomPane")); });
    ObjectRef pane = HeldObject(kBottomPane);
    Step([&] { late::Let(pane, u"BorderStyle", kBorderNone); });
    Step([&] { late::Let(pane, u"BackColor", bottom_pane_backcolor_ == 0 ? kButtonFace : bottom_pane_backcolor_); });
    Step([&] { late::Set(pane, u"Picture", bottom_pane_back_picture_); });
    Step([&] { late::Let(pane, u"Left", Single(0)); });
    Step([&] { late::Let(pane, u"Width", late::GetSingle(HeldObject(kWindowObject), u"Width")); });
    Step([&] { late::Let(pane, u"Height", static_cast<Single>(kBottomPaneHeight)); });
    Step([&] { late::Let(pane, u"Align", kAlignBottom); });
    Step([&] { late::Let(pane, u"Visible", kTrue); });
}

// Buttons stand on a 1300-twip pitch from `offset`, shifted right by
// BottomPaneButtonXDistance; an absent First or Last button leaves its gap.
void clsQuiborWizardA::BuildButton(Held which, Long offset, Integer tab_index, const String& caption,
                                   std::u16string_view fallback) {
    Step([&] { HoldObject(which, AddControl(u"VB.CommandButton", HeldName(which))); });
    ObjectRef button = HeldObject(which);
    Step([&] { late::Set(button, u"Container", HeldObject(kBottomPane)); });
    Step([&] {
        Long left = CheckedAdd(bottom_pane_button_x_distance_, offset);
        late::Move(button, left, kButtonTop, kButtonWidth, kButtonHeight);
    });
    Step([&] { late::Let(button, u"TabIndex", tab_index); });
    Step([&] { late::Let(button, u"Caption", caption.empty() ? String(fallback) : caption); });
    Step([&] { late::Let(button, u"Visible", kTrue); });
}

}  // namespace quibor15
