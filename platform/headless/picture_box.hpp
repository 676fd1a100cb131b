// A picture box: a container with a scale of its own, a picture, docking to
// the top or bottom of its form (Align), and a Resize event.
#pragma once

#include "platform/headless/control.hpp"

namespace quibor15::headless {

class PictureBox final : public ControlOf<PictureBox> {
public:
    static constexpr ControlKind kKind = ControlKind::PictureBox;
    PictureBox(Form& form, String name);
    static const MemberTable<PictureBox>& Members();

    bool IsContainer() const noexcept override { return true; }
    CoordinateSpace ChildSpace() const override;
    std::pair<Single, Single> CentrePoint() const override;
    void CopyFrom(const Control& other) override;

    ObjectRef Picture() const { return picture_; }
    void SetPicture(ObjectRef picture);
    // 0 none, 1 top, 2 bottom, 3 left, 4 right; only on a form.
    Integer Align() const noexcept { return DockEdge(); }
    void SetAlign(Integer align) { SetDockEdge(align); }
    // 0 flat, 1 3D.
    Integer Appearance() const noexcept { return appearance_; }
    void SetAppearance(Integer appearance);
    // 0 none, 1 fixed single.
    Integer BorderStyle() const noexcept { return border_style_; }
    void SetBorderStyle(Integer style);
    bool AutoRedraw() const noexcept { return auto_redraw_; }
    void SetAutoRedraw(bool on) { auto_redraw_ = on; }

    // The client area (inside the border) in its own scale.
    Integer ScaleMode() const noexcept { return scale_.Mode(); }
    void SetScaleMode(Integer mode);
    Single ScaleLeft() const;
    void SetScaleLeft(Single value);
    Single ScaleTop() const;
    void SetScaleTop(Single value);
    Single ScaleWidth() const;
    void SetScaleWidth(Single value);
    Single ScaleHeight() const;
    void SetScaleHeight(Single value);
    double ClientWidthTwips() const;
    double ClientHeightTwips() const;

    // Cls clears what was drawn and sends the drawing position home.
    void Cls();
    Long ClsCount() const noexcept { return cls_count_; }
    Single CurrentX() const noexcept { return current_x_; }
    void SetCurrentX(Single x) { current_x_ = x; }
    Single CurrentY() const noexcept { return current_y_; }
    void SetCurrentY(Single y) { current_y_ = y; }

protected:
    void OnResized() override;

private:
    double BorderTwips(bool vertical) const;

    ObjectRef picture_;
    Integer appearance_ = 1;
    Integer border_style_ = 1;
    bool auto_redraw_ = false;
    ScaleSpace scale_;
    Long cls_count_ = 0;
    Single current_x_ = 0, current_y_ = 0;
};

}  // namespace quibor15::headless
