// Key codes (KeyDown / KeyUp) and key characters (KeyPress) the headless
// runtime gives a meaning to.
#pragma once

#include "quibor15/object.hpp"

namespace quibor15::headless::keys {

inline constexpr Integer kBack = 8;
inline constexpr Integer kTab = 9;
inline constexpr Integer kReturn = 13;
inline constexpr Integer kEscape = 27;
inline constexpr Integer kSpace = 32;
inline constexpr Integer kPageUp = 33;
inline constexpr Integer kPageDown = 34;
inline constexpr Integer kEnd = 35;
inline constexpr Integer kHome = 36;
inline constexpr Integer kLeft = 37;
inline constexpr Integer kUp = 38;
inline constexpr Integer kRight = 39;
inline constexpr Integer kDown = 40;
inline constexpr Integer kDelete = 46;

// Shift argument bits.
inline constexpr Integer kShiftMask = 1;
inline constexpr Integer kCtrlMask = 2;
inline constexpr Integer kAltMask = 4;

// Mouse buttons.
inline constexpr Integer kLeftButton = 1;
inline constexpr Integer kRightButton = 2;
inline constexpr Integer kMiddleButton = 4;

}  // namespace quibor15::headless::keys
