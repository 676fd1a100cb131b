#include "platform/headless/combo_box.hpp"

#include <algorithm>

#include "platform/headless/desktop.hpp"
#include "platform/headless/keys.hpp"
#include "platform/headless/list_members.hpp"
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
};

}  // namespace

const MemberTable<ComboBox>& ComboBox::Members() {
    using C = ComboBox;
    static const MemberTable<C> table{PlacementMembers<C>(),
                                      FocusMembers<C>(),
                                      ColorMembers<C>(),
                                      FontMembers<C>(),
                                      ListMembers<C>(),
                                      {
                                          Bind<C, &C::Style, &C::SetStyle>(u"Style"),
                                          Bind<C, &C::Text, &C::SetText>(u"Text", kDefault),
                                          Bind<C, &C::SelStart, &C::SetSelStart>(u"SelStart"),
                                          Bind<C, &C::SelLength, &C::SetSelLength>(u"SelLength"),
                                          Bind<C, &C::SelText, &C::SetSelText>(u"SelText"),
                                          Bind<C, &C::Locked, &C::SetLocked>(u"Locked"),
                                      }};
    return table;
}

ComboBox::ComboBox(Form& form, String name) : ControlOf(form, kKind, std::move(name), kEvents) {
    SetBackColor(static_cast<Long>(0x80000005));
    SetForeColor(static_cast<Long>(0x80000008));
}

void ComboBox::SetStyle(Integer style) {
    if (style < 0 || style > 2) Fail(err::kInvalidPropertyValue, u"Invalid property value");
    style_ = style;
    if (style_ == 2) edit_.SetText(items_.Item(items_.Selected()));
    RefreshHeight();
}

void ComboBox::RemoveItem(Long index) {
    items_.Remove(index);
    if (style_ == 2 && items_.Selected() == -1) edit_.SetText(String());
}

void ComboBox::Clear() {
    items_.Clear();
    edit_.SetText(String());
}

void ComboBox::SetListIndex(Integer index) {
    SelfRef hold(this);
    items_.Select(index);
    if (index < 0) {
        edit_.SetText(String());
        return;
    }
    edit_.SetText(items_.Item(index));
    edit_.SetSelLength(static_cast<Long>(edit_.Text().size()));
    Raise(ev::kClick);
}

void ComboBox::SetText(String text) {
    SelfRef hold(this);
    if (style_ == 2) {
        Long found = items_.FindExact(text);
        if (found < 0) Fail(err::kPropertyReadOnly, u"'Text' property is read-only");
        SetListIndex(static_cast<Integer>(found));
        return;
    }
    edit_.SetText(std::move(text));
    TextEdited();
}

void ComboBox::SetSelText(String text) {
    if (style_ == 2) Fail(err::kPropertyReadOnly, u"'SelText' property is read-only");
    SelfRef hold(this);
    edit_.ReplaceSelection(text);
    TextEdited();
}

// The list index follows the edited text silently (no Click), then Change.
void ComboBox::TextEdited() {
    items_.Select(items_.FindExact(edit_.Text()));
    Raise(ev::kChange);
}

void ComboBox::DefaultKeyDown(Integer key_code, Integer) {
    SelfRef hold(this);
    switch (key_code) {
        case keys::kUp:
            if (items_.Selected() > 0) SetListIndex(static_cast<Integer>(items_.Selected() - 1));
            break;
        case keys::kDown:
            if (items_.Selected() + 1 < items_.Count()) SetListIndex(static_cast<Integer>(items_.Selected() + 1));
            break;
        case keys::kDelete:
            if (style_ != 2 && !locked_ && edit_.DeleteForward()) TextEdited();
            break;
        case keys::kHome:
            if (style_ != 2) edit_.MoveCaret(0);
            break;
        case keys::kEnd:
            if (style_ != 2) edit_.MoveCaret(static_cast<Long>(edit_.Text().size()));
            break;
        case keys::kLeft:
            if (style_ != 2) edit_.MoveCaret(edit_.SelStart() - (edit_.SelLength() > 0 ? 0 : 1));
            break;
        case keys::kRight:
            if (style_ != 2) edit_.MoveCaret(edit_.SelStart() + std::max<Long>(edit_.SelLength(), 1));
            break;
        default:
            break;
    }
}

void ComboBox::DefaultKeyPress(Integer key_ascii) {
    SelfRef hold(this);
    if (key_ascii >= 0 && key_ascii < 32 && key_ascii != keys::kBack) return;
    if (style_ == 2) {
        if (key_ascii == keys::kBack) return;
        Long found = items_.FindPrefix(Desk().TextOfKeyAscii(key_ascii), items_.Selected());
        if (found >= 0) SetListIndex(static_cast<Integer>(found));
        return;
    }
    if (locked_) return;
    if (key_ascii == keys::kBack) {
        if (edit_.Backspace()) TextEdited();
        return;
    }
    edit_.ReplaceSelection(Desk().TextOfKeyAscii(key_ascii));
    TextEdited();
}

void ComboBox::CopyFrom(const Control& other) {
    Control::CopyFrom(other);
    const auto& c = static_cast<const ComboBox&>(other);
    style_ = c.style_;
    locked_ = c.locked_;
    RefreshHeight();
}

}  // namespace quibor15::headless
