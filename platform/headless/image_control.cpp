#include "platform/headless/image_control.hpp"

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

const MemberTable<Image>& Image::Members() {
    using I = Image;
    static const MemberTable<I> table{PlacementMembers<I>(),
                                      {
                                          Bind<I, &I::Picture, &I::SetPicture>(u"Picture", kDefault | kAcceptsSet),
                                          Bind<I, &I::Stretch, &I::SetStretch>(u"Stretch"),
                                          Bind<I, &I::BorderStyle, &I::SetBorderStyle>(u"BorderStyle"),
                                          Bind<I, &I::Appearance, &I::SetAppearance>(u"Appearance"),
                                      }};
    return table;
}

Image::Image(Form& form, String name) : ControlOf(form, kKind, std::move(name), kEvents) {}

void Image::SetBorderStyle(Integer style) {
    CheckZeroOrOne(style);
    border_style_ = style;
}

void Image::SetAppearance(Integer appearance) {
    CheckZeroOrOne(appearance);
    appearance_ = appearance;
}

void Image::CopyFrom(const Control& other) {
    Control::CopyFrom(other);
    const auto& i = static_cast<const Image&>(other);
    picture_ = i.picture_;
    stretch_ = i.stretch_;
    border_style_ = i.border_style_;
    appearance_ = i.appearance_;
}

}  // namespace quibor15::headless
