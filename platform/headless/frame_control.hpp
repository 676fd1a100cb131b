// A frame: a captioned container. Controls inside it are placed in twips
// from its top-left corner (it has no scale of its own).
#pragma once

#include "platform/headless/control.hpp"

namespace quibor15::headless {

class Frame final : public ControlOf<Frame> {
public:
    static constexpr ControlKind kKind = ControlKind::Frame;
    Frame(Form& form, String name);
    static const MemberTable<Frame>& Members();
    void CopyFrom(const Control& other) override;

    bool IsContainer() const noexcept override { return true; }

    const String& Caption() const noexcept { return caption_; }
    void SetCaption(String caption) { caption_ = std::move(caption); }
    // 0 none, 1 fixed single.
    Integer BorderStyle() const noexcept { return border_style_; }
    void SetBorderStyle(Integer style);
    Integer Appearance() const noexcept { return appearance_; }
    void SetAppearance(Integer appearance);

private:
    String caption_;
    Integer border_style_ = 1;
    Integer appearance_ = 1;
};

}  // namespace quibor15::headless
