// Showing a step: the host is asked first (BeforeFrameShow, which may cancel
// or redirect), every frame is hidden, the requested frame is laid out
// between the panes with its title and message, the buttons get their
// states, and the host hears AfterFrameShow. The index MaxFrameIndex - 2 is
// the closing page: the array's last frame across the whole window and a
// Finish button.
#include <algorithm>
#include <utility>

#include "wizard/late.hpp"
#include "wizard/step.hpp"
#include "wizard/wizard.hpp"
#include "wizard/wizard_events.hpp"

namespace quibor15 {

namespace {

// What a normal step leaves free below the panes, besides their heights.
constexpr double kStepAllowance = 450;

constexpr Integer kBorderNone = 0;

// The longest chain of hand-overs one show may start.
constexpr size_t kMaxHandOvers = 32;

// The Integer a handler left in a by-reference argument; a value that is no
// Integer could not have been stored in the caller's variable, which keeps
// what it held.
Integer IntegerOr(const Variant& value, Integer unchanged) {
    try {
        return VariantToInteger(value);
    } catch (const AutomationError&) {
        return unchanged;
    }
}

}  // namespace

Long clsQuiborWizardA::ShowFirstFrame() {
    SelfRef hold(this);
    Integer index = 0;
    ShowFrame(index);
    SetButtonEnabled(kPreviousFrameButton, false);
    return 0;
}

Long clsQuiborWizardA::ShowPreviousFrame() {
    SelfRef hold(this);
    Integer index = CheckedSub(current_frame_, Integer(1));
    ShowFrame(index);
    return 0;
}

Long clsQuiborWizardA::ShowNextFrame() {
    SelfRef hold(this);
    Integer index = CheckedAdd(current_frame_, Integer(1));
    ShowFrame(index);
    return 0;
}

Long clsQuiborWizardA::ShowLastFrame() {
    SelfRef hold(this);
    Integer index = max_frame_index_;
    ShowFrame(index);
    SetButtonEnabled(kNextFrameButton, false);
    return 0;
}

Long clsQuiborWizardA::GoToFrame(Long& iIndex) {
    SelfRef hold(this);
    Integer index = CheckedNarrow(iIndex);
    ShowFrame(index);
    return 0;
}

ObjectRef clsQuiborWizardA::FrameElement(Integer index) { return late::Element(frame_object_, index); }

// Hides frames 0 to MaxFrameIndex; frames above are left alone, and a frame
// that is missing or no control is skipped.
void clsQuiborWizardA::HideAllFrames() {
    if (!frame_object_) return;  // every element would fail
    // No element lies past the array's UBound: the array is asked once
    // rather than failing once per missing element.
    int last = max_frame_index_;
    Step([&] { last = std::min<int>(last, late::GetInteger(frame_object_, u"UBound")); });
    for (int i = 0; i <= last; ++i) {
        Step([&] { late::Let(FrameElement(static_cast<Integer>(i)), u"Visible", kFalse); });
    }
}

void clsQuiborWizardA::SetButtonEnabled(Held which, bool enabled) {
    Step([&] { late::Let(HeldObject(which), u"Enabled", Boolean::From(enabled)); });
}

// A button the host has hidden keeps its state.
void clsQuiborWizardA::EnableVisibleButton(Held which) {
    Step([&] {
        ObjectRef button = HeldObject(which);
        if (late::GetBoolean(button, u"Visible").IsTrue()) late::Let(button, u"Enabled", kTrue);
    });
}

void clsQuiborWizardA::HandOverTo(bool to_last, Integer from, std::vector<HandOver>& chain) {
    const HandOver step{to_last, from};
    if (chain.size() >= kMaxHandOvers || std::find(chain.begin(), chain.end(), step) != chain.end()) return;
    chain.push_back(step);
    hand_over_chain_ = &chain;
    if (to_last) {
        ShowLastFrame();
    } else {
        ShowFirstFrame();
    }
    hand_over_chain_ = nullptr;
}

void clsQuiborWizardA::ShowFrame(Integer& index) {
    std::vector<HandOver> chain;
    if (hand_over_chain_) chain = std::move(*std::exchange(hand_over_chain_, nullptr));

    current_frame_ = index;
    Integer cancel = 0;
    {
        Variant index_arg(index);
        Variant cancel_arg(cancel);
        Variant args[2] = {Variant::ByRef(index_arg), Variant::ByRef(cancel_arg)};
        Step([&] { Dispatch(wizard_event::kBeforeFrameShow, args); });
        index = IntegerOr(index_arg, index);
        cancel = IntegerOr(cancel_arg, cancel);
    }
    if (cancel == -1) return;  // only True cancels; any other value goes on

    HideAllFrames();
    if (index > max_frame_index_) {
        HandOverTo(true, index, chain);
        SetButtonEnabled(kNextFrameButton, false);
        SetButtonEnabled(kLastFrameButton, false);
        return;
    }
    if (index < 0) {
        HandOverTo(false, index, chain);
        SetButtonEnabled(kFirstFrameButton, false);
        SetButtonEnabled(kPreviousFrameButton, false);
        return;
    }
    if (index == max_frame_index_ - 2) {
        ShowClosingPage();
    } else {
        ShowNormalStep(index);
    }

    Variant index_arg(index);
    Variant args[1] = {Variant::ByRef(index_arg)};
    Step([&] { Dispatch(wizard_event::kAfterFrameShow, args); });
}

// The array's highest frame across the window, without the title pane; the
// title and message keep their text and the Next button becomes Finish.
void clsQuiborWizardA::ShowClosingPage() {
    auto last_frame = [&] { return FrameElement(late::GetInteger(frame_object_, u"UBound")); };
    Step([&] { late::Let(HeldObject(kTopPane), u"Visible", kFalse); });
    Step([&] { late::Let(last_frame(), u"BorderStyle", kBorderNone); });
    Step([&] { late::Let(last_frame(), u"Visible", kTrue); });
    Step([&] {
        ObjectRef frame = last_frame();
        const ObjectRef& form = HeldObject(kWindowObject);
        double height = late::GetSingle(form, u"Height") - (late::GetSingle(HeldObject(kTopPane), u"Height") +
                                                            late::GetSingle(HeldObject(kBottomPane), u"Height"));
        late::Move(frame, 0, 0, late::GetSingle(form, u"Width"), height);
    });
    SetButtonEnabled(kPreviousFrameButton, false);
    Step([&] { late::Let(HeldObject(kNextFrameButton), u"Caption", String(u"&Finish")); });
}

void clsQuiborWizardA::ShowNormalStep(Integer index) {
    Step([&] {
        String caption = next_frame_button_caption_.empty() ? String(u"&Next") : next_frame_button_caption_;
        late::Let(HeldObject(kNextFrameButton), u"Caption", caption);
    });
    for (Held button : {kFirstFrameButton, kPreviousFrameButton, kNextFrameButton, kLastFrameButton}) {
        EnableVisibleButton(button);
    }
    Step([&] { late::Let(FrameElement(index), u"BorderStyle", kBorderNone); });
    // A step without a title or message keeps the text shown before.
    Step([&] {
        Variant title = late::Item(Titles(), CheckedAdd(index, Integer(1)));
        late::Let(HeldObject(kTopPaneTitleLabel), u"Caption", VariantToString(title));
    });
    Step([&] {
        Variant message = late::Item(Messages(), CheckedAdd(index, Integer(1)));
        late::Let(HeldObject(kTopPaneMessageLabel), u"Caption", VariantToString(message));
    });
    Step([&] { late::Let(FrameElement(index), u"Height", late::GetSingle(HeldObject(kWindowObject), u"Height")); });
    LayOutStep(index);
    Step([&] { late::Let(FrameElement(index), u"Visible", kTrue); });
    if (index == 0) {
        SetButtonEnabled(kPreviousFrameButton, false);
    } else if (index == max_frame_index_) {
        SetButtonEnabled(kNextFrameButton, false);
    }
}

// The frame fills the width of the form and the height between the panes,
// less the allowance; the title pane is left out when there is none or when
// step 0 is to be shown without it.
void clsQuiborWizardA::LayOutStep(Integer index) {
    auto frame = [&] { return FrameElement(index); };
    auto form_width = [&] { return late::GetSingle(HeldObject(kWindowObject), u"Width"); };
    auto frame_height = [&] { return late::GetSingle(frame(), u"Height"); };
    auto bottom_height = [&] { return late::GetSingle(HeldObject(kBottomPane), u"Height"); };

    const bool without_top_pane = !add_top_pane_.IsTrue();
    const bool top_pane_hidden =
        !without_top_pane && static_cast<bool>(dont_show_top_pane_in_first_frame_) && index == 0;
    if (without_top_pane || top_pane_hidden) {
        if (top_pane_hidden) Step([&] { late::Let(HeldObject(kTopPane), u"Visible", kFalse); });
        Step([&] {
            late::Let(frame(), u"Height", static_cast<Single>(frame_height() - (bottom_height() + kStepAllowance)));
        });
        Step([&] { late::Move(frame(), 0, 0, form_width(), frame_height()); });
        return;
    }
    auto top_height = [&] { return late::GetSingle(HeldObject(kTopPane), u"Height"); };
    Step([&] { late::Let(HeldObject(kTopPane), u"Visible", kTrue); });
    Step([&] {
        late::Let(frame(), u"Height",
                  static_cast<Single>(frame_height() - (top_height() + bottom_height() + kStepAllowance)));
    });
    Step([&] { late::Move(frame(), 0, top_height(), form_width(), frame_height()); });
}

}  // namespace quibor15
