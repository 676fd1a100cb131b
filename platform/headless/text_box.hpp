// A text box: editable text with a selection, Change on every change of the
// text, and the editing keys.
#pragma once

#include "platform/headless/control.hpp"
#include "platform/headless/text_edit.hpp"

namespace quibor15::headless {

class TextBox final : public ControlOf<TextBox> {
public:
    static constexpr ControlKind kKind = ControlKind::TextBox;
    TextBox(Form& form, String name);
    static const MemberTable<TextBox>& Members();
    void CopyFrom(const Control& other) override;

    const String& Text() const noexcept { return edit_.Text(); }
    // Raises Change; the caret goes to the start.
    void SetText(String text);
    Long SelStart() const noexcept { return edit_.SelStart(); }
    void SetSelStart(Long start) { edit_.SetSelStart(start); }
    Long SelLength() const noexcept { return edit_.SelLength(); }
    void SetSelLength(Long length) { edit_.SetSelLength(length); }
    String SelText() const { return edit_.SelText(); }
    // Replaces the selection; raises Change.
    void SetSelText(String text);
    // A locked box ignores typing (code can still set the text).
    bool Locked() const noexcept { return locked_; }
    void SetLocked(bool on) { locked_ = on; }
    bool MultiLine() const noexcept { return multi_line_; }
    void SetMultiLine(bool on) { multi_line_ = on; }
    // The most characters the user can type in (0: no limit).
    Long MaxLength() const noexcept { return max_length_; }
    void SetMaxLength(Long length);
    Integer Alignment() const noexcept { return alignment_; }
    void SetAlignment(Integer alignment);
    Integer BorderStyle() const noexcept { return border_style_; }
    void SetBorderStyle(Integer style);

    // Delete and the caret keys (Left, Right, Home, End).
    void DefaultKeyDown(Integer key_code, Integer shift) override;
    // Backspace, Enter in a multi-line box, and characters, which replace
    // the selection.
    void DefaultKeyPress(Integer key_ascii) override;

private:
    TextEdit edit_;
    bool locked_ = false;
    bool multi_line_ = false;
    Long max_length_ = 0;
    Integer alignment_ = 0;
    Integer border_style_ = 1;
};

}  // namespace quibor15::headless
