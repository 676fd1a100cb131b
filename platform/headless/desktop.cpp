#include "platform/headless/desktop.hpp"

#include <algorithm>

#include "platform/headless/form.hpp"
#include "platform/headless/names.hpp"

namespace quibor15::headless {

Desktop::Desktop(std::shared_ptr<const AnsiCodePage> code_page, FontFactory font_factory)
    : code_page_(std::move(code_page)), font_factory_(std::move(font_factory)) {}

void Desktop::Shutdown() {
    shut_down_ = true;
    // Moved out first: releasing a form may run code that looks here.
    std::vector<Ref<Form>> forms = std::move(loaded_);
    loaded_.clear();
    Ref<Control> focus = std::move(focus_);
    focus_.Reset();
    ModalHandler modal = std::move(on_modal_);
    on_modal_ = nullptr;
    MessageBoxHandler box = std::move(on_message_box_);
    on_message_box_ = nullptr;
    FormWatcher watcher = std::move(watcher_);
    watcher_ = nullptr;
}

// --- handles

Handle Desktop::NewHandle(Window* window) {
    while (handles_.count(next_handle_) || next_handle_ == 0) next_handle_ += 2;
    Handle h = next_handle_;
    next_handle_ += 2;
    handles_[h] = window;
    return h;
}

void Desktop::DropHandle(Handle handle) noexcept { handles_.erase(handle); }

ObjectRef Desktop::FindWindowObject(Handle handle) const {
    auto it = handles_.find(handle);
    if (shut_down_ || it == handles_.end()) return ObjectRef();
    return ObjectRef(it->second);
}

// --- forms

void Desktop::FormLoaded(Form& form) {
    if (std::none_of(loaded_.begin(), loaded_.end(), [&form](const Ref<Form>& f) { return f.Get() == &form; })) {
        loaded_.emplace_back(&form);
    }
}

std::vector<Ref<Form>> Desktop::LoadedForms() const { return loaded_; }

void Desktop::FormUnloaded(Form& form) {
    // Released after the list is consistent again.
    Ref<Form> keep(&form);
    std::erase_if(loaded_, [&form](const Ref<Form>& f) { return f.Get() == &form; });
}

// --- focus

Ref<Control> Desktop::Focus() const { return focus_; }

void Desktop::MoveFocus(Control& control) {
    if (focus_.Get() == &control) return;
    Ref<Control> next(&control);
    Ref<Control> previous = focus_;
    focus_ = next;
    if (Form* form = control.OwningForm()) form->NoteFocus(&control);
    if (previous) previous->Raise(ev_extra::kLostFocus);
    // A LostFocus handler may have moved the focus elsewhere already.
    if (focus_ == next) next->Raise(ev::kGotFocus);
}

void Desktop::DropFocusIn(const Form& form) noexcept {
    if (focus_ && focus_->OwningForm() == &form) focus_.Reset();
}

void Desktop::DropFocusOf(const Control& control) noexcept {
    if (focus_.Get() == &control) focus_.Reset();
}

// --- modal dialogs

bool Desktop::IsModal(const Form& form) const noexcept {
    return std::find(modal_stack_.begin(), modal_stack_.end(), &form) != modal_stack_.end();
}

bool Desktop::AcceptsInput(const Form* form) const noexcept {
    return modal_stack_.empty() || modal_stack_.back() == form;
}

void Desktop::RunModal(Form& form) {
    if (IsModal(form) || form.Visible()) {
        Fail(err::kFormAlreadyDisplayed, u"Form already displayed; can't show modally");
    }
    Ref<Form> dialog(&form);
    modal_stack_.push_back(&form);
    struct Pop {
        std::vector<Form*>& stack;
        Form* form;
        ~Pop() {
            auto it = std::find(stack.rbegin(), stack.rend(), form);
            if (it != stack.rend()) stack.erase(std::next(it).base());
        }
    } pop{modal_stack_, &form};
    form.ShowWindow();
    auto on_screen = [&form] { return form.IsLoaded() && form.Visible(); };
    if (on_screen()) FormChanged(form);
    if (on_screen() && on_modal_) {
        ModalHandler handler = on_modal_;  // the handler may replace itself
        handler(dialog);
    }
    if (on_screen() && !form.Unload(unload_mode::kFormControlMenu) && on_screen()) form.Hide();
}

void Desktop::FormChanged(Form& form) {
    if (!watcher_ || watching_ || shut_down_ || !form.IsLoaded() || !form.Visible()) return;
    Ref<Form> hold(&form);
    FormWatcher watcher = watcher_;
    watching_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{watching_};
    watcher(form);
}

// --- message boxes

int32_t Desktop::MsgBox(const String& prompt, int32_t flags, const String& title) {
    message_boxes_.push_back(MessageBoxCall{prompt, flags, title});
    if (!on_message_box_) return 1;  // OK
    MessageBoxHandler handler = on_message_box_;
    return handler(message_boxes_.back());
}

// --- fonts and keys

ObjectRef Desktop::NewFont() {
    if (!font_factory_) RaiseNotAvailable(u"HeadlessRuntime", u"NewFont");
    return font_factory_();
}

Integer Desktop::KeyAsciiOf(char16_t c) const {
    std::string bytes = code_page_->Encode(std::u16string_view(&c, 1));
    if (bytes.size() == 1) return static_cast<Integer>(static_cast<unsigned char>(bytes[0]));
    if (bytes.size() == 2) {
        int value = static_cast<unsigned char>(bytes[0]) * 256 + static_cast<unsigned char>(bytes[1]);
        return static_cast<Integer>(static_cast<int16_t>(static_cast<uint16_t>(value)));
    }
    RaiseRuntimeError(rt::kInvalidProcedureCall);
}

String Desktop::TextOfKeyAscii(Integer key_ascii) const {
    std::string bytes;
    if (key_ascii >= 0 && key_ascii <= 255) {
        bytes.push_back(static_cast<char>(key_ascii));
    } else {
        auto value = static_cast<uint16_t>(key_ascii);
        bytes.push_back(static_cast<char>(value >> 8));
        bytes.push_back(static_cast<char>(value & 0xFF));
    }
    return code_page_->Decode(bytes);
}

}  // namespace quibor15::headless
