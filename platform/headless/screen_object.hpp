// The Screen object: the screen's size in twips and its resolution.
#pragma once

#include <memory>

#include "platform/headless/desktop.hpp"
#include "platform/headless/member_table.hpp"

namespace quibor15::headless {

class ScreenObject final : public Object {
public:
    explicit ScreenObject(std::shared_ptr<ScreenMetrics> metrics) : metrics_(std::move(metrics)) {}

    String TypeName() const override { return u"Screen"; }
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;

    Single Width() const noexcept;
    Single Height() const noexcept;
    Single TwipsPerPixelX() const noexcept { return static_cast<Single>(metrics_->twips_per_pixel_x); }
    Single TwipsPerPixelY() const noexcept { return static_cast<Single>(metrics_->twips_per_pixel_y); }
    // 0 default, 1-15 the standard pointers, 99 custom.
    Integer MousePointer() const noexcept { return mouse_pointer_; }
    void SetMousePointer(Integer pointer);

private:
    std::shared_ptr<ScreenMetrics> metrics_;
    Integer mouse_pointer_ = 0;
};

}  // namespace quibor15::headless
