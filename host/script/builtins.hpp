// The built-in functions (Len, Mid, CInt, UBound, ...) and constants
// (vbCrLf, vbObjectError, ...) that every script sees.
#pragma once

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
};

// By lower-case name; nullptr when there is none.
const Builtin* FindBuiltin(std::u16string_view key);
const Variant* FindBuiltinConstant(std::u16string_view key);

}  // namespace quibor15::script
