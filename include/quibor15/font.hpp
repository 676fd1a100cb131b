// The platform's standard font object: name, size in points, style flags,
// weight and character set, reached by the standard DISPIDs or by name.
#pragma once

#include "quibor15/object.hpp"

namespace quibor15 {

class StdFont : public Object {
public:
    static constexpr DispId kDispIdName = 0;
    static constexpr DispId kDispIdSize = 2;
    static constexpr DispId kDispIdBold = 3;
    static constexpr DispId kDispIdItalic = 4;
    static constexpr DispId kDispIdUnderline = 5;
    static constexpr DispId kDispIdStrikethrough = 6;
    static constexpr DispId kDispIdWeight = 7;
    static constexpr DispId kDispIdCharset = 8;

    static constexpr Integer kWeightNormal = 400;
    static constexpr Integer kWeightBold = 700;

    // A font with the platform's defaults: "MS Sans Serif", 8.25 points,
    // normal weight, character set 0.
    static Ref<StdFont> Create() { return MakeRef<StdFont>(); }

    const String& Name() const noexcept { return name_; }
    // An empty name raises 380 (invalid property value).
    void SetName(String name);
    Currency Size() const noexcept { return size_; }
    // Points; a size not above 0 raises 380.
    void SetSize(Currency size);
    // Bold follows the weight: true above the midpoint between normal and
    // bold. Setting it sets the weight to 700 or 400.
    bool Bold() const noexcept { return weight_ > (kWeightNormal + kWeightBold) / 2; }
    void SetBold(bool bold) noexcept { weight_ = bold ? kWeightBold : kWeightNormal; }
    bool Italic() const noexcept { return italic_; }
    void SetItalic(bool italic) noexcept { italic_ = italic; }
    bool Underline() const noexcept { return underline_; }
    void SetUnderline(bool underline) noexcept { underline_ = underline; }
    bool Strikethrough() const noexcept { return strikethrough_; }
    void SetStrikethrough(bool strikethrough) noexcept { strikethrough_ = strikethrough; }
    Integer Weight() const noexcept { return weight_; }
    // 0 to 1000; other values raise 380.
    void SetWeight(Integer weight);
    Integer Charset() const noexcept { return charset_; }
    // 0 to 255; other values raise 380.
    void SetCharset(Integer charset);

    String TypeName() const override { return u"Font"; }
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;

private:
    String name_ = u"MS Sans Serif";
    Currency size_{82500};  // 8.25 points
    Integer weight_ = kWeightNormal;
    Integer charset_ = 0;
    bool italic_ = false;
    bool underline_ = false;
    bool strikethrough_ = false;
};

}  // namespace quibor15
