// Where a script went wrong: positions in the source and the compile-time
// error that stops a script before anything runs.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "quibor15/error.hpp"

namespace quibor15::script {

// 1-based line and column (in UTF-16 code units) of a place in the source.
struct SourcePos {
    int line = 0;
    int col = 0;
    friend bool operator==(SourcePos, SourcePos) = default;
};

// The source text every compile-time error reports.
inline constexpr char16_t kCompileErrorSource[] = u"quibor15 script compilation error";

// The number of the compile error a description names ("Expected ')'" is
// 1006); kGeneralSyntaxError for any other.
inline constexpr int32_t kGeneralSyntaxError = 1002;
int32_t CompileErrorNumber(std::u16string_view description) noexcept;

class SyntaxError : public std::exception {
public:
    SyntaxError(String description, SourcePos pos) : description_(std::move(description)), pos_(pos) {}

    const String& Description() const noexcept { return description_; }
    int32_t Number() const noexcept { return CompileErrorNumber(description_); }
    SourcePos Pos() const noexcept { return pos_; }
    const char* what() const noexcept override { return "script syntax error"; }

private:
    String description_;
    SourcePos pos_;
};

}  // namespace quibor15::script
