// Coordinate systems of forms and containers. Geometry is kept in twips;
// each container reports its children's positions in its own scale: twips,
// points, pixels, characters, inches, millimetres, centimetres, or a user
// scale defined by ScaleLeft, ScaleTop, ScaleWidth and ScaleHeight.
#pragma once

#include "quibor15/object.hpp"

namespace quibor15::headless {

// ScaleMode values.
namespace scale_mode {
inline constexpr Integer kUser = 0;
inline constexpr Integer kTwips = 1;
inline constexpr Integer kPoints = 2;
inline constexpr Integer kPixels = 3;
inline constexpr Integer kCharacters = 4;
inline constexpr Integer kInches = 5;
inline constexpr Integer kMillimetres = 6;
inline constexpr Integer kCentimetres = 7;
}  // namespace scale_mode

// A container's coordinate system at one moment: the scale and the client
// area it maps. A length of `units_*` units spans `twips_*` twips; each
// conversion multiplies before it divides, so a value that lies on a whole
// twip comes back exactly as it was set.
struct CoordinateSpace {
    Integer mode = scale_mode::kTwips;
    double origin_x = 0, origin_y = 0;  // ScaleLeft, ScaleTop
    double units_x = 1, units_y = 1;
    double twips_x = 1, twips_y = 1;
    double client_width = 0, client_height = 0;  // twips

    double ToUnitsX(double twips) const noexcept { return origin_x + WidthToUnits(twips); }
    double ToUnitsY(double twips) const noexcept { return origin_y + HeightToUnits(twips); }
    double ToTwipsX(double units) const noexcept { return WidthToTwips(units - origin_x); }
    double ToTwipsY(double units) const noexcept { return HeightToTwips(units - origin_y); }
    double WidthToUnits(double twips) const noexcept { return twips * units_x / twips_x; }
    double HeightToUnits(double twips) const noexcept { return twips * units_y / twips_y; }
    double WidthToTwips(double units) const noexcept { return units * twips_x / units_x; }
    double HeightToTwips(double units) const noexcept { return units * twips_y / units_y; }
};

// The scale a form or picture box keeps: one of the fixed modes, or a user
// scale that maps its ScaleWidth x ScaleHeight units onto the whole client
// area (they stay when the client area is resized, as the runtime does).
class ScaleSpace {
public:
    Integer Mode() const noexcept { return mode_; }
    // 0 keeps the current scale as the user scale; 1-7 a fixed mode with its
    // origin at 0, 0; anything else raises 380.
    void SetMode(Integer mode, double client_width, double client_height, double tpp_x, double tpp_y);

    CoordinateSpace Space(double client_width, double client_height, double tpp_x, double tpp_y) const;

    // Each of these switches to the user scale, keeping the other three
    // values as they read now. A ScaleWidth or ScaleHeight of 0 raises 380.
    void SetScaleLeft(double value, const CoordinateSpace& now);
    void SetScaleTop(double value, const CoordinateSpace& now);
    void SetScaleWidth(double value, const CoordinateSpace& now);
    void SetScaleHeight(double value, const CoordinateSpace& now);

    static double ScaleWidthOf(const CoordinateSpace& s) noexcept { return s.WidthToUnits(s.client_width); }
    static double ScaleHeightOf(const CoordinateSpace& s) noexcept { return s.HeightToUnits(s.client_height); }

private:
    void EnterUserScale(const CoordinateSpace& now);

    Integer mode_ = scale_mode::kTwips;
    double left_ = 0, top_ = 0, width_ = 1, height_ = 1;  // the user scale
};

// Frame and caption bar of a form with a given BorderStyle, in twips: the
// client area is the outer size less 2 x frame across and 2 x frame +
// caption down.
struct BorderAllowance {
    double frame = 0;
    double caption = 0;
};
// BorderStyle 0-5; raises 380 for other values.
BorderAllowance AllowanceOf(Integer border_style);

}  // namespace quibor15::headless
