// The text and number primitives shared by the classes that read reply
// texts, pad digits and poll the clock. Their rounding, padding and error
// rules decide the classes' results, so each has exactly one home here.
#pragma once

#include <cstdint>
#include <string_view>

#include "quibor15/convert.hpp"

namespace quibor15 {

class AnsiCodePage;

// The number at the start of a text: blanks skipped, optional sign, digits
// with at most one period; stops at the first character that cannot go on
// (a NUL ends the text). 0 when no digit was read. Never fails.
double LeadingNumber(std::u16string_view text);

// The whole text (up to its first NUL, blanks around allowed) as a number in
// the system format, or "&H" hexadecimal; error 13 otherwise.
double StrictNumber(std::u16string_view text, const NumberFormat& fmt = {});

// Largest whole number not above the argument.
double Floor(double value);

// Both operands rounded half-even to whole numbers, then divided truncating
// toward zero; error 11 for a divisor that rounds to 0, error 6 when the
// result leaves the Long range.
Long IntegerQuotient(double dividend, double divisor);

// Decimal text: Integer/Long as digits with a leading "-" for negatives;
// Double with at most 15 significant digits, no trailing zeros, the given
// decimal separator, no leading blank.
String DecimalText(int64_t value);
// Integer and Long arguments (and int literals) resolve here rather than
// being ambiguous between the 64-bit and the Double forms.
inline String DecimalText(Long value) { return DecimalText(static_cast<int64_t>(value)); }
String DecimalText(double value, const NumberFormat& fmt = {});

// Upper-case hexadecimal without prefix or leading zeros; negative values
// as the eight digits of their two's complement.
String HexText(Long value);

// Rounded half away from zero, written with at least n digits (zeros in
// front); longer numbers are written whole.
String PadDigits(double value, int n);

// First letter of every word upper case, the rest lower case; NUL, tab, LF,
// VT, FF, CR and blank separate words.
String ProperCase(std::u16string_view text);

// Code of the first character in the ANSI code page: 0-255 for single
// bytes, lead*256+trail as a signed 16-bit value for double-byte pairs.
// Error 5 for an empty text.
Integer AnsiCode(std::u16string_view text, const AnsiCodePage& code_page);

String TrimBlanks(std::u16string_view text);
String TrimTrailingBlanks(std::u16string_view text);
String TrimLeadingBlanks(std::u16string_view text);

// A folder (App.Path, which has no trailing separator except at a root) as
// the start of a path inside it: a separator is added unless it ends with
// one, in the folder's own style: a backslash for a folder written with
// backslashes only (a Windows path), the slash for any other.
String FolderPrefix(std::u16string_view folder);

// 1-based position of sought in text at or after start, or 0; error 5 for a
// start below 1. An empty sought text is found at start (when start is
// within the text + 1).
Long FindText(Long start, std::u16string_view text, std::u16string_view sought, bool ignore_case);
// The characters from position p (1-based) on; error 5 below 1, "" past the
// end.
String MidFrom(std::u16string_view text, Long p);
// Mid(text, p, n): error 5 for p < 1 or n < 0.
String Mid(std::u16string_view text, Long p, Long n);
String LeftText(std::u16string_view text, Long n);   // error 5 for n < 0
String RightText(std::u16string_view text, Long n);  // error 5 for n < 0

// Case folding of the forms runtime's text comparison (Option Compare Text):
// letters compared without regard to case.
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);
// The text's code points folded as EqualsIgnoreCase folds them: two texts
// are equal without regard to case exactly when their keys are equal.
std::u32string CaseKey(std::u16string_view text);
String LowerCase(std::u16string_view text);
String UpperCase(std::u16string_view text);

}  // namespace quibor15
