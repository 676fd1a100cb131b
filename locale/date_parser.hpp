// The pieces of the locale's date reader: the numbers of a text, the field
// order a date picture gives, and the day/month/year record built from them.
#pragma once

#include <string_view>
#include <vector>

#include "quibor15/object.hpp"

namespace quibor15::locale_services {

// The parser's working record.
struct DateParts {
    Integer day = 0;
    Integer month = 0;
    Long year = 0;
    friend bool operator==(const DateParts&, const DateParts&) = default;
};

// The runs of the digits 0 to 9 in text, in order, each as a 16-bit number
// (error 6 for a run above 32767).
std::vector<Integer> NumberList(std::u16string_view text);

// Replaces every case-insensitive occurrence of find, searching again from
// the start of the text after each replacement.
String ReplaceAll(String text, std::u16string_view find, std::u16string_view replacement);

// The field-order text of a date picture: D, M, Y for day, month and year
// numbers, lone d, m, y for one-letter fields; name fields consume nothing.
String FieldOrder(std::u16string_view picture);

// Takes the numbers in the order's sequence into day, month and year, then
// expands a two-digit year. Error 9 when the order names more fields than
// there are numbers.
DateParts FillDateParts(const std::vector<Integer>& numbers, std::u16string_view order);

// True when the parts name a real Gregorian date. Error 5 for a year the
// date type cannot hold (above 9999).
bool CheckDateParts(const DateParts& parts);

// Two-digit years: 0 to 49 give 2000 to 2049, 50 to 99 give 1950 to 1999.
Long ExpandYear(Long year);

}  // namespace quibor15::locale_services
