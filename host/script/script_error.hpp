// Run-time errors of scripts: the error a statement raises, where it was
// raised, and the request to stop that WScript.Quit makes.
#pragma once

#include <cstdint>

#include "host/script/syntax_error.hpp"
#include "quibor15/error.hpp"

namespace quibor15::script {

// The source text of errors the script engine raises itself.
inline constexpr char16_t kRuntimeErrorSource[] = u"quibor15 script runtime error";

// Script run-time error numbers beyond the runtime's common ones.
namespace se {
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kArrayFixed = 10;
inline constexpr int32_t kOutOfStackSpace = 28;
inline constexpr int32_t kInternalError = 51;
inline constexpr int32_t kForLoopNotInitialized = 92;
inline constexpr int32_t kObjectNotACollection = 451;
inline constexpr int32_t kVariableUndefined = 500;
inline constexpr int32_t kIllegalAssignment = 501;
inline constexpr int32_t kClassNotDefined = 506;
}  // namespace se

// An error on its way out of a statement. It is an AutomationError, so it
// crosses the component the way any member's error does when script code
// called by the component fails; the position is the statement or
// expression where it first arose.
class ScriptError : public AutomationError {
public:
    ScriptError(int32_t number, String source, String description)
        : AutomationError(number, std::move(source), std::move(description)) {}

    // The name the error is about ("Object required: 's'" names s): part of
    // the report of an uncaught error, not of Err.Description.
    const String& Culprit() const noexcept { return culprit_; }
    void SetCulprit(String name) { culprit_ = std::move(name); }
    String Report() const { return culprit_.empty() ? Description() : Description() + u": '" + culprit_ + u"'"; }

    bool HasPos() const noexcept { return has_pos_; }
    SourcePos Pos() const noexcept { return pos_; }
    void SetPos(SourcePos pos) noexcept {
        pos_ = pos;
        has_pos_ = true;
    }

private:
    String culprit_;
    SourcePos pos_;
    bool has_pos_ = false;
};

// WScript.Quit: unwinds everything, On Error Resume Next included. Not an
// std::exception, so handlers for errors let it pass.
struct QuitRequest {
    int32_t exit_code = 0;
};

// The description the engine gives an error number ("Unknown runtime error"
// for numbers it does not know).
String ScriptErrorDescription(int32_t number);

// Raises a script run-time error with the engine's description, optionally
// naming the culprit.
[[noreturn]] void RaiseScriptError(int32_t number);
[[noreturn]] void RaiseScriptError(int32_t number, std::u16string_view name);

}  // namespace quibor15::script
