// Reading an amount of money back from text written in a locale's
// conventions, without the platform's parser.
#pragma once

#include <string_view>

#include "quibor15/object.hpp"

namespace quibor15::locale_services {

// The digits on each side of the last (case-insensitive) occurrence of
// `separator`, read as integer digits and fraction digits; every other
// character is dropped. Error 5 when the separator is not in the text, error
// 6 when the value leaves the Currency range.
Currency CurrencyDigitsValue(std::u16string_view text, std::u16string_view separator);

// The text that marks a negative amount for a negative currency pattern:
// "(" for the parenthesised patterns 0 and 4, "-" for every other.
std::u16string_view NegativeMark(Long negative_pattern) noexcept;

}  // namespace quibor15::locale_services
