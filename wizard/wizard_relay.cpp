// The wizard's ears: the events of the form and of the controls Create
// added arrive here. Button clicks are passed on to the host (as events, or
// as calls on the buddy object) and then move between steps; pane, label
// and picture actions are passed on as events only; the page keys navigate.
#include <vector>

#include "quibor15/host_runtime.hpp"
#include "wizard/late.hpp"
#include "wizard/wizard.hpp"
#include "wizard/wizard_events.hpp"

namespace quibor15 {

namespace {

constexpr Integer kPageUp = 33;
constexpr Integer kPageDown = 34;
constexpr char16_t kFinishCaption[] = u"&Finish";

// Position of a control event within the wizard's groups of five
// notifications; -1 for events the wizard does not pass on.
int PaneEventOffset(DispId id) {
    switch (id) {
        case ev::kClick:
            return 0;
        case ev::kDblClick:
            return 1;
        case ev::kMouseDown:
            return 2;
        case ev::kMouseMove:
            return 3;
        case ev::kMouseUp:
            return 4;
        default:
            return -1;
    }
}

}  // namespace

std::u16string_view clsQuiborWizardA::HeldName(Held which) noexcept {
    static constexpr std::u16string_view kNames[kHeldCount] = {
        u"mogsWindowObject",  u"moTopPane",         u"moTopPaneTitleLabel", u"moTopPaneMessageLabel",
        u"moTopPanePicture",  u"moBottomPane",      u"moFirstFrameButton",  u"moPreviousFrameButton",
        u"moNextFrameButton", u"moLastFrameButton", u"moCancelButton",
    };
    return kNames[which];
}

void clsQuiborWizardA::OnHeldEvent(Held source, DispId id, std::span<Variant> args) {
    SelfRef hold(this);
    switch (source) {
        case kWindowObject:
            if (id == ev::kKeyDown) OnFormKeyDown(args);
            return;
        case kTopPane:
            return RelayPaneEvent(wizard_event::kTopPaneFirst, id, args);
        case kTopPaneTitleLabel:
            return RelayPaneEvent(wizard_event::kTopPaneTitleFirst, id, args);
        case kTopPaneMessageLabel:
            return RelayPaneEvent(wizard_event::kTopPaneMessageFirst, id, args);
        case kTopPanePicture:
            return RelayPaneEvent(wizard_event::kTopPanePictureFirst, id, args);
        case kBottomPane:
            return RelayPaneEvent(wizard_event::kBottomPaneFirst, id, args);
        case kFirstFrameButton:
        case kPreviousFrameButton:
        case kNextFrameButton:
        case kLastFrameButton:
        case kCancelButton:
            if (id == ev::kClick) OnButtonClick(source);
            return;
        case kHeldCount:
            return;
    }
}

// The host hears of the click first, so CurrentFrame still names the step
// being left; stopping the move is BeforeFrameShow's business. A failing
// dispatch stops here and the move does not happen.
void clsQuiborWizardA::OnButtonClick(Held button) {
    switch (button) {
        case kFirstFrameButton:
            Dispatch(wizard_event::kFirstFrameButtonClick, {});
            ShowFirstFrame();
            return;
        case kPreviousFrameButton:
            Dispatch(wizard_event::kPreviousFrameButtonClick, {});
            ShowPreviousFrame();
            return;
        case kNextFrameButton:
            if (VariantToString(late::Get(HeldObject(kNextFrameButton), u"Caption")) == kFinishCaption) {
                OnFinishClick();
                return;
            }
            Dispatch(wizard_event::kNextFrameButtonClick, {});
            ShowNextFrame();
            return;
        case kLastFrameButton:
            Dispatch(wizard_event::kLastFrameButtonClick, {});
            ShowLastFrame();
            return;
        case kCancelButton:
            // Closing the form is the host's decision.
            Dispatch(wizard_event::kCancelFrameButtonClick, {});
            return;
        default:
            return;
    }
}

// On the closing page the Next button finishes: the form is unloaded unless
// the host sets Cancel to True. No step is shown either way.
void clsQuiborWizardA::OnFinishClick() {
    Variant cancel_arg(Integer(0));
    Variant args[1] = {Variant::ByRef(cancel_arg)};
    Dispatch(wizard_event::kFinishFrameButtonClick, args);
    Integer cancel = 0;
    try {
        cancel = VariantToInteger(cancel_arg);
    } catch (const AutomationError&) {
        // A value no Integer variable could hold leaves Cancel at 0.
    }
    if (cancel == -1) return;
    ObjectRef form = HeldObject(kWindowObject);
    if (!form) RaiseRuntimeError(rt::kObjectNotSet);
    Host().Unload(form);
}

// Page Up moves forward and Page Down back, whatever the buttons' states,
// and the key still reaches the focused control. Only the wizard's own
// KeyPreview switches this on.
void clsQuiborWizardA::OnFormKeyDown(std::span<Variant> args) {
    if (!key_preview_.IsTrue() || args.empty()) return;
    Integer key_code = VariantToInteger(args[0]);
    if (key_code == kPageUp) {
        ShowNextFrame();
    } else if (key_code == kPageDown) {
        ShowPreviousFrame();
    }
}

// Pane, label and picture actions go to the event handlers even when a
// buddy is assigned; the mouse events pass the control's own Button, Shift,
// X and Y, by reference.
void clsQuiborWizardA::RelayPaneEvent(DispId first, DispId id, std::span<Variant> args) {
    int offset = PaneEventOffset(id);
    if (offset < 0) return;
    std::vector<Variant> forwarded;
    forwarded.reserve(args.size());
    for (Variant& arg : args) forwarded.push_back(arg.IsByRef() ? arg : Variant::ByRef(arg));
    RaiseEvent(first + offset, forwarded);
}

void clsQuiborWizardA::Dispatch(DispId event, std::span<Variant> args) {
    ObjectRef buddy = buddy_object_;
    if (!buddy) {
        RaiseEvent(event, args);
        return;
    }
    LateCall(buddy, u"clsQuiborWizardA_" + EventName(event), args);
}

}  // namespace quibor15
