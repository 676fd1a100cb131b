// Path pieces for the playlist helpers. Positions and lengths are 16-bit
// values there, so texts beyond 32767 characters raise the overflow error.
#pragma once

#include <string_view>

#include "quibor15/object.hpp"

namespace quibor15::media {

// The text after the last backslash: the whole text without one, "" when
// it ends with one. Error 6 when that backslash lies after position 32767.
String TextAfterLastBackslash(std::u16string_view text);

// The text before the last occurrence of `ch` (exact comparison), "" when
// there is none. Error 6 for a text longer than 32767 characters.
String TextBeforeLastChar(std::u16string_view text, char16_t ch);

// A file name without its extension: the text before its last ".", or the
// whole name when it has no ".". Error 6 for a name longer than 32767
// characters, with or without a ".".
String NameWithoutExtension(std::u16string_view name);

}  // namespace quibor15::media
