// Colours as the screen shows them: an OLE colour (0x00BBGGRR, or
// 0x800000nn for system colour nn) resolved to 0xRRGGBB, system colours in
// the classic Windows scheme.
#pragma once

#include <cstdint>

#include "quibor15/object.hpp"

namespace quibor15::headless::render {

// System colour indexes (GetSysColor).
namespace sys_color {
inline constexpr int kActiveCaption = 2;
inline constexpr int kInactiveCaption = 3;
inline constexpr int kWindow = 5;
inline constexpr int kWindowFrame = 6;
inline constexpr int kWindowText = 8;
inline constexpr int kCaptionText = 9;
inline constexpr int kActiveBorder = 10;
inline constexpr int kInactiveBorder = 11;
inline constexpr int kHighlight = 13;
inline constexpr int kHighlightText = 14;
inline constexpr int kButtonFace = 15;
inline constexpr int kButtonShadow = 16;
inline constexpr int kGrayText = 17;
inline constexpr int kButtonText = 18;
inline constexpr int kInactiveCaptionText = 19;
inline constexpr int kButtonHighlight = 20;
inline constexpr int kDarkShadow = 21;
inline constexpr int kLight = 22;
inline constexpr int kGradientActiveCaption = 27;
inline constexpr int kGradientInactiveCaption = 28;
}  // namespace sys_color

// 0xRRGGBB of a system colour; an index outside the scheme reads black.
uint32_t SystemColor(int index) noexcept;

// 0xRRGGBB of an OLE colour. The top byte selects: 0x80 a system colour
// (its low byte the index), anything else takes the low three bytes as
// blue, green, red.
uint32_t ResolveColor(Long ole_color) noexcept;

}  // namespace quibor15::headless::render
