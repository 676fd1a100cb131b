// The scripted user: clicks, keys and typing on forms and controls as a
// person at the screen would produce them, answers to modal dialogs and
// message boxes.
//
// An action reaches a control only when its form is loaded and shown, the
// form, the control and every container between them are visible and
// enabled, and no other form's modal dialog is open; otherwise nothing
// happens and the action answers false. An action
// on a control that can hold the focus moves the focus there first
// (LostFocus, GotFocus). A handler's error propagates to the caller of the
// action.
//
// Event orders:
//   Click       Click (a list item: Select).
//   DblClick    MouseDown, MouseUp, Click, DblClick, MouseUp; on a command
//               button, which has no DblClick, two clicks: MouseDown,
//               MouseUp, Click, MouseDown, MouseUp, Click.
//   KeyDown     Enter on a focused command button clicks it; otherwise Enter
//               clicks the form's Default button and Esc its Cancel button,
//               and no key events follow. Otherwise the form's KeyDown
//               first when KeyPreview is on (a KeyCode of 0 stops the key),
//               then the focused control's, then the control's own handling
//               (caret keys, Delete, Up/Down in lists).
//   KeyPress    the same preview rule; a KeyAscii left non-zero is typed
//               into a text box or combo box at SelStart, replacing the
//               selection, or selects by first letter in a list.
//   Type        one KeyPress per character.
//   Press       KeyDown, KeyPress when the key gives a character, KeyUp.
//   Close       the close box: QueryUnload (UnloadMode 0), Unload.
//
// After an action that reached its form, the desktop's form watcher sees
// that form (once for an action made of others, such as Type).
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "platform/headless/desktop.hpp"
#include "platform/headless/form.hpp"

namespace quibor15::headless {

class User {
public:
    explicit User(std::shared_ptr<Desktop> desktop) : desktop_(std::move(desktop)) {}

    // --- mouse (X and Y in the target's own event coordinates)
    bool Click(const ObjectRef& target);
    bool DblClick(const ObjectRef& target);
    bool MouseDown(const ObjectRef& target, Integer button, Integer shift, Single x, Single y);
    bool MouseMove(const ObjectRef& target, Integer button, Integer shift, Single x, Single y);
    bool MouseUp(const ObjectRef& target, Integer button, Integer shift, Single x, Single y);
    // Picks item `index` of a list box or combo box (sets ListIndex, which
    // raises Click).
    bool Select(const ObjectRef& list, Integer index);
    // Moves the focus to a control (as clicking into it would).
    bool Focus(const ObjectRef& target);

    // --- keyboard; the target is a control, or a form (its active control
    // then receives the key, or the form itself when it has none)
    bool KeyDown(const ObjectRef& target, Integer key_code, Integer shift = 0);
    bool KeyUp(const ObjectRef& target, Integer key_code, Integer shift = 0);
    bool KeyPress(const ObjectRef& target, Integer key_ascii);
    bool Type(const ObjectRef& target, std::u16string_view text);
    bool Press(const ObjectRef& target, Integer key_code, Integer shift = 0);

    // --- windows
    // The close box; answers whether the form was unloaded.
    bool Close(const ObjectRef& form);

    // --- dialogs
    // Called with the dialog each time a modal form opens (after Load).
    // When it returns with the dialog still open, the dialog is closed
    // through its close box.
    void OnModal(std::function<void(const Ref<Form>&)> handler);
    // Answers message boxes (the button's number); without a handler every
    // box is answered OK (1).
    void OnMessageBox(std::function<int32_t(const MessageBoxCall&)> handler);
    const std::vector<MessageBoxCall>& MessageBoxes() const noexcept { return desktop_->MessageBoxes(); }

private:
    class Acting;
    enum class KeyOutcome { Unreached, DialogButton, Delivered };
    struct Target {
        Window* window = nullptr;
        Control* control = nullptr;  // the control receiving the input
        Form* form = nullptr;
    };
    Target Resolve(const ObjectRef& target, bool keyboard) const;
    bool Reachable(const Target& t) const;
    void TakeFocus(const Target& t);
    bool Mouse(const ObjectRef& target, DispId id, Integer button, Integer shift, Single x, Single y);
    KeyOutcome DeliverKeyDown(const ObjectRef& target, Integer key_code, Integer shift);

    std::shared_ptr<Desktop> desktop_;
    int acting_depth_ = 0;
};

}  // namespace quibor15::headless
