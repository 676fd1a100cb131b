// An image: a picture without a window of its own (no font, no colours, no
// focus).
#pragma once

#include "platform/headless/control.hpp"

namespace quibor15::headless {

class Image final : public ControlOf<Image> {
public:
    static constexpr ControlKind kKind = ControlKind::Image;
    Image(Form& form, String name);
    static const MemberTable<Image>& Members();
    void CopyFrom(const Control& other) override;

    ObjectRef Picture() const { return picture_; }
    void SetPicture(ObjectRef picture) { picture_ = std::move(picture); }
    // Whether the picture is stretched to the control's size.
    bool Stretch() const noexcept { return stretch_; }
    void SetStretch(bool on) { stretch_ = on; }
    Integer BorderStyle() const noexcept { return border_style_; }
    void SetBorderStyle(Integer style);
    Integer Appearance() const noexcept { return appearance_; }
    void SetAppearance(Integer appearance);

private:
    ObjectRef picture_;
    bool stretch_ = false;
    Integer border_style_ = 0;
    Integer appearance_ = 1;
};

}  // namespace quibor15::headless
