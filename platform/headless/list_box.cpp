#include "platform/headless/list_box.hpp"

#include "platform/headless/desktop.hpp"
#include "platform/headless/keys.hpp"
#include "platform/headless/list_members.hpp"
#include "platform/headless/window_members.hpp"

namespace quibor15::headless {

namespace {

constexpr EventInfo kEvents[] = {
    {ev::kClick, u"Click"},         {ev::kDblClick, u"DblClick"},
    {ev::kGotFocus, u"GotFocus"},   {ev_extra::kLostFocus, u"LostFocus"},
    {ev::kKeyDown, u"KeyDown"},     {ev::kKeyPress, u"KeyPress"},
    {ev::kKeyUp, u"KeyUp"},         {ev::kMouseDown, u"MouseDown"},
    {ev::kMouseMove, u"MouseMove"}, {ev::kMouseUp, u"MouseUp"},
};

}  // namespace

const MemberTable<ListBox>& ListBox::Members() {
    using L = ListBox;
    static const MemberTable<L> table{PlacementMembers<L>(),
                                      FocusMembers<L>(),
                                      ColorMembers<L>(),
                                      FontMembers<L>(),
                                      ListMembers<L>(),
                                      {
                                          Bind<L, &L::Text, &L::SetText>(u"Text", kDefault),
                                      }};
    return table;
}

ListBox::ListBox(Form& form, String name) : ControlOf(form, kKind, std::move(name), kEvents) {
    SetBackColor(static_cast<Long>(0x80000005));
    SetForeColor(static_cast<Long>(0x80000008));
}

void ListBox::SetListIndex(Integer index) {
    SelfRef hold(this);
    items_.Select(index);
    if (index >= 0) Raise(ev::kClick);
}

void ListBox::SetText(String text) { SetListIndex(static_cast<Integer>(items_.FindExact(text))); }

void ListBox::DefaultKeyDown(Integer key_code, Integer) {
    if (key_code == keys::kUp && items_.Selected() > 0) {
        SetListIndex(static_cast<Integer>(items_.Selected() - 1));
    } else if (key_code == keys::kDown && items_.Selected() + 1 < items_.Count()) {
        SetListIndex(static_cast<Integer>(items_.Selected() + 1));
    }
}

void ListBox::DefaultKeyPress(Integer key_ascii) {
    if (key_ascii >= 0 && key_ascii < 32) return;
    Long found = items_.FindPrefix(Desk().TextOfKeyAscii(key_ascii), items_.Selected());
    if (found >= 0) SetListIndex(static_cast<Integer>(found));
}

void ListBox::CopyFrom(const Control& other) { Control::CopyFrom(other); }

}  // namespace quibor15::headless
