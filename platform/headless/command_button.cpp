#include "platform/headless/command_button.hpp"

#include "platform/headless/form.hpp"
#include "platform/headless/window_members.hpp"

namespace quibor15::headless {

namespace {

constexpr EventInfo kEvents[] = {
    {ev::kClick, u"Click"},         {ev::kGotFocus, u"GotFocus"},   {ev_extra::kLostFocus, u"LostFocus"},
    {ev::kKeyDown, u"KeyDown"},     {ev::kKeyPress, u"KeyPress"},   {ev::kKeyUp, u"KeyUp"},
    {ev::kMouseDown, u"MouseDown"}, {ev::kMouseMove, u"MouseMove"}, {ev::kMouseUp, u"MouseUp"},
};

}  // namespace

const MemberTable<CommandButton>& CommandButton::Members() {
    using B = CommandButton;
    static const MemberTable<B> table{PlacementMembers<B>(),
                                      FocusMembers<B>(),
                                      FontMembers<B>(),
                                      {
                                          Bind<B, &Window::BackColor, &Window::SetBackColor>(u"BackColor"),
                                          Bind<B, &B::Caption, &B::SetCaption>(u"Caption"),
                                          Bind<B, &B::Default, &B::SetDefault>(u"Default"),
                                          Bind<B, &B::Cancel, &B::SetCancel>(u"Cancel"),
                                          Bind<B, &B::Style, &B::SetStyle>(u"Style"),
                                          Bind<B, &B::Picture, &B::SetPicture>(u"Picture", kAcceptsSet),
                                          Bind<B, &B::Value, &B::SetValue>(u"Value", kDefault),
                                      }};
    return table;
}

CommandButton::CommandButton(Form& form, String name) : ControlOf(form, kKind, std::move(name), kEvents) {}

void CommandButton::SetDefault(bool on) {
    if (on && OwningForm()) {
        for (const Ref<Control>& c : OwningForm()->AllControls()) {
            if (auto* b = dynamic_cast<CommandButton*>(c.Get())) b->default_ = false;
        }
    }
    default_ = on;
}

void CommandButton::SetCancel(bool on) {
    if (on && OwningForm()) {
        for (const Ref<Control>& c : OwningForm()->AllControls()) {
            if (auto* b = dynamic_cast<CommandButton*>(c.Get())) b->cancel_ = false;
        }
    }
    cancel_ = on;
}

void CommandButton::SetStyle(Integer style) {
    if (style != 0 && style != 1) Fail(err::kInvalidPropertyValue, u"Invalid property value");
    style_ = style;
}

void CommandButton::SetValue(bool on) {
    if (on) Press();
}

void CommandButton::Press() { Raise(ev::kClick); }

void CommandButton::CopyFrom(const Control& other) {
    Control::CopyFrom(other);
    const auto& b = static_cast<const CommandButton&>(other);
    caption_ = b.caption_;
    style_ = b.style_;
    picture_ = b.picture_;
}

}  // namespace quibor15::headless
