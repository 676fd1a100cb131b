// The state every headless form and control shares: the screen, the window
// handles, the loaded forms, the focus, the open modal dialogs and the
// scripted user's answers to dialogs and message boxes. The runtime and
// every window hold it, so a window may outlive the runtime object.
#pragma once

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "quibor15/codepage.hpp"
#include "quibor15/object.hpp"
#include "quibor15/windows_services.hpp"

namespace quibor15::headless {

class Window;
class Form;
class Control;

// The screen's size and resolution, shared with the Screen object.
struct ScreenMetrics {
    int32_t width_pixels = 1024;
    int32_t height_pixels = 768;
    double twips_per_pixel_x = 15;
    double twips_per_pixel_y = 15;
};

// A message box the component showed, as the user saw it.
struct MessageBoxCall {
    String prompt;
    int32_t flags = 0;
    String title;
};

class Desktop {
public:
    using FontFactory = std::function<ObjectRef()>;
    using ModalHandler = std::function<void(const Ref<Form>&)>;
    using MessageBoxHandler = std::function<int32_t(const MessageBoxCall&)>;
    using FormWatcher = std::function<void(Form&)>;

    Desktop(std::shared_ptr<const AnsiCodePage> code_page, FontFactory font_factory);
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // Drops every reference the desktop holds (forms, focus, handlers), so
    // that nothing stays alive through it after the runtime is gone; from
    // then on no handle resolves.
    void Shutdown();

    // --- screen
    const std::shared_ptr<ScreenMetrics>& Metrics() const noexcept { return metrics_; }
    double TwipsPerPixelX() const noexcept { return metrics_->twips_per_pixel_x; }
    double TwipsPerPixelY() const noexcept { return metrics_->twips_per_pixel_y; }

    // --- window handles: unique even numbers from 0x00010010
    Handle NewHandle(Window* window);
    void DropHandle(Handle handle) noexcept;
    ObjectRef FindWindowObject(Handle handle) const;

    // --- loaded forms, in load order
    void FormLoaded(Form& form);
    void FormUnloaded(Form& form);
    std::vector<Ref<Form>> LoadedForms() const;

    // --- focus: one control at a time. Moving it raises LostFocus on the
    // control that had it, then GotFocus on the new one.
    Ref<Control> Focus() const;
    void MoveFocus(Control& control);
    // Takes the focus away without events (its form unloads, it is removed).
    void DropFocusIn(const Form& form) noexcept;
    void DropFocusOf(const Control& control) noexcept;

    // --- modal dialogs
    // Shows `form` modally: loads and shows it, hands it to the modal
    // handler, and when the handler returns with the form still on screen
    // closes it through its close box (hiding it if a handler cancels), so
    // a modal dialog never waits for input that cannot come.
    void RunModal(Form& form);
    bool IsModal(const Form& form) const noexcept;
    // While a modal dialog is open, the user reaches only that dialog.
    bool AcceptsInput(const Form* form) const noexcept;
    void SetModalHandler(ModalHandler handler) { on_modal_ = std::move(handler); }

    // --- message boxes: recorded, and answered by the handler (OK when none)
    int32_t MsgBox(const String& prompt, int32_t flags, const String& title);
    const std::vector<MessageBoxCall>& MessageBoxes() const noexcept { return message_boxes_; }
    void ClearMessageBoxes() { message_boxes_.clear(); }
    void SetMessageBoxHandler(MessageBoxHandler handler) { on_message_box_ = std::move(handler); }

    // --- watching the screen: the watcher sees a form each time it comes on
    // screen, a modal dialog opens, or the scripted user has acted on it.
    void SetFormWatcher(FormWatcher watcher) { watcher_ = std::move(watcher); }
    // Hands a form on screen to the watcher (not while the watcher runs).
    void FormChanged(Form& form);

    // --- fonts and keys
    ObjectRef NewFont();
    const AnsiCodePage& CodePage() const noexcept { return *code_page_; }
    // The KeyAscii of a character: its code in the ANSI code page (a
    // double-byte character as lead * 256 + trail, a signed 16-bit value).
    Integer KeyAsciiOf(char16_t c) const;
    // The character text of a KeyAscii value.
    String TextOfKeyAscii(Integer key_ascii) const;

private:
    std::shared_ptr<const AnsiCodePage> code_page_;
    FontFactory font_factory_;
    std::shared_ptr<ScreenMetrics> metrics_ = std::make_shared<ScreenMetrics>();
    std::unordered_map<Handle, Window*> handles_;
    Handle next_handle_ = 0x00010010;
    bool shut_down_ = false;
    std::vector<Ref<Form>> loaded_;
    Ref<Control> focus_;
    std::vector<Form*> modal_stack_;
    ModalHandler on_modal_;
    MessageBoxHandler on_message_box_;
    std::vector<MessageBoxCall> message_boxes_;
    FormWatcher watcher_;
    bool watching_ = false;
};

}  // namespace quibor15::headless
