// Builds the syntax tree of a script, checking it completely before
// anything runs: a SyntaxError names the first fault's line and column.
#pragma once

#include <memory>
#include <string_view>

#include "host/script/ast.hpp"

namespace quibor15::script {

std::unique_ptr<Program> Parse(std::u16string_view source);
// One expression and nothing after it (Eval's text).
ExprPtr ParseExpression(std::u16string_view source);

// True for the words that cannot name a variable or procedure.
bool IsReservedWord(std::u16string_view key);

}  // namespace quibor15::script
