// Configuration and lifetime: every property is stored exactly as assigned
// and read back unchanged; only WindowObject checks what it is given.
#include "quibor15/collection.hpp"
#include "wizard/late.hpp"
#include "wizard/wizard.hpp"

namespace quibor15 {

clsQuiborWizardA::clsQuiborWizardA(ContextPtr ctx) : _clsQuiborWizardA(std::move(ctx)) {
    for (size_t i = 0; i < kHeldCount; ++i) {
        Held source = static_cast<Held>(i);
        sinks_[i] = MakeRef<ForwardingSink>(
            [this, source](DispId id, std::span<Variant> args) { OnHeldEvent(source, id, args); });
    }
}

clsQuiborWizardA::~clsQuiborWizardA() {
    // No event of a held control may reach the wizard from here on.
    for (auto& sink : sinks_) sink->Detach();
    titles_.Reset();
    messages_.Reset();
    for (auto& held : held_) held.Disconnect();
}

// --- collections: an empty one is made the first time the wizard needs one

ObjectRef clsQuiborWizardA::Titles() {
    if (!titles_) titles_ = NewCollection();
    return titles_;
}

ObjectRef clsQuiborWizardA::Messages() {
    if (!messages_) messages_ = NewCollection();
    return messages_;
}

ObjectRef clsQuiborWizardA::NewCollection() { return Collection::Create(); }

ObjectRef clsQuiborWizardA::get_mcolFrameObjectTitles() {
    SelfRef hold(this);
    return Titles();
}
void clsQuiborWizardA::set_mcolFrameObjectTitles(ObjectRef value) { titles_ = std::move(value); }

ObjectRef clsQuiborWizardA::get_mcolFrameObjectMessages() {
    SelfRef hold(this);
    return Messages();
}
void clsQuiborWizardA::set_mcolFrameObjectMessages(ObjectRef value) { messages_ = std::move(value); }

// --- objects the host hands over

ObjectRef clsQuiborWizardA::get_GetProStdProperties() { return Host().App(); }

Long clsQuiborWizardA::About() { return 0; }

ObjectRef clsQuiborWizardA::get_AppObject() { return app_object_; }
void clsQuiborWizardA::set_AppObject(ObjectRef value) { app_object_ = std::move(value); }

ObjectRef clsQuiborWizardA::get_BuddyObject() { return buddy_object_; }
void clsQuiborWizardA::set_BuddyObject(ObjectRef value) { buddy_object_ = std::move(value); }

ObjectRef clsQuiborWizardA::get_WindowObject() { return HeldObject(kWindowObject); }

void clsQuiborWizardA::set_WindowObject(ObjectRef value) {
    SelfRef hold(this);
    // Only a form of the host will do; anything else is refused before the
    // form held so far is let go.
    if (value && !Host().IsObjectOfKind(value, ObjectKind::Form)) RaiseRuntimeError(rt::kTypeMismatch);
    HoldObject(kWindowObject, std::move(value));
}

ObjectRef clsQuiborWizardA::get_FrameObject() { return frame_object_; }
void clsQuiborWizardA::set_FrameObject(ObjectRef value) { frame_object_ = std::move(value); }

// --- flags, texts and sizes

Boolean clsQuiborWizardA::get_AddTopPane() { return add_top_pane_; }
void clsQuiborWizardA::let_AddTopPane(Boolean value) { add_top_pane_ = value; }
Boolean clsQuiborWizardA::get_KeyPreview() { return key_preview_; }
void clsQuiborWizardA::let_KeyPreview(Boolean value) { key_preview_ = value; }
Boolean clsQuiborWizardA::get_AddBottomPane() { return add_bottom_pane_; }
void clsQuiborWizardA::let_AddBottomPane(Boolean value) { add_bottom_pane_ = value; }

ObjectRef clsQuiborWizardA::get_TopPanePicture() { return top_pane_picture_; }
void clsQuiborWizardA::set_TopPanePicture(ObjectRef value) { top_pane_picture_ = std::move(value); }
ObjectRef clsQuiborWizardA::get_TopPaneBackPicture() { return top_pane_back_picture_; }
void clsQuiborWizardA::set_TopPaneBackPicture(ObjectRef value) { top_pane_back_picture_ = std::move(value); }
ObjectRef clsQuiborWizardA::get_BottomPaneBackPicture() { return bottom_pane_back_picture_; }
void clsQuiborWizardA::set_BottomPaneBackPicture(ObjectRef value) { bottom_pane_back_picture_ = std::move(value); }

String clsQuiborWizardA::get_Title() { return title_; }
void clsQuiborWizardA::let_Title(String value) { title_ = std::move(value); }
Long clsQuiborWizardA::get_Height() { return height_; }
void clsQuiborWizardA::let_Height(Long value) { height_ = value; }
Long clsQuiborWizardA::get_Width() { return width_; }
void clsQuiborWizardA::let_Width(Long value) { width_ = value; }

String clsQuiborWizardA::get_FirstFrameButtonCaption() { return first_frame_button_caption_; }
void clsQuiborWizardA::let_FirstFrameButtonCaption(String value) { first_frame_button_caption_ = std::move(value); }
String clsQuiborWizardA::get_PreviousFrameButtonCaption() { return previous_frame_button_caption_; }
void clsQuiborWizardA::let_PreviousFrameButtonCaption(String value) {
    previous_frame_button_caption_ = std::move(value);
}
String clsQuiborWizardA::get_NextFrameButtonCaption() { return next_frame_button_caption_; }
void clsQuiborWizardA::let_NextFrameButtonCaption(String value) { next_frame_button_caption_ = std::move(value); }
String clsQuiborWizardA::get_LastFrameButtonCaption() { return last_frame_button_caption_; }
void clsQuiborWizardA::let_LastFrameButtonCaption(String value) { last_frame_button_caption_ = std::move(value); }
String clsQuiborWizardA::get_CancelButtonCaption() { return cancel_button_caption_; }
void clsQuiborWizardA::let_CancelButtonCaption(String value) { cancel_button_caption_ = std::move(value); }

Long clsQuiborWizardA::get_TopPaneBackcolor() { return top_pane_backcolor_; }
void clsQuiborWizardA::let_TopPaneBackcolor(Long value) { top_pane_backcolor_ = value; }
Long clsQuiborWizardA::get_BottomPaneBackcolor() { return bottom_pane_backcolor_; }
void clsQuiborWizardA::let_BottomPaneBackcolor(Long value) { bottom_pane_backcolor_ = value; }

Boolean clsQuiborWizardA::get_ShowFirstFrameButton() { return show_first_frame_button_; }
void clsQuiborWizardA::let_ShowFirstFrameButton(Boolean value) { show_first_frame_button_ = value; }
Boolean clsQuiborWizardA::get_ShowLastFrameButton() { return show_last_frame_button_; }
void clsQuiborWizardA::let_ShowLastFrameButton(Boolean value) { show_last_frame_button_ = value; }
Boolean clsQuiborWizardA::get_DontShowTopPaneinFirstFrame() { return dont_show_top_pane_in_first_frame_; }
void clsQuiborWizardA::let_DontShowTopPaneinFirstFrame(Boolean value) { dont_show_top_pane_in_first_frame_ = value; }

// --- what Create built, as the host sees it (the wizard drives its own
// references, never these)

ObjectRef clsQuiborWizardA::get_TopPaneObject() { return top_pane_object_; }
void clsQuiborWizardA::set_TopPaneObject(ObjectRef value) { top_pane_object_ = std::move(value); }
ObjectRef clsQuiborWizardA::get_TopPaneTitleObject() { return top_pane_title_object_; }
void clsQuiborWizardA::set_TopPaneTitleObject(ObjectRef value) { top_pane_title_object_ = std::move(value); }
ObjectRef clsQuiborWizardA::get_TopPaneMessageObject() { return top_pane_message_object_; }
void clsQuiborWizardA::set_TopPaneMessageObject(ObjectRef value) { top_pane_message_object_ = std::move(value); }
ObjectRef clsQuiborWizardA::get_TopPanePictureObject() { return top_pane_picture_object_; }
void clsQuiborWizardA::set_TopPanePictureObject(ObjectRef value) { top_pane_picture_object_ = std::move(value); }
ObjectRef clsQuiborWizardA::get_BottomPaneObject() { return bottom_pane_object_; }
void clsQuiborWizardA::set_BottomPaneObject(ObjectRef value) { bottom_pane_object_ = std::move(value); }

// --- fonts: made with the platform's defaults on the first read

ObjectRef clsQuiborWizardA::get_TopPaneTitleFont() {
    if (!top_pane_title_font_) top_pane_title_font_ = Host().NewFont();
    return top_pane_title_font_;
}
void clsQuiborWizardA::set_TopPaneTitleFont(ObjectRef value) { top_pane_title_font_ = std::move(value); }

ObjectRef clsQuiborWizardA::get_TopPaneMessageFont() {
    if (!top_pane_message_font_) top_pane_message_font_ = Host().NewFont();
    return top_pane_message_font_;
}
void clsQuiborWizardA::set_TopPaneMessageFont(ObjectRef value) { top_pane_message_font_ = std::move(value); }

// --- steps

Integer clsQuiborWizardA::get_MaxFrameIndex() { return max_frame_index_; }
void clsQuiborWizardA::let_MaxFrameIndex(Integer value) { max_frame_index_ = value; }
Integer clsQuiborWizardA::get_CurrentFrame() { return current_frame_; }
void clsQuiborWizardA::let_CurrentFrame(Integer value) { current_frame_ = value; }
Long clsQuiborWizardA::get_BottomPaneButtonXDistance() { return bottom_pane_button_x_distance_; }
void clsQuiborWizardA::let_BottomPaneButtonXDistance(Long value) { bottom_pane_button_x_distance_ = value; }

}  // namespace quibor15
