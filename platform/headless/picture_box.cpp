#include "platform/headless/picture_box.hpp"

#include <algorithm>

#include "platform/headless/desktop.hpp"
#include "platform/headless/window_members.hpp"

namespace quibor15::headless {

namespace {

constexpr EventInfo kEvents[] = {
    {ev::kClick, u"Click"},         {ev::kDblClick, u"DblClick"},
    {ev::kGotFocus, u"GotFocus"},   {ev_extra::kLostFocus, u"LostFocus"},
    {ev::kKeyDown, u"KeyDown"},     {ev::kKeyPress, u"KeyPress"},
    {ev::kKeyUp, u"KeyUp"},         {ev::kMouseDown, u"MouseDown"},
    {ev::kMouseMove, u"MouseMove"}, {ev::kMouseUp, u"MouseUp"},
    {ev::kResize, u"Resize"},       {ev::kChange, u"Change"},
};

void CheckZeroOrOne(Integer value) {
    if (value != 0 && value != 1) Fail(err::kInvalidPropertyValue, u"Invalid property value");
}

}  // namespace

const MemberTable<PictureBox>& PictureBox::Members() {
    using P = PictureBox;
    static const MemberTable<P> table{PlacementMembers<P>(),
                                      FocusMembers<P>(),
                                      ColorMembers<P>(),
                                      FontMembers<P>(),
                                      {
                                          Bind<P, &P::Picture, &P::SetPicture>(u"Picture", kDefault | kAcceptsSet),
                                          Bind<P, &P::Align, &P::SetAlign>(u"Align"),
                                          Bind<P, &P::Appearance, &P::SetAppearance>(u"Appearance"),
                                          Bind<P, &P::BorderStyle, &P::SetBorderStyle>(u"BorderStyle"),
                                          Bind<P, &P::AutoRedraw, &P::SetAutoRedraw>(u"AutoRedraw"),
                                          Bind<P, &P::ScaleMode, &P::SetScaleMode>(u"ScaleMode"),
                                          Bind<P, &P::ScaleLeft, &P::SetScaleLeft>(u"ScaleLeft"),
                                          Bind<P, &P::ScaleTop, &P::SetScaleTop>(u"ScaleTop"),
                                          Bind<P, &P::ScaleWidth, &P::SetScaleWidth>(u"ScaleWidth"),
                                          Bind<P, &P::ScaleHeight, &P::SetScaleHeight>(u"ScaleHeight"),
                                          Bind<P, &P::CurrentX, &P::SetCurrentX>(u"CurrentX"),
                                          Bind<P, &P::CurrentY, &P::SetCurrentY>(u"CurrentY"),
                                          Action<P, &P::Cls>(u"Cls"),
                                      }};
    return table;
}

PictureBox::PictureBox(Form& form, String name) : ControlOf(form, kKind, std::move(name), kEvents) {}

void PictureBox::SetPicture(ObjectRef picture) {
    picture_ = std::move(picture);
    Raise(ev::kChange);
}

void PictureBox::SetAppearance(Integer appearance) {
    CheckZeroOrOne(appearance);
    appearance_ = appearance;
}

void PictureBox::SetBorderStyle(Integer style) {
    CheckZeroOrOne(style);
    border_style_ = style;
}

// A fixed single border is two pixels deep in 3D, one pixel flat.
double PictureBox::BorderTwips(bool vertical) const {
    if (border_style_ == 0) return 0;
    double pixels = appearance_ == 1 ? 2 : 1;
    return pixels * (vertical ? Desk().TwipsPerPixelY() : Desk().TwipsPerPixelX());
}

double PictureBox::ClientWidthTwips() const { return std::max(0.0, BoundsTwips().width - 2 * BorderTwips(false)); }
double PictureBox::ClientHeightTwips() const { return std::max(0.0, BoundsTwips().height - 2 * BorderTwips(true)); }

CoordinateSpace PictureBox::ChildSpace() const {
    return scale_.Space(ClientWidthTwips(), ClientHeightTwips(), Desk().TwipsPerPixelX(), Desk().TwipsPerPixelY());
}

std::pair<Single, Single> PictureBox::CentrePoint() const {
    CoordinateSpace s = ChildSpace();
    return {static_cast<Single>(s.ToUnitsX(ClientWidthTwips() / 2)),
            static_cast<Single>(s.ToUnitsY(ClientHeightTwips() / 2))};
}

void PictureBox::SetScaleMode(Integer mode) {
    scale_.SetMode(mode, ClientWidthTwips(), ClientHeightTwips(), Desk().TwipsPerPixelX(), Desk().TwipsPerPixelY());
}

Single PictureBox::ScaleLeft() const { return static_cast<Single>(ChildSpace().origin_x); }
Single PictureBox::ScaleTop() const { return static_cast<Single>(ChildSpace().origin_y); }
Single PictureBox::ScaleWidth() const { return static_cast<Single>(ScaleSpace::ScaleWidthOf(ChildSpace())); }
Single PictureBox::ScaleHeight() const { return static_cast<Single>(ScaleSpace::ScaleHeightOf(ChildSpace())); }
void PictureBox::SetScaleLeft(Single value) { scale_.SetScaleLeft(value, ChildSpace()); }
void PictureBox::SetScaleTop(Single value) { scale_.SetScaleTop(value, ChildSpace()); }
void PictureBox::SetScaleWidth(Single value) { scale_.SetScaleWidth(value, ChildSpace()); }
void PictureBox::SetScaleHeight(Single value) { scale_.SetScaleHeight(value, ChildSpace()); }

void PictureBox::Cls() {
    ++cls_count_;
    current_x_ = 0;
    current_y_ = 0;
}

void PictureBox::OnResized() { Raise(ev::kResize); }

void PictureBox::CopyFrom(const Control& other) {
    Control::CopyFrom(other);
    const auto& p = static_cast<const PictureBox&>(other);
    picture_ = p.picture_;
    appearance_ = p.appearance_;
    border_style_ = p.border_style_;
    auto_redraw_ = p.auto_redraw_;
    scale_ = p.scale_;
}

}  // namespace quibor15::headless
