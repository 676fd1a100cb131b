// Reading the platform's locale database the one way every locale property
// does: a text for an identifier and an information code, through a buffer of
// 255 characters, cut at the first NUL.
#pragma once

#include <cstdint>
#include <string_view>

#include "quibor15/object.hpp"
#include "quibor15/windows_services.hpp"

namespace quibor15::locale_services {

// The text up to (not including) its first NUL character.
String CutAtNul(std::u16string_view text);

// GetLocaleInfoA into a 255-character buffer; the empty text when the call
// fails.
String GetLocaleString(WindowsServices& windows, Long lcid, uint32_t code);

// The integer value of a locale text, as the runtime converts a text to a
// number: error 13 when the text is not a number (only when the platform
// call failed and gave the empty text), error 6 outside the Long range.
Long LocaleTextToLong(std::u16string_view text);

}  // namespace quibor15::locale_services
