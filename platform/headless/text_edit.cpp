#include "platform/headless/text_edit.hpp"

#include <algorithm>

#include "platform/headless/names.hpp"

namespace quibor15::headless {

namespace {

Long LengthOf(const String& s) { return static_cast<Long>(std::min<size_t>(s.size(), 0x7FFFFFFF)); }

void CheckNotNegative(Long value) {
    if (value < 0) Fail(err::kInvalidPropertyValue, u"Invalid property value");
}

}  // namespace

void TextEdit::SetText(String text) {
    text_ = std::move(text);
    sel_start_ = 0;
    sel_length_ = 0;
}

void TextEdit::SetSelStart(Long start) {
    CheckNotNegative(start);
    sel_start_ = std::min(start, LengthOf(text_));
    sel_length_ = 0;
}

void TextEdit::SetSelLength(Long length) {
    CheckNotNegative(length);
    sel_length_ = std::min(length, LengthOf(text_) - sel_start_);
}

String TextEdit::SelText() const {
    return text_.substr(static_cast<size_t>(sel_start_), static_cast<size_t>(sel_length_));
}

void TextEdit::ReplaceSelection(std::u16string_view text) {
    text_.replace(static_cast<size_t>(sel_start_), static_cast<size_t>(sel_length_), text);
    sel_start_ += static_cast<Long>(text.size());
    sel_length_ = 0;
}

bool TextEdit::Backspace() {
    if (sel_length_ > 0) {
        ReplaceSelection(u"");
        return true;
    }
    if (sel_start_ == 0) return false;
    text_.erase(static_cast<size_t>(sel_start_ - 1), 1);
    --sel_start_;
    return true;
}

bool TextEdit::DeleteForward() {
    if (sel_length_ > 0) {
        ReplaceSelection(u"");
        return true;
    }
    if (sel_start_ >= LengthOf(text_)) return false;
    text_.erase(static_cast<size_t>(sel_start_), 1);
    return true;
}

void TextEdit::MoveCaret(Long position) {
    sel_start_ = std::clamp<Long>(position, 0, LengthOf(text_));
    sel_length_ = 0;
}

}  // namespace quibor15::headless
