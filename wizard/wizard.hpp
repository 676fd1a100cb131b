// clsQuiborWizardA: turns a host form holding a control array of frames
// into a step-by-step wizard with a title pane, a button pane, navigation,
// a closing page and events.
//
// The class is split by concern:
//   wizard_properties.cpp  configuration, lifetime, WindowObject, fonts
//   wizard_create.cpp      Create: the form's style and the added controls
//   wizard_navigation.cpp  the frame-show routine and the navigation methods
//   wizard_relay.cpp       events of the held controls, relay to the host
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "quibor15/context.hpp"
#include "quibor15/interfaces.hpp"
#include "quibor15/object.hpp"
#include "wizard/event_connection.hpp"

namespace quibor15 {

class clsQuiborWizardA final : public _clsQuiborWizardA {
public:
    explicit clsQuiborWizardA(ContextPtr ctx);
    ~clsQuiborWizardA() override;

    // --- properties, in interface order
    ObjectRef get_mcolFrameObjectTitles() override;
    void set_mcolFrameObjectTitles(ObjectRef value) override;
    ObjectRef get_mcolFrameObjectMessages() override;
    void set_mcolFrameObjectMessages(ObjectRef value) override;
    ObjectRef get_GetProStdProperties() override;
    Long About() override;
    ObjectRef get_AppObject() override;
    void set_AppObject(ObjectRef value) override;
    ObjectRef get_BuddyObject() override;
    void set_BuddyObject(ObjectRef value) override;
    ObjectRef get_WindowObject() override;
    void set_WindowObject(ObjectRef value) override;
    ObjectRef get_FrameObject() override;
    void set_FrameObject(ObjectRef value) override;
    Boolean get_AddTopPane() override;
    void let_AddTopPane(Boolean value) override;
    Boolean get_KeyPreview() override;
    void let_KeyPreview(Boolean value) override;
    Boolean get_AddBottomPane() override;
    void let_AddBottomPane(Boolean value) override;
    ObjectRef get_TopPanePicture() override;
    void set_TopPanePicture(ObjectRef value) override;
    ObjectRef get_TopPaneBackPicture() override;
    void set_TopPaneBackPicture(ObjectRef value) override;
    ObjectRef get_BottomPaneBackPicture() override;
    void set_BottomPaneBackPicture(ObjectRef value) override;
    String get_Title() override;
    void let_Title(String value) override;
    Long get_Height() override;
    void let_Height(Long value) override;
    Long get_Width() override;
    void let_Width(Long value) override;
    String get_FirstFrameButtonCaption() override;
    void let_FirstFrameButtonCaption(String value) override;
    String get_PreviousFrameButtonCaption() override;
    void let_PreviousFrameButtonCaption(String value) override;
    String get_NextFrameButtonCaption() override;
    void let_NextFrameButtonCaption(String value) override;
    String get_LastFrameButtonCaption() override;
    void let_LastFrameButtonCaption(String value) override;
    String get_CancelButtonCaption() override;
    void let_CancelButtonCaption(String value) override;
    Long get_TopPaneBackcolor() override;
    void let_TopPaneBackcolor(Long value) override;
    Long get_BottomPaneBackcolor() override;
    void let_BottomPaneBackcolor(Long value) override;
    Boolean get_ShowFirstFrameButton() override;
    void let_ShowFirstFrameButton(Boolean value) override;
    Boolean get_ShowLastFrameButton() override;
    void let_ShowLastFrameButton(Boolean value) override;
    Boolean get_DontShowTopPaneinFirstFrame() override;
    void let_DontShowTopPaneinFirstFrame(Boolean value) override;
    ObjectRef get_TopPaneObject() override;
    void set_TopPaneObject(ObjectRef value) override;
    ObjectRef get_TopPaneTitleObject() override;
    void set_TopPaneTitleObject(ObjectRef value) override;
    ObjectRef get_TopPaneMessageObject() override;
    void set_TopPaneMessageObject(ObjectRef value) override;
    ObjectRef get_TopPanePictureObject() override;
    void set_TopPanePictureObject(ObjectRef value) override;
    ObjectRef get_TopPaneTitleFont() override;
    void set_TopPaneTitleFont(ObjectRef value) override;
    ObjectRef get_TopPaneMessageFont() override;
    void set_TopPaneMessageFont(ObjectRef value) override;
    ObjectRef get_BottomPaneObject() override;
    void set_BottomPaneObject(ObjectRef value) override;
    Integer get_MaxFrameIndex() override;
    void let_MaxFrameIndex(Integer value) override;
    Integer get_CurrentFrame() override;
    void let_CurrentFrame(Integer value) override;
    Long get_BottomPaneButtonXDistance() override;
    void let_BottomPaneButtonXDistance(Long value) override;

    // --- methods
    Long ShowFirstFrame() override;
    Long ShowPreviousFrame() override;
    Long ShowNextFrame() override;
    Long ShowLastFrame() override;
    Long GoToFrame(Long& iIndex) override;
    Long Create() override;

private:
    // The eleven objects whose events the wizard receives, in the order it
    // declares them; the names are the names Create gives the controls.
    enum Held : size_t {
        kWindowObject,
        kTopPane,
        kTopPaneTitleLabel,
        kTopPaneMessageLabel,
        kTopPanePicture,
        kBottomPane,
        kFirstFrameButton,
        kPreviousFrameButton,
        kNextFrameButton,
        kLastFrameButton,
        kCancelButton,
        kHeldCount,
    };

    // "moTopPane", "moNextFrameButton", ...: the control names Create uses.
    static std::u16string_view HeldName(Held which) noexcept;
    const ObjectRef& HeldObject(Held which) const noexcept { return held_[which].Target(); }
    void HoldObject(Held which, ObjectRef target) { held_[which].Hold(std::move(target), sinks_[which]); }

    // configuration helpers
    ObjectRef Titles();
    ObjectRef Messages();
    ObjectRef NewCollection();

    // construction
    void CheckFrameArray();
    void SetUpForm();
    void BuildTopPane();
    void BuildTitleLabel();
    void BuildMessageLabel();
    void BuildTopPanePicture();
    void ApplyTitleFont(const ObjectRef& label);
    void BuildBottomPane();
    void BuildButton(Held which, Long offset, Integer tab_index, const String& caption, std::u16string_view fallback);
    ObjectRef AddControl(std::u16string_view progid, std::u16string_view name);

    // display
    void HideAllFrames();
    void ShowFrame(Integer& index);
    void ShowClosingPage();
    void ShowNormalStep(Integer index);
    void LayOutStep(Integer index);
    void SetButtonEnabled(Held which, bool enabled);
    void EnableVisibleButton(Held which);
    ObjectRef FrameElement(Integer index);

    // relay
    void OnHeldEvent(Held source, DispId id, std::span<Variant> args);
    void OnButtonClick(Held button);
    void OnFinishClick();
    void OnFormKeyDown(std::span<Variant> args);
    void RelayPaneEvent(DispId first, DispId id, std::span<Variant> args);
    // Dispatch: an event to the connected handlers while no buddy is
    // assigned, otherwise the buddy's relay method.
    void Dispatch(DispId event, std::span<Variant> args);

    ObjectRef titles_;
    ObjectRef messages_;
    ObjectRef app_object_;
    ObjectRef buddy_object_;
    ObjectRef frame_object_;
    Integer max_frame_index_ = 0;
    Boolean key_preview_ = kFalse;
    Boolean add_top_pane_ = kFalse;
    Boolean add_bottom_pane_ = kFalse;
    String title_;
    Long width_ = 0;
    Long height_ = 0;
    ObjectRef top_pane_picture_;
    ObjectRef top_pane_back_picture_;
    ObjectRef bottom_pane_back_picture_;
    Integer current_frame_ = 0;
    ObjectRef top_pane_object_;
    ObjectRef top_pane_title_object_;
    ObjectRef top_pane_title_font_;
    ObjectRef top_pane_message_object_;
    ObjectRef top_pane_message_font_;
    ObjectRef top_pane_picture_object_;
    Boolean dont_show_top_pane_in_first_frame_ = kFalse;
    Long top_pane_backcolor_ = 0;
    ObjectRef bottom_pane_object_;
    Long bottom_pane_backcolor_ = 0;
    Boolean show_first_frame_button_ = kFalse;
    Boolean show_last_frame_button_ = kFalse;
    Long bottom_pane_button_x_distance_ = 0;
    String first_frame_button_caption_;
    String previous_frame_button_caption_;
    String next_frame_button_caption_;
    String last_frame_button_caption_;
    String cancel_button_caption_;

    std::array<Ref<ForwardingSink>, kHeldCount> sinks_;
    std::array<EventConnection, kHeldCount> held_;

    // A show that ran past either end hands over to the show of the last or
    // first step. The hand-overs of one chain are remembered so that it
    // ends where one repeats (the same end, from the same index), which
    // only an endless chain does: no steps at all, or a host that keeps
    // moving Index out of range. The depth is bounded as well.
    struct HandOver {
        bool to_last;
        Integer from;
        bool operator==(const HandOver&) const = default;
    };
    void HandOverTo(bool to_last, Integer from, std::vector<HandOver>& chain);
    // The chain that the next ShowFrame continues, set just before a
    // hand-over calls it.
    std::vector<HandOver>* hand_over_chain_ = nullptr;
};

}  // namespace quibor15
