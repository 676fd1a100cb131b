// A label: a caption that the user cannot edit; it can size itself to its
// caption (AutoSize).
#pragma once

#include "platform/headless/control.hpp"

namespace quibor15::headless {

class Label final : public ControlOf<Label> {
public:
    static constexpr ControlKind kKind = ControlKind::Label;
    Label(Form& form, String name);
    static const MemberTable<Label>& Members();
    void CopyFrom(const Control& other) override;

    const String& Caption() const noexcept { return caption_; }
    // Raises Change.
    void SetCaption(String caption);
    // 0 transparent, 1 opaque.
    Integer BackStyle() const noexcept { return back_style_; }
    void SetBackStyle(Integer style);
    // 0 left, 1 right, 2 centre.
    Integer Alignment() const noexcept { return alignment_; }
    void SetAlignment(Integer alignment);
    Integer BorderStyle() const noexcept { return border_style_; }
    void SetBorderStyle(Integer style);
    bool AutoSize() const noexcept { return auto_size_; }
    void SetAutoSize(bool on);
    bool WordWrap() const noexcept { return word_wrap_; }
    void SetWordWrap(bool on);
    bool UseMnemonic() const noexcept { return use_mnemonic_; }
    void SetUseMnemonic(bool on) { use_mnemonic_ = on; }

protected:
    void OnFontChanged() override { FitToCaption(); }

private:
    // With AutoSize on: width and height follow the caption, measured with
    // a fixed text metric (each character half an em wide, lines 1.2 em
    // high; an em is the font size in points x 20 twips). With WordWrap the
    // width stays and the height grows.
    void FitToCaption();

    String caption_;
    Integer back_style_ = 1;
    Integer alignment_ = 0;
    Integer border_style_ = 0;
    bool auto_size_ = false;
    bool word_wrap_ = false;
    bool use_mnemonic_ = true;
};

}  // namespace quibor15::headless
