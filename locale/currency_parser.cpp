#include "locale/currency_parser.hpp"

#include <cstdint>
#include <limits>

#include "quibor15/primitives.hpp"

namespace quibor15::locale_services {
namespace {

constexpr bool IsDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }

String DigitsOf(std::u16string_view text) {
    String digits;
    for (char16_t c : text) {
        if (IsDigit(c)) digits += c;
    }
    return digits;
}

// 1-based position of the last case-insensitive occurrence of sought, or 0.
Long LastPosition(std::u16string_view text, std::u16string_view sought) {
    if (sought.empty() || sought.size() > text.size()) return 0;
    for (size_t start = text.size() - sought.size() + 1; start >= 1; --start) {
        if (EqualsIgnoreCase(text.substr(start - 1, sought.size()), sought)) return static_cast<Long>(start);
    }
    return 0;
}

// integer.fraction as ten-thousandths, exactly: the fraction is rounded at
// its fourth digit, halves to the even neighbour, as the runtime converts a
// decimal text to Currency.
Currency ScaledValue(const String& integer_digits, const String& fraction_digits) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    int64_t whole = 0;
    for (char16_t c : integer_digits) {
        const int digit = c - u'0';
        if (whole > (kMax - digit) / 10) RaiseRuntimeError(rt::kOverflow);
        whole = whole * 10 + digit;
    }
    int64_t fraction = 0;
    for (size_t k = 0; k < 4; ++k)
        fraction = fraction * 10 + (k < fraction_digits.size() ? fraction_digits[k] - u'0' : 0);
    if (fraction_digits.size() > 4) {
        // Compare the dropped digits with one half.
        const char16_t first = fraction_digits[4];
        const bool rest_nonzero = fraction_digits.find_first_not_of(u'0', 5) != String::npos;
        const bool above_half = first > u'5' || (first == u'5' && rest_nonzero);
        const bool exactly_half = first == u'5' && !rest_nonzero;
        if (above_half || (exactly_half && fraction % 2 == 1)) ++fraction;
    }
    if (whole > (kMax - fraction) / 10000) RaiseRuntimeError(rt::kOverflow);
    return Currency{whole * 10000 + fraction};
}

}  // namespace

Currency CurrencyDigitsValue(std::u16string_view text, std::u16string_view separator) {
    const Long p = LastPosition(text, separator);
    // Left$(text, p - 1) with p = 0: an invalid argument.
    if (p == 0) RaiseRuntimeError(rt::kInvalidProcedureCall);
    const std::u16string_view left = text.substr(0, static_cast<size_t>(p - 1));
    const std::u16string_view right = text.substr(static_cast<size_t>(p));
    return ScaledValue(DigitsOf(left), DigitsOf(right));
}

std::u16string_view NegativeMark(Long negative_pattern) noexcept {
    return negative_pattern == 0 || negative_pattern == 4 ? u"(" : u"-";
}

}  // namespace quibor15::locale_services
