// Reads ICU number patterns ("¤#,##0.00;(¤#,##0.00)", "#,##,##0.###") into
// the numbers Windows uses to describe the same layouts.
#pragma once

#include <string>
#include <string_view>

namespace quibor15::icu_backend {

// The Windows positive currency pattern (LOCALE_ICURRENCY): 0 "$1", 1 "1$",
// 2 "$ 1", 3 "1 $".
int PositiveCurrencyPattern(std::u16string_view icu_pattern);

// The Windows negative currency pattern (LOCALE_INEGCURR), 0 "($1)" to 15
// "(1 $)". A pattern without a negative part is negated with a leading minus,
// as ICU does.
int NegativeCurrencyPattern(std::u16string_view icu_pattern);

// The Windows negative number pattern (LOCALE_INEGNUMBER): 0 "(1)", 1 "-1",
// 2 "- 1", 3 "1-", 4 "1 -".
int NegativeNumberPattern(std::u16string_view icu_pattern);

// The Windows grouping text (LOCALE_SGROUPING): "3;0" for groups of three,
// "3;2;0" for a first group of three and then twos, "0" for no grouping.
// secondary is ICU's secondary grouping size, 0 or less when there is none.
std::u16string GroupingText(int primary, int secondary);

}  // namespace quibor15::icu_backend
