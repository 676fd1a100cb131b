#include "platform/headless/screen_object.hpp"

namespace quibor15::headless {

namespace {

const MemberTable<ScreenObject>& Members() {
    using S = ScreenObject;
    static const MemberTable<S> table{{
        Get<S, &S::Width>(u"Width"),
        Get<S, &S::Height>(u"Height"),
        Get<S, &S::TwipsPerPixelX>(u"TwipsPerPixelX"),
        Get<S, &S::TwipsPerPixelY>(u"TwipsPerPixelY"),
        Bind<S, &S::MousePointer, &S::SetMousePointer>(u"MousePointer"),
    }};
    return table;
}

}  // namespace

Single ScreenObject::Width() const noexcept {
    return static_cast<Single>(metrics_->width_pixels * metrics_->twips_per_pixel_x);
}

Single ScreenObject::Height() const noexcept {
    return static_cast<Single>(metrics_->height_pixels * metrics_->twips_per_pixel_y);
}

void ScreenObject::SetMousePointer(Integer pointer) {
    if ((pointer < 0 || pointer > 15) && pointer != 99) Fail(err::kInvalidPropertyValue, u"Invalid property value");
    mouse_pointer_ = pointer;
}

DispId ScreenObject::GetIdOfName(std::u16string_view name) { return Members().IdOf(name); }

Variant ScreenObject::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    return Members().Invoke(*this, id, flags, args);
}

}  // namespace quibor15::headless
