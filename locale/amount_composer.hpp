// Composing a number or an amount of money from a locale's separators,
// grouping size and currency sign patterns, without the platform's number
// formatter.
#pragma once

#include "quibor15/object.hpp"
#include "quibor15/windows_services.hpp"

namespace quibor15::locale_services {

// The locale values an amount is laid out with, read afresh on every call.
struct AmountConventions {
    Integer grouping = 0;       // first digit of LOCALE_SGROUPING
    String decimal;             // first character of LOCALE_SDECIMAL (or empty)
    String group;               // first character of LOCALE_STHOUSAND (or empty)
    Long negative_pattern = 0;  // LOCALE_INEGCURR
    Long positive_pattern = 0;  // LOCALE_ICURRENCY
};

// Reads the conventions of a locale. A value that should be a number but is
// not (a failed platform call gives the empty text) raises error 13.
AmountConventions ReadAmountConventions(WindowsServices& windows, Long lcid);

// Lays out value with `digits` fractional digits by the currency patterns
// of `conventions`, `symbol` in the symbol slot. Error 5 for a negative digit
// count, error 6 when 10^digits or the value is not a finite number.
String ComposeAmount(double value, Integer digits, bool use_grouping, const String& symbol,
                     const AmountConventions& conventions);

// The digits of a whole non-negative number, exactly (no exponent, no
// separators).
String WholeNumberText(double whole);

// Puts separator in front of every complete group of `size` digits counted
// from the right, never in front of the first digit.
String GroupDigits(const String& digits, Integer size, const String& separator);

}  // namespace quibor15::locale_services
