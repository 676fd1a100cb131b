#include "platform/headless/frame_control.hpp"

#include "platform/headless/window_members.hpp"

namespace quibor15::headless {

namespace {

constexpr EventInfo kEvents[] = {
    {ev::kClick, u"Click"},         {ev::kDblClick, u"DblClick"}, {ev::kMouseDown, u"MouseDown"},
    {ev::kMouseMove, u"MouseMove"}, {ev::kMouseUp, u"MouseUp"},
};

void CheckZeroOrOne(Integer value) {
    if (value != 0 && value != 1) Fail(err::kInvalidPropertyValue, u"Invalid property value");
}

}  // namespace

const MemberTable<Frame>& Frame::Members() {
    using F = Frame;
    static const MemberTable<F> table{PlacementMembers<F>(),
                                      ColorMembers<F>(),
                                      FontMembers<F>(),
                                      {
                                          Bind<F, &Control::TabIndex, &Control::SetTabIndex>(u"TabIndex"),
                                          Bind<F, &F::Caption, &F::SetCaption>(u"Caption", kDefault),
                                          Bind<F, &F::BorderStyle, &F::SetBorderStyle>(u"BorderStyle"),
                                          Bind<F, &F::Appearance, &F::SetAppearance>(u"Appearance"),
                                      }};
    return table;
}

Frame::Frame(Form& form, String name) : ControlOf(form, kKind, std::move(name), kEvents) {}

void Frame::SetBorderStyle(Integer style) {
    CheckZeroOrOne(style);
    border_style_ = style;
}

void Frame::SetAppearance(Integer appearance) {
    CheckZeroOrOne(appearance);
    appearance_ = appearance;
}

void Frame::CopyFrom(const Control& other) {
    Control::CopyFrom(other);
    const auto& f = static_cast<const Frame&>(other);
    caption_ = f.caption_;
    border_style_ = f.border_style_;
    appearance_ = f.appearance_;
}

}  // namespace quibor15::headless
