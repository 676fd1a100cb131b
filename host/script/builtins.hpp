// The built-in functions (Len, Mid, CInt, UBound, ...) and constants
// (vbCrLf, vbObjectError, ...) that every script sees.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "quibor15/object.hpp"

namespace quibor15::script {

class Interpreter;

struct Builtin {
    const char16_t* name;
    int min_args;
    int max_args;
    // Arguments may be references to the caller's variables: read them
    // through Deref.
    Variant (*call)(Interpreter& interp, std::span<Variant> args);
    // It may run script code (Eval, a modal dialog's handler, ...), which
    // may change any variable.
    bool may_run_script = false;
};

// The longest text a script may make: a longer one (by Space, String,
// Replace, Join or concatenation) is refused with "Out of string space"
// rather than attempted.
inline constexpr size_t kMaxTextLength = size_t{1} << 26;
void CheckTextLength(size_t length);

// By lower-case name; nullptr when there is none.
const Builtin* FindBuiltin(std::u16string_view key);
const Variant* FindBuiltinConstant(std::u16string_view key);

}  // namespace quibor15::script
