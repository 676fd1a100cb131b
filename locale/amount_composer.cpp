#include "locale/amount_composer.hpp"

#include <charconv>
#include <cmath>

#include "locale/locale_codes.hpp"
#include "locale/locale_text.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::locale_services {
namespace {

String FirstCharacter(const String& text) { return text.substr(0, 1); }

// The fraction text: `scaled` (already rounded) padded with leading zeros.
String PaddedDigits(double whole, Integer width) {
    String text = WholeNumberText(whole);
    if (static_cast<Integer>(text.size()) < width) text.insert(0, width - text.size(), u'0');
    return text;
}

// The sign patterns; `number` is the integer text, decimal separator and
// fraction text already joined.
String LayOut(bool negative, const AmountConventions& c, const String& s, const String& number) {
    if (negative) {
        switch (c.negative_pattern) {
            case 0:
                return u"(" + s + number + u")";
            case 2:
                return s + u"-" + number;
            case 3:
                return s + number + u"-";
            case 4:
                return u"(" + number + s + u")";
            case 5:
                return u"-" + number + s;
            case 6:
                return number + u"-" + s;
            case 7:
                return number + s + u"-";
            case 8:
                return u"-" + number + u" " + s;
            case 9:
                return u"-" + s + u" " + number;
            case 10:
                return number + u" " + s + u"-";
            case 11:
                return s + u" " + number + u"-";
            case 12:
                return s + u" -" + number;
            case 13:
                return number + u"- " + s;
            case 14:
                return u"(" + s + u" " + number + u")";
            case 15:
                return u"(" + number + u" " + s + u")";
            default:
                return u"-" + s + number;  // 1, and every unknown pattern
        }
    }
    switch (c.positive_pattern) {
        case 1:
            return number + s;
        case 2:
            return s + u" " + number;
        case 3:
            return number + u" " + s;
        default:
            return s + number;  // 0, and every unknown pattern
    }
}

}  // namespace

AmountConventions ReadAmountConventions(WindowsServices& windows, Long lcid) {
    AmountConventions c;
    c.grouping = ToInteger(LocaleTextToLong(FirstCharacter(GetLocaleString(windows, lcid, info::kSGrouping))));
    c.decimal = FirstCharacter(GetLocaleString(windows, lcid, info::kSDecimal));
    c.group = FirstCharacter(GetLocaleString(windows, lcid, info::kSThousand));
    c.negative_pattern = LocaleTextToLong(GetLocaleString(windows, lcid, info::kINegCurr));
    c.positive_pattern = LocaleTextToLong(GetLocaleString(windows, lcid, info::kICurrency));
    return c;
}

String WholeNumberText(double whole) {
    // Fixed notation with no fractional digits writes every digit of the
    // double exactly (a double of up to 309 digits).
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
    return String(buffer, result.ptr);
}

String GroupDigits(const String& digits, Integer size, const String& separator) {
    if (size <= 0 || digits.size() <= static_cast<size_t>(size)) return digits;
    String grouped;
    grouped.reserve(digits.size() + digits.size() / size * separator.size());
    const size_t group = static_cast<size_t>(size);
    for (size_t k = 0; k < digits.size(); ++k) {
        if (k > 0 && (digits.size() - k) % group == 0) grouped += separator;
        grouped += digits[k];
    }
    return grouped;
}

String ComposeAmount(double value, Integer digits, bool use_grouping, const String& symbol,
                     const AmountConventions& conventions) {
    if (!std::isfinite(value)) RaiseRuntimeError(rt::kOverflow);
    // The sign is decided on the value as given, before any rounding:
    // -0.001 with two digits is a negative zero amount.
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    double whole = std::trunc(magnitude);
    const double scale = std::pow(10.0, digits);
    if (!std::isfinite(scale)) RaiseRuntimeError(rt::kOverflow);
    const double scaled_fraction = (magnitude - whole) * scale;
    if (digits < 0) RaiseRuntimeError(rt::kInvalidProcedureCall);

    String fraction;
    String decimal = conventions.decimal;
    if (digits == 0) {
        // No fractional digits: the amount is rounded to a whole number
        // (halves away from zero) and written without a decimal separator;
        // a zero amount is written as 0 so the number never vanishes.
        if (std::round(scaled_fraction) >= 1.0) whole += 1.0;
        decimal.clear();
    } else {
        double rounded = std::round(scaled_fraction);  // halves away from zero
        if (rounded >= scale) {
            // 1.996 with two digits: the fraction rounds up to a whole unit,
            // which belongs to the integer part (2.00, not 1.100).
            rounded -= scale;
            whole += 1.0;
        }
        fraction = PaddedDigits(rounded, digits);
    }

    String integer = whole == 0.0 ? String() : WholeNumberText(whole);
    if (digits == 0 && integer.empty()) integer.push_back(u'0');
    if (use_grouping) integer = GroupDigits(integer, conventions.grouping, conventions.group);
    return TrimBlanks(LayOut(negative, conventions, symbol, integer + decimal + fraction));
}

}  // namespace quibor15::locale_services
