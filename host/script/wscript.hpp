// The objects every script starts with: WScript (output, arguments, quit,
// object creation with events) and Err (the last run-time error).
#pragma once

#include <vector>

#include "host/script/interpreter.hpp"

namespace quibor15::script {

// WScript for a script named `script_path` run with `arguments`.
ObjectRef MakeWScriptObject(Interpreter& interp, String script_path, std::vector<String> arguments);

// The Err object of an interpreter.
ObjectRef MakeErrObject(Interpreter& interp);

}  // namespace quibor15::script
