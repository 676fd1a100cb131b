#include "platform/headless/render/system_colors.hpp"

#include <array>

namespace quibor15::headless::render {

namespace {

// The classic "Windows Standard" scheme, COLOR_SCROLLBAR (0) to
// COLOR_MENUBAR (30); index 25 is unused and reads black.
constexpr std::array<uint32_t, 31> kClassicScheme = {
    0xD4D0C8,  //  0 scroll bar
    0x3A6EA5,  //  1 desktop
    0x0A246A,  //  2 active caption
    0x808080,  //  3 inactive caption
    0xD4D0C8,  //  4 menu
    0xFFFFFF,  //  5 window
    0x000000,  //  6 window frame
    0x000000,  //  7 menu text
    0x000000,  //  8 window text
    0xFFFFFF,  //  9 caption text
    0xD4D0C8,  // 10 active border
    0xD4D0C8,  // 11 inactive border
    0x808080,  // 12 application workspace
    0x0A246A,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xD4D0C8,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 grey text
    0x000000,  // 18 button text
    0xD4D0C8,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x404040,  // 21 3-D dark shadow
    0xD4D0C8,  // 22 3-D light
    0x000000,  // 23 tooltip text
    0xFFFFE1,  // 24 tooltip background
    0x000000,  // 25
    0x000080,  // 26 hot-tracked item
    0xA6CAF0,  // 27 active caption gradient
    0xC0C0C0,  // 28 inactive caption gradient
    0x0A246A,  // 29 menu highlight
    0xD4D0C8,  // 30 menu bar
};

}  // namespace

uint32_t SystemColor(int index) noexcept {
    if (index < 0 || static_cast<size_t>(index) >= kClassicScheme.size()) return 0;
    return kClassicScheme[static_cast<size_t>(index)];
}

uint32_t ResolveColor(Long ole_color) noexcept {
    const auto raw = static_cast<uint32_t>(ole_color);
    if ((raw >> 24) == 0x80) return SystemColor(static_cast<int>(raw & 0xFF));
    const uint32_t red = raw & 0xFF, green = (raw >> 8) & 0xFF, blue = (raw >> 16) & 0xFF;
    return (red << 16) | (green << 8) | blue;
}

}  // namespace quibor15::headless::render
