// UTF-8 and UTF-16 conversions for script sources and output, and the
// case-insensitive keys under which names are looked up.
#pragma once

#include <string>
#include <string_view>

#include "quibor15/error.hpp"

namespace quibor15::script {

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16; returns false (and leaves out unchanged) when the bytes
// are not well-formed UTF-8.
bool FromUtf8(std::string_view bytes, String& out);

// Windows-1252 bytes to UTF-16 (the undefined bytes map to the C1 controls).
String FromWindows1252(std::string_view bytes);

// A script file's bytes as text: a UTF-8 or UTF-16 byte-order mark decides,
// otherwise well-formed UTF-8 is read as UTF-8 and anything else as
// Windows-1252 (scripts saved by older editors).
String DecodeSource(std::string_view bytes);

// Lower-case form of a name for lookups (ASCII letters only: names are
// ASCII, other characters are compared as they are).
String NameKey(std::u16string_view name);

// Case-insensitive equality of two names in the same sense as NameKey.
bool SameName(std::u16string_view a, std::u16string_view b);

}  // namespace quibor15::script
