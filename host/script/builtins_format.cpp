// FormatNumber, FormatCurrency and FormatPercent: a number rounded half away
// from zero to a count of decimals, grouped and signed as the system locale
// says unless the arguments say otherwise (-2, vbUseDefault, or left out:
// the locale's setting; -1 True; 0 False).
#include <cmath>
#include <cstdio>

#include "host/script/builtins_impl.hpp"

namespace quibor15::script::builtins {
namespace {

constexpr uint32_t kSDecimal = 0x0E;
constexpr uint32_t kSThousand = 0x0F;
constexpr uint32_t kSGrouping = 0x10;
constexpr uint32_t kIDigits = 0x11;
constexpr uint32_t kILZero = 0x12;
constexpr uint32_t kSCurrency = 0x14;
constexpr uint32_t kSMonDecimalSep = 0x16;
constexpr uint32_t kSMonThousandSep = 0x17;
constexpr uint32_t kSMonGrouping = 0x18;
constexpr uint32_t kICurrDigits = 0x19;
constexpr uint32_t kICurrency = 0x1B;
constexpr uint32_t kINegCurr = 0x1C;
constexpr uint32_t kINegNumber = 0x1010;

// A locale setting, or the US English one when the locale has none.
String Setting(Interpreter& in, uint32_t lctype, const char16_t* fallback) {
    const std::optional<String> s = in.Host().LocaleInfo(lctype);
    return s ? *s : String(fallback);
}
int NumericSetting(Interpreter& in, uint32_t lctype, int fallback) {
    const String s = Setting(in, lctype, u"");
    if (s.empty()) return fallback;
    int n = 0;
    for (char16_t c : s) {
        if (c < u'0' || c > u'9') return fallback;
        n = n * 10 + (c - u'0');
    }
    return n;
}

// The decimal digits of |value| rounded to `decimals` places: whole part
// and fraction. Works on the shortest decimal form of the double (15
// significant digits), so 2.345 rounds to 2.35 as it reads.
void RoundedDigits(double value, int decimals, std::string& whole, std::string& fraction) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') digits += *p;
    }
    const int exponent = std::atoi(p + 1);
    // digits[0] has the place 10^exponent; keep the ones down to 10^-decimals.
    int keep = exponent + 1 + decimals;
    if (keep < 0) {
        // Too small to reach the last place kept: zero.
        whole.clear();
        fraction.assign(static_cast<size_t>(std::max(decimals, 0)), '0');
        return;
    }
    std::string kept = digits.substr(0, std::min<size_t>(digits.size(), static_cast<size_t>(keep)));
    while (static_cast<int>(kept.size()) < keep) kept += '0';
    const bool round_up = static_cast<size_t>(keep) < digits.size() && digits[static_cast<size_t>(keep)] >= '5';
    int point = exponent + 1;  // digits before the decimal point
    if (round_up) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<size_t>(i)] == '9') kept[static_cast<size_t>(i--)] = '0';
        if (i >= 0) {
            ++kept[static_cast<size_t>(i)];
        } else {
            kept = '1' + kept;
            ++point;
        }
    }
    // Place the point: pad with zeros in front when it lies before the digits.
    if (point <= 0) {
        kept = std::string(static_cast<size_t>(-point), '0') + kept;
        point = 0;
    }
    whole = kept.substr(0, static_cast<size_t>(point));
    fraction = kept.substr(static_cast<size_t>(point));
    while (static_cast<int>(fraction.size()) < decimals) fraction += '0';
    fraction.resize(static_cast<size_t>(std::max(decimals, 0)));
    const size_t nonzero = whole.find_first_not_of('0');
    whole = nonzero == std::string::npos ? std::string() : whole.substr(nonzero);
}

// Groups the whole digits as "3;0" (threes), "3;2;0" (three, then twos) or
// "3" (one group only) say.
String Grouped(const std::string& whole, const String& grouping, const String& separator) {
    std::vector<int> sizes;
    bool repeat = false;
    int n = 0;
    for (size_t i = 0; i <= grouping.size(); ++i) {
        if (i == grouping.size() || grouping[i] == u';') {
            if (n == 0 && !sizes.empty())
                repeat = true;
            else if (n > 0)
                sizes.push_back(n);
            n = 0;
        } else if (grouping[i] >= u'0' && grouping[i] <= u'9') {
            n = n * 10 + (grouping[i] - u'0');
        }
    }
    String out;
    size_t end = whole.size();
    size_t g = 0;
    while (end > 0) {
        const bool more_groups = g < sizes.size() || (repeat && !sizes.empty());
        if (!more_groups) {
            out.insert(0, String(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(end)));
            break;
        }
        const size_t size = static_cast<size_t>(g < sizes.size() ? sizes[g] : sizes.back());
        const size_t start = end > size ? end - size : 0;
        out.insert(0,
                   String(whole.begin() + static_cast<ptrdiff_t>(start), whole.begin() + static_cast<ptrdiff_t>(end)));
        if (start > 0) out.insert(0, separator);
        end = start;
        ++g;
    }
    return out;
}

struct Style {
    int decimals;
    bool leading_zero;
    bool group;
    String decimal;
    String thousand;
    String grouping;
};

// |value| written in a style: "1,234.50", ".5", "0.5".
String Digits(double value, const Style& s, bool& is_zero) {
    std::string whole, fraction;
    RoundedDigits(value, s.decimals, whole, fraction);
    is_zero = whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
    String out;
    if (whole.empty()) {
        if (s.leading_zero || fraction.empty()) out = u"0";
    } else {
        out = s.group ? Grouped(whole, s.grouping, s.thousand) : String(whole.begin(), whole.end());
    }
    if (!fraction.empty()) out += s.decimal + String(fraction.begin(), fraction.end());
    return out;
}

// -1 True, 0 False, -2 (or left out) the default.
int Tristate(Interpreter& in, Args a, size_t i) {
    if (!Given(a, i)) return -2;
    const Long v = LongArg(in, a, i);
    if (v != -1 && v != 0 && v != -2) InvalidCall();
    return v;
}

struct Request {
    double value = 0;
    Style style;
    int parens = -2;
};

// Reads (value, decimals, leading zero, parens, group) with the locale's
// number or currency settings as the defaults; false for Null.
bool ReadRequest(Interpreter& in, Args a, bool currency, Request& r) {
    if (Arg(a, 0).IsNull()) return false;
    r.value = DoubleArg(in, a, 0);
    const Long decimals = LongOr(in, a, 1, -1);
    if (decimals < -1 || decimals > 255) InvalidCall();
    const int leading = Tristate(in, a, 2);
    r.parens = Tristate(in, a, 3);
    const int group = Tristate(in, a, 4);
    Style& s = r.style;
    s.decimals = decimals >= 0 ? decimals : NumericSetting(in, currency ? kICurrDigits : kIDigits, 2);
    s.leading_zero = leading == -2 ? NumericSetting(in, kILZero, 1) != 0 : leading != 0;
    s.decimal = Setting(in, currency ? kSMonDecimalSep : kSDecimal, u".");
    s.thousand = Setting(in, currency ? kSMonThousandSep : kSThousand, u",");
    s.grouping = Setting(in, currency ? kSMonGrouping : kSGrouping, u"3;0");
    s.group = group != 0;
    return true;
}

// A negative number in the locale's INEGNUMBER pattern, or in brackets.
String SignedNumber(Interpreter& in, const Request& r, const String& digits) {
    if (r.parens == -1) return u"(" + digits + u")";
    switch (NumericSetting(in, kINegNumber, 1)) {
        case 0:
            return r.parens == 0 ? u"-" + digits : u"(" + digits + u")";
        case 2:
            return u"- " + digits;
        case 3:
            return digits + u"-";
        case 4:
            return digits + u" -";
        default:
            return u"-" + digits;
    }
}

Variant FormatNumberFn(Interpreter& in, Args a) {
    Request r;
    if (!ReadRequest(in, a, false, r)) return Variant::Null();
    bool zero = false;
    const String digits = Digits(r.value, r.style, zero);
    return Variant(r.value < 0 && !zero ? SignedNumber(in, r, digits) : digits);
}

Variant FormatPercentFn(Interpreter& in, Args a) {
    Request r;
    if (!ReadRequest(in, a, false, r)) return Variant::Null();
    bool zero = false;
    const String digits = Digits(r.value * 100, r.style, zero) + u"%";
    return Variant(r.value < 0 && !zero ? SignedNumber(in, r, digits) : digits);
}

// The ICURRENCY and INEGCURR patterns, with $ for the symbol and 1 for the
// digits.
constexpr const char16_t* kPositiveCurrency[] = {u"$1", u"1$", u"$ 1", u"1 $"};
constexpr const char16_t* kNegativeCurrency[] = {u"($1)", u"-$1",  u"$-1",   u"$1-",  u"(1$)", u"-1$",
                                                 u"1-$",  u"1$-",  u"-1 $",  u"-$ 1", u"1 $-", u"$ 1-",
                                                 u"$ -1", u"1- $", u"($ 1)", u"(1 $)"};

String Fill(std::u16string_view pattern, const String& symbol, const String& digits) {
    String out;
    for (char16_t c : pattern) {
        if (c == u'$')
            out += symbol;
        else if (c == u'1')
            out += digits;
        else
            out += c;
    }
    return out;
}

Variant FormatCurrencyFn(Interpreter& in, Args a) {
    Request r;
    if (!ReadRequest(in, a, true, r)) return Variant::Null();
    bool zero = false;
    const String digits = Digits(r.value, r.style, zero);
    const String symbol = Setting(in, kSCurrency, u"$");
    const int positive = NumericSetting(in, kICurrency, 0);
    const String plain = Fill(kPositiveCurrency[positive >= 0 && positive < 4 ? positive : 0], symbol, digits);
    if (r.value >= 0 || zero) return Variant(plain);
    int negative = NumericSetting(in, kINegCurr, 0);
    if (negative < 0 || negative > 15) negative = 0;
    const bool pattern_brackets = negative == 0 || negative == 4 || negative == 14 || negative == 15;
    if (r.parens == -1 && !pattern_brackets) return Variant(u"(" + plain + u")");
    if (r.parens == 0 && pattern_brackets) return Variant(u"-" + plain);
    return Variant(Fill(kNegativeCurrency[negative], symbol, digits));
}

constexpr Builtin kFormatBuiltins[] = {
    {u"FormatCurrency", 1, 5, FormatCurrencyFn},
    {u"FormatNumber", 1, 5, FormatNumberFn},
    {u"FormatPercent", 1, 5, FormatPercentFn},
};

}  // namespace

std::span<const Builtin> FormatBuiltins() { return kFormatBuiltins; }

}  // namespace quibor15::script::builtins
