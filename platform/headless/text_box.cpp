#include "platform/headless/text_box.hpp"

#include "platform/headless/desktop.hpp"
#include "platform/headless/keys.hpp"
#include "platform/headless/window_members.hpp"

namespace quibor15::headless {

namespace {

constexpr EventInfo kEvents[] = {
    {ev::kChange, u"Change"},
    {ev::kClick, u"Click"},
    {ev::kDblClick, u"DblClick"},
    {ev::kGotFocus, u"GotFocus"},
    {ev_extra::kLostFocus, u"LostFocus"},
    {ev::kKeyDown, u"KeyDown"},
    {ev::kKeyPress, u"KeyPress"},
    {ev::kKeyUp, u"KeyUp"},
    {ev::kMouseDown, u"MouseDown"},
    {ev::kMouseMove, u"MouseMove"},
    {ev::kMouseUp, u"MouseUp"},
};

void CheckRange(Long value, Long highest) {
    if (value < 0 || value > highest) Fail(err::kInvalidPropertyValue, u"Invalid property value");
}

}  // namespace

const MemberTable<TextBox>& TextBox::Members() {
    using T = TextBox;
    static const MemberTable<T> table{PlacementMembers<T>(),
                                      FocusMembers<T>(),
                                      ColorMembers<T>(),
                                      FontMembers<T>(),
                                      {
                                          Bind<T, &T::Text, &T::SetText>(u"Text", kDefault),
                                          Bind<T, &T::SelStart, &T::SetSelStart>(u"SelStart"),
                                          Bind<T, &T::SelLength, &T::SetSelLength>(u"SelLength"),
                                          Bind<T, &T::SelText, &T::SetSelText>(u"SelText"),
                                          Bind<T, &T::Locked, &T::SetLocked>(u"Locked"),
                                          Bind<T, &T::MultiLine, &T::SetMultiLine>(u"MultiLine"),
                                          Bind<T, &T::MaxLength, &T::SetMaxLength>(u"MaxLength"),
                                          Bind<T, &T::Alignment, &T::SetAlignment>(u"Alignment"),
                                          Bind<T, &T::BorderStyle, &T::SetBorderStyle>(u"BorderStyle"),
                                      }};
    return table;
}

TextBox::TextBox(Form& form, String name) : ControlOf(form, kKind, std::move(name), kEvents) {
    SetBackColor(static_cast<Long>(0x80000005));  // window background
    SetForeColor(static_cast<Long>(0x80000008));  // window text
}

void TextBox::SetText(String text) {
    SelfRef hold(this);
    edit_.SetText(std::move(text));
    Raise(ev::kChange);
}

void TextBox::SetSelText(String text) {
    SelfRef hold(this);
    edit_.ReplaceSelection(text);
    Raise(ev::kChange);
}

void TextBox::SetMaxLength(Long length) {
    CheckRange(length, 0x7FFFFFFF);
    max_length_ = length;
}

void TextBox::SetAlignment(Integer alignment) {
    CheckRange(alignment, 2);
    alignment_ = alignment;
}

void TextBox::SetBorderStyle(Integer style) {
    CheckRange(style, 1);
    border_style_ = style;
}

void TextBox::DefaultKeyDown(Integer key_code, Integer) {
    SelfRef hold(this);
    switch (key_code) {
        case keys::kDelete:
            if (!locked_ && edit_.DeleteForward()) Raise(ev::kChange);
            break;
        case keys::kLeft:
            edit_.MoveCaret(edit_.SelStart() - (edit_.SelLength() > 0 ? 0 : 1));
            break;
        case keys::kRight:
            edit_.MoveCaret(edit_.SelStart() + (edit_.SelLength() > 0 ? edit_.SelLength() : 1));
            break;
        case keys::kHome:
            edit_.MoveCaret(0);
            break;
        case keys::kEnd:
            edit_.MoveCaret(static_cast<Long>(edit_.Text().size()));
            break;
        default:
            break;
    }
}

void TextBox::DefaultKeyPress(Integer key_ascii) {
    SelfRef hold(this);
    if (locked_) return;
    if (key_ascii == keys::kBack) {
        if (edit_.Backspace()) Raise(ev::kChange);
        return;
    }
    String typed;
    if (key_ascii == keys::kReturn) {
        if (!multi_line_) return;
        typed = u"\r\n";
    } else if (key_ascii >= 0 && key_ascii < 32) {
        return;  // other control characters insert nothing
    } else {
        typed = Desk().TextOfKeyAscii(key_ascii);
    }
    size_t after = edit_.Text().size() - static_cast<size_t>(edit_.SelLength()) + typed.size();
    if (max_length_ > 0 && after > static_cast<size_t>(max_length_)) return;
    edit_.ReplaceSelection(typed);
    Raise(ev::kChange);
}

void TextBox::CopyFrom(const Control& other) {
    Control::CopyFrom(other);
    const auto& t = static_cast<const TextBox&>(other);
    edit_.SetText(t.edit_.Text());
    locked_ = t.locked_;
    multi_line_ = t.multi_line_;
    max_length_ = t.max_length_;
    alignment_ = t.alignment_;
    border_style_ = t.border_style_;
}

}  // namespace quibor15::headless
