#include "platform/headless/user.hpp"

#include <exception>

#include "platform/headless/combo_box.hpp"
#include "platform/headless/command_button.hpp"
#include "platform/headless/keys.hpp"
#include "platform/headless/list_box.hpp"
#include "platform/headless/text_box.hpp"

namespace quibor15::headless {

namespace {

// The character a key gives, or 0: letters (capital with Shift), digits,
// and the keys that type a control character.
Integer CharacterOfKey(Integer key_code, Integer shift) {
    if (key_code >= 'A' && key_code <= 'Z') {
        return (shift & keys::kShiftMask) ? key_code : static_cast<Integer>(key_code + 32);
    }
    if (key_code >= '0' && key_code <= '9' && !(shift & keys::kShiftMask)) return key_code;
    switch (key_code) {
        case keys::kBack:
        case keys::kReturn:
        case keys::kEscape:
        case keys::kSpace:
            return key_code;
        default:
            return 0;
    }
}

}  // namespace

User::Target User::Resolve(const ObjectRef& target, bool keyboard) const {
    auto* window = dynamic_cast<Window*>(target.Get());
    if (!window) RaiseRuntimeError(rt::kObjectRequired);
    Target t;
    t.window = window;
    t.form = window->OwningForm();
    t.control = dynamic_cast<Control*>(window);
    if (keyboard && !t.control && t.form) {
        Control* active = t.form->ActiveControl().Get();
        if (active && active->CanTakeFocus()) t.control = active;
    }
    return t;
}

bool User::Reachable(const Target& t) const {
    if (!t.form || !t.window->ReachableByUser() || !desktop_->AcceptsInput(t.form)) return false;
    return !t.control || t.control->ReachableByUser();
}

class User::Acting {
public:
    Acting(User& user, const ObjectRef& target, bool keyboard) : user_(user) {
        const Target t = user.Resolve(target, keyboard);
        if (user.Reachable(t)) form_ = Ref<Form>(t.form);
        ++user_.acting_depth_;
    }
    ~Acting() noexcept(false) {
        if (--user_.acting_depth_ > 0 || !form_ || std::uncaught_exceptions() > exceptions_) return;
        user_.desktop_->FormChanged(*form_);
    }
    Acting(const Acting&) = delete;
    Acting& operator=(const Acting&) = delete;

private:
    User& user_;
    Ref<Form> form_;
    int exceptions_ = std::uncaught_exceptions();
};

void User::TakeFocus(const Target& t) {
    if (t.control && t.control->CanTakeFocus()) desktop_->MoveFocus(*t.control);
}

// --- mouse

bool User::Click(const ObjectRef& target) {
    Acting acting(*this, target, false);
    Target t = Resolve(target, false);
    if (!Reachable(t)) return false;
    TakeFocus(t);
    if (!Reachable(t)) return true;  // a focus handler took it away
    if (auto* button = dynamic_cast<CommandButton*>(t.control)) {
        button->Press();
    } else {
        t.window->Raise(ev::kClick);
    }
    return true;
}

bool User::DblClick(const ObjectRef& target) {
    Acting acting(*this, target, false);
    Target t = Resolve(target, false);
    if (!Reachable(t)) return false;
    Ref<Object> hold = target;
    // Plain variables, not a structured binding: the lambda below captures
    // them, which clang before 16 refuses for bindings.
    const std::pair<Single, Single> centre = t.control ? t.control->CentrePoint() : std::pair<Single, Single>{0, 0};
    Single x = centre.first;
    Single y = centre.second;
    if (t.form && !t.control) {
        x = t.form->ScaleLeft() + t.form->ScaleWidth() / 2;
        y = t.form->ScaleTop() + t.form->ScaleHeight() / 2;
    }
    auto down_up = [&] {
        if (!Mouse(target, ev::kMouseDown, keys::kLeftButton, 0, x, y)) return false;
        return Mouse(target, ev::kMouseUp, keys::kLeftButton, 0, x, y);
    };
    if (!down_up() || !Click(target)) return true;
    if (dynamic_cast<CommandButton*>(t.control)) {
        if (down_up()) Click(target);
        return true;
    }
    if (!Reachable(t)) return true;
    t.window->Raise(ev::kDblClick);
    Mouse(target, ev::kMouseUp, keys::kLeftButton, 0, x, y);
    return true;
}

bool User::Mouse(const ObjectRef& target, DispId id, Integer button, Integer shift, Single x, Single y) {
    Target t = Resolve(target, false);
    if (!Reachable(t)) return false;
    if (id == ev::kMouseDown) {
        TakeFocus(t);
        if (!Reachable(t)) return true;
    }
    t.window->Raise(id, button, shift, x, y);
    return true;
}

bool User::MouseDown(const ObjectRef& target, Integer button, Integer shift, Single x, Single y) {
    Acting acting(*this, target, false);
    return Mouse(target, ev::kMouseDown, button, shift, x, y);
}

bool User::MouseMove(const ObjectRef& target, Integer button, Integer shift, Single x, Single y) {
    Acting acting(*this, target, false);
    return Mouse(target, ev::kMouseMove, button, shift, x, y);
}

bool User::MouseUp(const ObjectRef& target, Integer button, Integer shift, Single x, Single y) {
    Acting acting(*this, target, false);
    return Mouse(target, ev::kMouseUp, button, shift, x, y);
}

bool User::Select(const ObjectRef& list, Integer index) {
    Acting acting(*this, list, false);
    Target t = Resolve(list, false);
    if (!Reachable(t)) return false;
    TakeFocus(t);
    if (auto* combo = dynamic_cast<ComboBox*>(t.control)) {
        combo->SetListIndex(index);
    } else if (auto* box = dynamic_cast<ListBox*>(t.control)) {
        box->SetListIndex(index);
    } else {
        RaiseRuntimeError(rt::kMemberNotSupported);
    }
    return true;
}

bool User::Focus(const ObjectRef& target) {
    Acting acting(*this, target, false);
    Target t = Resolve(target, false);
    if (!Reachable(t) || !t.control || !t.control->CanTakeFocus()) return false;
    desktop_->MoveFocus(*t.control);
    return true;
}

// --- keyboard

User::KeyOutcome User::DeliverKeyDown(const ObjectRef& target, Integer key_code, Integer shift) {
    Target t = Resolve(target, true);
    if (!Reachable(t) || (t.control && !t.control->CanTakeFocus())) return KeyOutcome::Unreached;
    Ref<Object> hold = target;
    Ref<Form> form(t.form);
    TakeFocus(t);
    // The dialog keys go to the form's buttons before any key event.
    if (key_code == keys::kReturn) {
        auto* multi_line = dynamic_cast<TextBox*>(t.control);
        if (auto* button = dynamic_cast<CommandButton*>(t.control)) {
            button->Press();
            return KeyOutcome::DialogButton;
        }
        if (auto* button = dynamic_cast<CommandButton*>(form->DefaultButton());
            button && !(multi_line && multi_line->MultiLine())) {
            button->Press();
            return KeyOutcome::DialogButton;
        }
    }
    if (key_code == keys::kEscape) {
        if (auto* button = dynamic_cast<CommandButton*>(form->CancelButton())) {
            button->Press();
            return KeyOutcome::DialogButton;
        }
    }
    Integer code = key_code, state = shift;
    if (form->KeyPreview() || !t.control) {
        form->Raise(ev::kKeyDown, code, state);
        if (code == 0 || !t.control) return KeyOutcome::Delivered;
    }
    Ref<Control> control(t.control);
    if (!control->ReachableByUser()) return KeyOutcome::Delivered;
    control->Raise(ev::kKeyDown, code, state);
    if (code != 0) control->DefaultKeyDown(code, state);
    return KeyOutcome::Delivered;
}

bool User::KeyDown(const ObjectRef& target, Integer key_code, Integer shift) {
    Acting acting(*this, target, true);
    return DeliverKeyDown(target, key_code, shift) != KeyOutcome::Unreached;
}

bool User::KeyUp(const ObjectRef& target, Integer key_code, Integer shift) {
    Acting acting(*this, target, true);
    Target t = Resolve(target, true);
    if (!Reachable(t) || (t.control && !t.control->CanTakeFocus())) return false;
    Ref<Object> hold = target;
    Ref<Form> form(t.form);
    TakeFocus(t);
    Integer code = key_code, state = shift;
    if (form->KeyPreview() || !t.control) {
        form->Raise(ev::kKeyUp, code, state);
        if (code == 0 || !t.control) return true;
    }
    Ref<Control> control(t.control);
    if (control->ReachableByUser()) control->Raise(ev::kKeyUp, code, state);
    return true;
}

bool User::KeyPress(const ObjectRef& target, Integer key_ascii) {
    Acting acting(*this, target, true);
    Target t = Resolve(target, true);
    if (!Reachable(t) || (t.control && !t.control->CanTakeFocus())) return false;
    Ref<Object> hold = target;
    Ref<Form> form(t.form);
    TakeFocus(t);
    Integer ascii = key_ascii;
    if (form->KeyPreview() || !t.control) {
        form->Raise(ev::kKeyPress, ascii);
        if (ascii == 0 || !t.control) return true;
    }
    Ref<Control> control(t.control);
    if (!control->ReachableByUser()) return true;
    control->Raise(ev::kKeyPress, ascii);
    if (ascii != 0) control->DefaultKeyPress(ascii);
    return true;
}

bool User::Type(const ObjectRef& target, std::u16string_view text) {
    Acting acting(*this, target, true);
    for (char16_t c : text) {
        if (!KeyPress(target, desktop_->KeyAsciiOf(c))) return false;
    }
    return true;
}

bool User::Press(const ObjectRef& target, Integer key_code, Integer shift) {
    Acting acting(*this, target, true);
    KeyOutcome outcome = DeliverKeyDown(target, key_code, shift);
    if (outcome == KeyOutcome::Unreached) return false;
    if (outcome == KeyOutcome::DialogButton) return true;
    if (Integer c = CharacterOfKey(key_code, shift)) KeyPress(target, c);
    KeyUp(target, key_code, shift);
    return true;
}

// --- windows and dialogs

bool User::Close(const ObjectRef& form) {
    Acting acting(*this, form, false);
    auto* f = dynamic_cast<Form*>(form.Get());
    if (!f) RaiseRuntimeError(rt::kObjectRequired);
    if (!desktop_->AcceptsInput(f)) return false;
    return f->Unload(unload_mode::kFormControlMenu);
}

void User::OnModal(std::function<void(const Ref<Form>&)> handler) { desktop_->SetModalHandler(std::move(handler)); }

void User::OnMessageBox(std::function<int32_t(const MessageBoxCall&)> handler) {
    desktop_->SetMessageBoxHandler(std::move(handler));
}

}  // namespace quibor15::headless
