// The forms runtime's Variant arithmetic that the MP3 player relies on when
// it turns a caller's seconds into milliseconds: a value of any numeric
// subtype times the Integer 1000, widened rather than overflowing where the
// runtime widens, and its text as the & operator writes it.
#pragma once

#include "quibor15/convert.hpp"
#include "quibor15/object.hpp"

namespace quibor15::media {

// value * 1000 with the runtime's result subtypes: Empty, Boolean, Byte and
// Integer give an Integer, widened to Long when the product leaves the
// Integer range; a Long gives a Long, widened to Double; Single stays Single
// (Double when it no longer fits); Double, Date and text read as a number in
// `fmt` give a Double; Currency stays Currency (error 6 outside its range);
// Null gives Null; an object gives its default member's value times 1000.
// Error 13 for text that is no number, arrays and error values; error 6 for
// an infinite Double product.
Variant TimesThousand(const Variant& value, const NumberFormat& fmt);

// The text of a value as `"..." & value` writes it: Null and Empty as "",
// numbers as DecimalText with fmt's decimal separator.
String ConcatenationText(const Variant& value, const NumberFormat& fmt);

}  // namespace quibor15::media
