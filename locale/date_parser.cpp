#include "locale/date_parser.hpp"

#include <array>
#include <utility>

#include "quibor15/convert.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::locale_services {
namespace {

constexpr bool IsDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }

constexpr char16_t AsciiLower(char16_t c) noexcept { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }

// The value of a run of digits, as an Integer; leading zeros are allowed.
Integer DigitRunValue(std::u16string_view run) {
    Long value = 0;
    for (char16_t c : run) {
        value = value * 10 + (c - u'0');
        if (value > 32767) RaiseRuntimeError(rt::kOverflow);
    }
    return static_cast<Integer>(value);
}

}  // namespace

std::vector<Integer> NumberList(std::u16string_view text) {
    std::vector<Integer> numbers;
    size_t start = 0;
    bool in_run = false;
    for (size_t k = 0; k <= text.size(); ++k) {
        const bool digit = k < text.size() && IsDigit(text[k]);
        if (digit && !in_run) {
            start = k;
            in_run = true;
        } else if (!digit && in_run) {
            numbers.push_back(DigitRunValue(text.substr(start, k - start)));
            in_run = false;
        }
    }
    return numbers;
}

String ReplaceAll(String text, std::u16string_view find, std::u16string_view replacement) {
    if (find.empty()) return text;  // nothing to find; an empty find would never stop
    for (;;) {
        const Long p = FindText(1, text, find, true);
        if (p == 0) return text;
        text.replace(static_cast<size_t>(p - 1), find.size(), replacement);
    }
}

String FieldOrder(std::u16string_view picture) {
    String fields;
    bool quoted = false;
    for (char16_t c : picture) {
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        const char16_t lower = AsciiLower(c);
        if (lower == u'd' || lower == u'm' || lower == u'y') fields += lower;
    }
    // In this order; every replacement is shorter than its find text, so
    // none of them can loop.
    static constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 9> kPairs = {{
        {u"dddd", u""},
        {u"ddd", u""},
        {u"dd", u"D"},
        {u"mmmm", u""},
        {u"mmm", u""},
        {u"mm", u"M"},
        {u"yyy", u"Y"},
        {u"yyyy", u"Y"},
        {u"yy", u"Y"},
    }};
    for (const auto& [find, replacement] : kPairs) fields = ReplaceAll(std::move(fields), find, replacement);
    return fields;
}

DateParts FillDateParts(const std::vector<Integer>& numbers, std::u16string_view order) {
    DateParts parts;
    size_t k = 0;
    const auto next = [&]() -> Integer {
        if (k >= numbers.size()) RaiseRuntimeError(rt::kSubscriptOutOfRange);
        return numbers[k++];
    };
    for (char16_t c : order) {
        switch (AsciiLower(c)) {
            case u'd':
                parts.day = next();
                break;
            case u'm':
                parts.month = next();
                break;
            case u'y':
                parts.year = next();
                break;
            default:
                break;
        }
    }
    parts.year = ExpandYear(parts.year);
    return parts;
}

Long ExpandYear(Long year) {
    if (year >= 100) return year;
    return year >= 50 ? year + 1900 : year + 2000;
}

bool CheckDateParts(const DateParts& parts) {
    const Long year = ExpandYear(parts.year);
    // The date type stops at 9999; asking it for the length of a month
    // beyond that is an invalid date argument.
    if (year > 9999) RaiseRuntimeError(rt::kInvalidProcedureCall);
    if (parts.day < 1 || parts.day > 31) return false;
    if (parts.month < 1 || parts.month > 12) return false;
    return parts.day <= DaysInMonth(year, parts.month);
}

}  // namespace quibor15::locale_services
