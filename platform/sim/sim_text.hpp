// Small text helpers of the simulated Windows: the case folding its fixture
// locale database and its list-box searches use, path normalisation for the
// module and document tables, and UTF-8 for the real file system.
#pragma once

#include <string>
#include <string_view>

#include "quibor15/error.hpp"

namespace quibor15::sim {

// Case mapping of ASCII and Latin-1 letters (and y with diaeresis, whose
// capital lies outside Latin-1); every other character maps to itself.
char16_t UpperChar(char16_t c) noexcept;
char16_t LowerChar(char16_t c) noexcept;
String UpperText(std::u16string_view text);
String LowerText(std::u16string_view text);

// Comparison without case for the list-box searches: by simple case
// folding, so the letters of every code page pair with their other case.
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) noexcept;
bool StartsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix) noexcept;

// A path as a lookup key: either separator becomes a backslash, letters are
// upper-cased, so "c:/Apps/X.dll" and "C:\apps\x.DLL" name the same file.
String PathKey(std::u16string_view path);

// UTF-16 to UTF-8 (lone surrogates become U+FFFD), for file-system paths.
std::string ToUtf8(std::u16string_view text);

}  // namespace quibor15::sim
