// A command button: Click, and the Default (Enter) and Cancel (Esc) roles
// on its form.
#pragma once

#include "platform/headless/control.hpp"

namespace quibor15::headless {

class CommandButton final : public ControlOf<CommandButton> {
public:
    static constexpr ControlKind kKind = ControlKind::CommandButton;
    CommandButton(Form& form, String name);
    static const MemberTable<CommandButton>& Members();
    void CopyFrom(const Control& other) override;

    const String& Caption() const noexcept { return caption_; }
    void SetCaption(String caption) { caption_ = std::move(caption); }
    // At most one button of a form is the Default and one the Cancel
    // button: setting one clears the others.
    bool Default() const noexcept { return default_; }
    void SetDefault(bool on);
    bool Cancel() const noexcept { return cancel_; }
    void SetCancel(bool on);
    // 0 standard, 1 graphical.
    Integer Style() const noexcept { return style_; }
    void SetStyle(Integer style);
    ObjectRef Picture() const { return picture_; }
    void SetPicture(ObjectRef picture) { picture_ = std::move(picture); }
    // Reads False; assigning True clicks the button.
    bool Value() const noexcept { return false; }
    void SetValue(bool on);

    // Raises Click.
    void Press();

private:
    String caption_;
    bool default_ = false;
    bool cancel_ = false;
    Integer style_ = 0;
    ObjectRef picture_;
};

}  // namespace quibor15::headless
