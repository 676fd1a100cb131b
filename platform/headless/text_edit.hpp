// The editable text of a text box or of a combo box's edit part: the text,
// the selection, and what typing does to them.
#pragma once

#include <string_view>

#include "quibor15/object.hpp"

namespace quibor15::headless {

class TextEdit {
public:
    const String& Text() const noexcept { return text_; }
    // Replaces the text; the caret goes to the start with nothing selected.
    void SetText(String text);

    // Positions count UTF-16 units from 0. A negative value raises 380; a
    // start past the end goes to the end; setting the start clears the
    // selection; a length is cut at the end of the text.
    Long SelStart() const noexcept { return sel_start_; }
    void SetSelStart(Long start);
    Long SelLength() const noexcept { return sel_length_; }
    void SetSelLength(Long length);
    String SelText() const;
    // Replaces the selection (inserts at the caret when nothing is
    // selected); the caret ends after the inserted text.
    void ReplaceSelection(std::u16string_view text);

    // Editing keys; each answers whether the text changed.
    bool Backspace();
    bool DeleteForward();
    void MoveCaret(Long position);

private:
    String text_;
    Long sel_start_ = 0;
    Long sel_length_ = 0;
};

}  // namespace quibor15::headless
