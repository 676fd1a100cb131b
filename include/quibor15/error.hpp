// Automation errors: what reaches a caller when a member fails. A run-time
// error of the forms runtime carries its usual number and description; the
// component's own errors carry the number, source and description its classes
// give them.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace quibor15 {

using String = std::u16string;

// The source text of run-time errors raised inside the component.
inline constexpr char16_t kComponentSource[] = u"quibor15";

// Run-time error numbers used across the component.
namespace rt {
inline constexpr int32_t kInvalidProcedureCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kDivisionByZero = 11;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kBadFileNameOrNumber = 52;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kBadFileMode = 54;
inline constexpr int32_t kFileAlreadyOpen = 55;
inline constexpr int32_t kInputPastEndOfFile = 62;
inline constexpr int32_t kPathFileAccessError = 75;
inline constexpr int32_t kPathNotFound = 76;
inline constexpr int32_t kObjectNotSet = 91;
inline constexpr int32_t kInvalidUseOfNull = 94;
inline constexpr int32_t kObjectRequired = 424;
inline constexpr int32_t kCannotCreateObject = 429;
inline constexpr int32_t kMemberNotSupported = 438;
inline constexpr int32_t kActionNotSupported = 445;
inline constexpr int32_t kNamedArgumentsNotSupported = 446;
inline constexpr int32_t kArgumentNotOptional = 449;
inline constexpr int32_t kWrongArgumentCount = 450;
inline constexpr int32_t kDllEntryPointNotFound = 453;
inline constexpr int32_t kDuplicateKey = 457;
}  // namespace rt

// The component's own error numbers (object-error base 0x80040000).
inline constexpr int32_t kObjectErrorBase = static_cast<int32_t>(0x80040000u);

class AutomationError : public std::exception {
public:
    AutomationError(int32_t number, String source, String description);

    int32_t Number() const noexcept { return number_; }
    const String& Source() const noexcept { return source_; }
    const String& Description() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int32_t number_;
    String source_;
    String description_;
    std::string what_;
};

// The usual description of a run-time error number ("Overflow" for 6,
// "Type mismatch" for 13, ...); "Application-defined or object-defined error"
// for numbers the runtime does not know.
String RuntimeErrorDescription(int32_t number);

// Raises run-time error `number` with its usual description, source
// "quibor15".
[[noreturn]] void RaiseRuntimeError(int32_t number);
[[noreturn]] void RaiseRuntimeError(int32_t number, String description);

// Raises the error of a member whose behaviour is not part of this build
// yet: number 445, source the class name, a description naming the member.
[[noreturn]] void RaiseNotAvailable(std::u16string_view class_name, std::u16string_view member_name);

}  // namespace quibor15
