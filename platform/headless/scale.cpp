#include "platform/headless/scale.hpp"

#include "platform/headless/names.hpp"

namespace quibor15::headless {

namespace {

// How many twips a number of units of a fixed mode spans (pixels come
// from the screen).
struct UnitRatio {
    double units = 1, twips = 1;
};
UnitRatio RatioOf(Integer mode, bool vertical, double tpp) {
    switch (mode) {
        case scale_mode::kPoints:
            return {1, 20};
        case scale_mode::kPixels:
            return {1, tpp};
        case scale_mode::kCharacters:
            return {1, vertical ? 240.0 : 120.0};
        case scale_mode::kInches:
            return {1, 1440};
        case scale_mode::kMillimetres:
            return {25.4, 1440};
        case scale_mode::kCentimetres:
            return {2.54, 1440};
        default:
            return {1, 1};
    }
}

void CheckNotZero(double value) {
    if (value == 0.0) Fail(err::kInvalidPropertyValue, u"Invalid property value");
}

}  // namespace

void ScaleSpace::SetMode(Integer mode, double client_width, double client_height, double tpp_x, double tpp_y) {
    if (mode < scale_mode::kUser || mode > scale_mode::kCentimetres) {
        Fail(err::kInvalidPropertyValue, u"Invalid property value");
    }
    if (mode == scale_mode::kUser) {
        if (mode_ != scale_mode::kUser) EnterUserScale(Space(client_width, client_height, tpp_x, tpp_y));
        return;
    }
    mode_ = mode;
}

CoordinateSpace ScaleSpace::Space(double client_width, double client_height, double tpp_x, double tpp_y) const {
    CoordinateSpace s;
    s.mode = mode_;
    s.client_width = client_width;
    s.client_height = client_height;
    if (mode_ == scale_mode::kUser) {
        s.origin_x = left_;
        s.origin_y = top_;
        // An empty client area maps nothing; keep the conversion invertible.
        bool wide = client_width > 0, tall = client_height > 0;
        if (wide) {
            s.units_x = width_;
            s.twips_x = client_width;
        }
        if (tall) {
            s.units_y = height_;
            s.twips_y = client_height;
        }
    } else {
        const UnitRatio x = RatioOf(mode_, false, tpp_x), y = RatioOf(mode_, true, tpp_y);
        s.units_x = x.units;
        s.twips_x = x.twips;
        s.units_y = y.units;
        s.twips_y = y.twips;
    }
    return s;
}

void ScaleSpace::EnterUserScale(const CoordinateSpace& now) {
    if (mode_ == scale_mode::kUser) return;
    left_ = now.origin_x;
    top_ = now.origin_y;
    width_ = ScaleWidthOf(now);
    height_ = ScaleHeightOf(now);
    // A client area of no size still needs a usable scale.
    if (width_ == 0.0) width_ = 1.0;
    if (height_ == 0.0) height_ = 1.0;
    mode_ = scale_mode::kUser;
}

void ScaleSpace::SetScaleLeft(double value, const CoordinateSpace& now) {
    EnterUserScale(now);
    left_ = value;
}

void ScaleSpace::SetScaleTop(double value, const CoordinateSpace& now) {
    EnterUserScale(now);
    top_ = value;
}

void ScaleSpace::SetScaleWidth(double value, const CoordinateSpace& now) {
    CheckNotZero(value);
    EnterUserScale(now);
    width_ = value;
}

void ScaleSpace::SetScaleHeight(double value, const CoordinateSpace& now) {
    CheckNotZero(value);
    EnterUserScale(now);
    height_ = value;
}

BorderAllowance AllowanceOf(Integer border_style) {
    // Classic window metrics at 15 twips per pixel: a 3-pixel fixed frame, a
    // 4-pixel sizing frame, a 23-pixel caption bar, a 17-pixel tool caption.
    switch (border_style) {
        case 0:
            return {0, 0};  // none
        case 1:
            return {45, 345};  // fixed single
        case 2:
            return {60, 345};  // sizable
        case 3:
            return {45, 345};  // fixed dialog
        case 4:
            return {45, 255};  // fixed tool window
        case 5:
            return {60, 255};  // sizable tool window
        default:
            Fail(err::kInvalidPropertyValue, u"Invalid property value");
    }
}

}  // namespace quibor15::headless
