// Names of controls and members as the forms runtime compares them: without
// regard to case.
#pragma once

#include <string_view>

#include "quibor15/error.hpp"

namespace quibor15::headless {

// Equal when the texts differ at most in the case of letters (ASCII and the
// Latin-1 letters; other characters must match exactly).
bool NamesEqual(std::u16string_view a, std::u16string_view b) noexcept;

// A control name: a letter first, then letters, digits or underscores, at
// most 40 characters.
bool IsValidControlName(std::u16string_view name) noexcept;

// Raises error `number` with the given description (source "quibor15").
[[noreturn]] void Fail(int32_t number, String description);

// Error numbers of the forms runtime used by the headless runtime beyond
// those every subsystem shares.
namespace err {
inline constexpr int32_t kDeviceIoError = 57;
inline constexpr int32_t kTooManyFiles = 67;
inline constexpr int32_t kObjectAlreadyLoaded = 360;
inline constexpr int32_t kCannotUnloadDesignElement = 362;
inline constexpr int32_t kInvalidPropertyValue = 380;
inline constexpr int32_t kInvalidPropertyArrayIndex = 381;
inline constexpr int32_t kPropertyReadOnly = 383;
inline constexpr int32_t kCannotMoveMinimized = 384;
inline constexpr int32_t kPropertyWriteOnly = 394;
inline constexpr int32_t kFormAlreadyDisplayed = 400;
inline constexpr int32_t kControlArrayElementMissing = 340;
inline constexpr int32_t kObjectNotAnArray = 343;
inline constexpr int32_t kInvalidClassString = 711;
inline constexpr int32_t kDuplicateControlName = 727;
inline constexpr int32_t kControlNotFound = 730;
}  // namespace err

}  // namespace quibor15::headless
