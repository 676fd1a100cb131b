#include "quibor15/convert.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

#include "quibor15/object.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

// The date range of the runtime: 1 January 100 to 31 December 9999.
constexpr double kMinDateSerial = -657434.0;
constexpr double kMaxDateSerial = 2958466.0;   // exclusive: the day after 9999-12-31
constexpr int64_t kSerialOfUnixEpoch = 25569;  // 1970-01-01 as a day serial

// Days since 1970-01-01 of a proleptic Gregorian date (valid for any month
// 1..12 and day 1..31).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int32_t& year, int32_t& month, int32_t& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int32_t>(yoe + era * 400 + (month <= 2));
}

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// A day number and seconds into that day as a serial: before 1899-12-30 the
// whole part counts back while the fraction still counts forward.
double SerialFromDayAndSeconds(int64_t day, int64_t seconds) {
    double fraction = static_cast<double>(seconds) / 86400.0;
    return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

bool IsBlank(char16_t c) { return c == u' '; }

// Parses the decimal digits collected in `digits` (ASCII, '.' as the point,
// optional exponent); `magnitude` approximates the decimal exponent of the
// leading digit, to tell an overflow from an underflow.
bool ParseAscii(const std::string& digits, int64_t magnitude, double& out) {
    double value = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (magnitude > 0) return false;
        out = 0.0;
        return true;
    }
    if (ec != std::errc() || ptr != digits.data() + digits.size()) return false;
    out = value;
    return true;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// "&H..." / "&O..." after the ampersand; the value is a 32-bit pattern read
// as a Long.
bool ParseRadix(std::u16string_view text, size_t& i, double& out) {
    if (i >= text.size()) return false;
    int base = 0;
    if (text[i] == u'H' || text[i] == u'h') base = 16;
    if (text[i] == u'O' || text[i] == u'o') base = 8;
    if (base == 0) return false;
    ++i;
    uint64_t value = 0;
    size_t digits = 0;
    while (i < text.size()) {
        int d = HexDigit(text[i]);
        if (d < 0 || d >= base) break;
        value = value * base + d;
        if (value > 0xFFFFFFFFull) return false;
        ++i;
        ++digits;
    }
    if (digits == 0) return false;
    out = static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
    return true;
}

// Up to `digits` significant digits, no trailing zeros, the runtime's
// exponent form ("1E+15", "1E-05") for very large and very small values.
template <class F>
String SignificantText(F value, int digits, const NumberFormat& fmt) {
    if (std::isnan(value)) return u"NaN";
    if (std::isinf(value)) return value < 0 ? u"-Infinity" : u"Infinity";
    if (value == 0) return u"0";  // also for -0
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    String text;
    if (ec != std::errc()) return text;
    for (const char* p = buffer; p != ptr; ++p) {
        if (*p == '.') {
            text += fmt.decimal;
        } else if (*p == 'e') {
            text += u'E';
        } else {
            text += static_cast<char16_t>(*p);
        }
    }
    return text;
}

String CurrencyText(Currency c, const NumberFormat& fmt) {
    bool negative = c.scaled < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(c.scaled) : static_cast<uint64_t>(c.scaled);
    String text = negative ? u"-" : u"";
    text += DecimalText(static_cast<int64_t>(magnitude / 10000));
    uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        String digits;
        for (int i = 0; i < 4; ++i) {
            digits.insert(digits.begin(), static_cast<char16_t>(u'0' + fraction % 10));
            fraction /= 10;
        }
        while (!digits.empty() && digits.back() == u'0') digits.pop_back();
        text += fmt.decimal;
        text += digits;
    }
    return text;
}

void AppendTwoDigits(String& text, int32_t value) {
    text += static_cast<char16_t>(u'0' + value / 10);
    text += static_cast<char16_t>(u'0' + value % 10);
}

String DateText(Date d) {
    DateParts p = DateToParts(d);
    bool has_date = !(p.year == 1899 && p.month == 12 && p.day == 30);
    bool has_time = p.hour != 0 || p.minute != 0 || p.second != 0;
    String text;
    if (has_date) {
        text += DecimalText(static_cast<int64_t>(p.month)) + u"/" + DecimalText(static_cast<int64_t>(p.day)) + u"/" +
                DecimalText(static_cast<int64_t>(p.year));
    }
    if (has_time || !has_date) {
        if (has_date) text += u' ';
        int32_t hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
        text += DecimalText(static_cast<int64_t>(hour12));
        text += u':';
        AppendTwoDigits(text, p.minute);
        text += u':';
        AppendTwoDigits(text, p.second);
        text += p.hour < 12 ? u" AM" : u" PM";
    }
    return text;
}

// Reads an unsigned run of decimal digits; false when there is none.
bool ReadUnsigned(std::u16string_view text, size_t& i, int32_t& value, size_t& count) {
    value = 0;
    count = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        if (value > 100000) return false;
        value = value * 10 + (text[i] - u'0');
        ++i;
        ++count;
    }
    return count > 0;
}

void SkipBlanks(std::u16string_view text, size_t& i) {
    while (i < text.size() && IsBlank(text[i])) ++i;
}

// Between the day, the month's name and the year: "26-Nov-2010", "26. März 2010", "Nov. 26, 2010".
bool IsDateSeparator(char16_t c) { return IsBlank(c) || c == u',' || c == u'-' || c == u'/' || c == u'.'; }

// A month by the locale's full or abbreviated name, or by its English name or
// the name's first three letters, case ignored: 1 to 12, or 0 (i unchanged).
// An abbreviation may be written with or without its period ("févr.").
int32_t ReadMonthName(std::u16string_view text, size_t& i, const MonthNames* names) {
    static constexpr std::u16string_view kMonths[] = {u"January",   u"February", u"March",    u"April",
                                                      u"May",       u"June",     u"July",     u"August",
                                                      u"September", u"October",  u"November", u"December"};
    size_t j = i;
    while (j < text.size() && !IsDateSeparator(text[j]) && !(text[j] >= u'0' && text[j] <= u'9')) ++j;
    std::u16string_view word = text.substr(i, j - i);
    if (word.empty()) return 0;
    auto named = [&](std::u16string_view name) {
        if (name.empty()) return false;
        if (EqualsIgnoreCase(word, name)) return true;
        return name.back() == u'.' && EqualsIgnoreCase(word, name.substr(0, name.size() - 1));
    };
    for (int32_t m = 0; m < 12; ++m) {
        if ((names && (named(names->full[m]) || named(names->abbreviated[m]))) || EqualsIgnoreCase(word, kMonths[m]) ||
            (word.size() == 3 && EqualsIgnoreCase(word, kMonths[m].substr(0, 3)))) {
            i = j;
            return m + 1;
        }
    }
    return 0;
}

void SkipDateSeparators(std::u16string_view text, size_t& i) {
    while (i < text.size() && IsDateSeparator(text[i])) ++i;
}

// "October 19, 1962", "Nov 26, 2010", "26 Nov 2010", "26-Nov-2010": the day
// serial, i past the year; nullopt (i unchanged) for other text.
std::optional<int64_t> ReadNamedMonthDate(std::u16string_view text, size_t& i, const MonthNames* names) {
    size_t j = i;
    int32_t day = 0, year = 0;
    size_t day_digits = 0, year_digits = 0;
    int32_t month = ReadMonthName(text, j, names);
    if (month != 0) {
        SkipDateSeparators(text, j);
        if (!ReadUnsigned(text, j, day, day_digits)) return std::nullopt;
    } else {
        if (!ReadUnsigned(text, j, day, day_digits)) return std::nullopt;
        SkipDateSeparators(text, j);
        month = ReadMonthName(text, j, names);
        if (month == 0) return std::nullopt;
    }
    SkipDateSeparators(text, j);
    if (!ReadUnsigned(text, j, year, year_digits) || day_digits > 2) return std::nullopt;
    if (year_digits <= 2) year += year < 30 ? 2000 : 1900;
    if (year < 100 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
    i = j;
    return DaysFromCivil(year, month, day) + kSerialOfUnixEpoch;
}

// Date text as the conversions write it: "M/d/yyyy", "yyyy-MM-dd", a date
// with the month's name ("October 19, 1962", "26-Nov-2010"), either
// followed by a time, or a time alone ("h:mm[:ss] [AM|PM]"). Two-digit years
// take the runtime's window (00-29 are 2000-2029).
std::optional<Date> ParseDateText(std::u16string_view text, const MonthNames* names) {
    size_t i = 0;
    SkipBlanks(text, i);
    int64_t day_serial = 0;
    bool has_date = false;
    size_t start = i;
    int32_t a = 0, b = 0, c = 0;
    size_t na = 0, nb = 0, nc = 0;
    if (std::optional<int64_t> named = ReadNamedMonthDate(text, i, names)) {
        day_serial = *named;
        has_date = true;
        SkipBlanks(text, i);
    } else if (ReadUnsigned(text, i, a, na) && i < text.size() && (text[i] == u'/' || text[i] == u'-')) {
        char16_t sep = text[i++];
        if (!ReadUnsigned(text, i, b, nb) || i >= text.size() || text[i] != sep) return std::nullopt;
        ++i;
        if (!ReadUnsigned(text, i, c, nc)) return std::nullopt;
        int32_t year, month, day;
        size_t year_digits;
        if (na == 4) {
            year = a, month = b, day = c, year_digits = na;
        } else {
            month = a, day = b, year = c, year_digits = nc;
        }
        if (year_digits <= 2) year += year < 30 ? 2000 : 1900;
        if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
            return std::nullopt;
        }
        day_serial = DaysFromCivil(year, month, day) + kSerialOfUnixEpoch;
        has_date = true;
        SkipBlanks(text, i);
    } else {
        i = start;
    }
    int64_t seconds = 0;
    if (i < text.size()) {
        int32_t hour = 0, minute = 0, second = 0;
        size_t n = 0;
        if (!ReadUnsigned(text, i, hour, n) || i >= text.size() || text[i] != u':') return std::nullopt;
        ++i;
        if (!ReadUnsigned(text, i, minute, n)) return std::nullopt;
        if (i < text.size() && text[i] == u':') {
            ++i;
            if (!ReadUnsigned(text, i, second, n)) return std::nullopt;
        }
        SkipBlanks(text, i);
        if (i < text.size()) {
            std::u16string_view rest = text.substr(i);
            size_t end = rest.find(u' ');
            std::u16string_view marker = rest.substr(0, end);
            bool pm;
            if (EqualsIgnoreCase(marker, u"AM")) {
                pm = false;
            } else if (EqualsIgnoreCase(marker, u"PM")) {
                pm = true;
            } else {
                return std::nullopt;
            }
            if (hour < 1 || hour > 12) return std::nullopt;
            hour = hour % 12 + (pm ? 12 : 0);
            i += marker.size();
            SkipBlanks(text, i);
        }
        if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
        seconds = hour * 3600 + minute * 60 + second;
    } else if (!has_date) {
        return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return Date{SerialFromDayAndSeconds(day_serial, seconds)};
}

// An object's value: its default member, read without arguments. Nothing
// raises 91, an object without a default value 13.
Variant ObjectValue(const ObjectRef& obj) {
    ObjectRef current = obj;
    for (int depth = 0; depth < 8; ++depth) {
        if (!current) RaiseRuntimeError(rt::kObjectNotSet);
        Variant value;
        try {
            value = current->Invoke(kDispIdValue, kInvokeMethod | kInvokePropertyGet, {});
        } catch (const AutomationError& e) {
            if (e.Number() == rt::kMemberNotSupported) RaiseRuntimeError(rt::kTypeMismatch);
            throw;
        }
        const ObjectRef* next = value.As<ObjectRef>();
        if (!next) return Variant(value.Deref());
        current = *next;
    }
    RaiseRuntimeError(rt::kTypeMismatch);
}

Double ParseOrMismatch(const String& text, const NumberFormat& fmt) {
    double value = 0;
    if (!ParseNumber(text, fmt, value)) RaiseRuntimeError(rt::kTypeMismatch);
    return value;
}

}  // namespace

// --- rounding and checked arithmetic

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

Integer ToInteger(double value) {
    double r = RoundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0)) RaiseRuntimeError(rt::kOverflow);
    return static_cast<Integer>(r);
}

Long ToLong(double value) {
    double r = RoundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) RaiseRuntimeError(rt::kOverflow);
    return static_cast<Long>(r);
}

namespace {
Integer NarrowOrOverflow(int32_t v) {
    if (v < std::numeric_limits<Integer>::min() || v > std::numeric_limits<Integer>::max()) {
        RaiseRuntimeError(rt::kOverflow);
    }
    return static_cast<Integer>(v);
}
Long NarrowOrOverflow(int64_t v) {
    if (v < std::numeric_limits<Long>::min() || v > std::numeric_limits<Long>::max()) RaiseRuntimeError(rt::kOverflow);
    return static_cast<Long>(v);
}
}  // namespace

Integer CheckedAdd(Integer a, Integer b) { return NarrowOrOverflow(int32_t{a} + b); }
Integer CheckedSub(Integer a, Integer b) { return NarrowOrOverflow(int32_t{a} - b); }
Integer CheckedMul(Integer a, Integer b) { return NarrowOrOverflow(int32_t{a} * b); }
Long CheckedAdd(Long a, Long b) { return NarrowOrOverflow(int64_t{a} + b); }
Long CheckedSub(Long a, Long b) { return NarrowOrOverflow(int64_t{a} - b); }
Long CheckedMul(Long a, Long b) { return NarrowOrOverflow(int64_t{a} * b); }
Integer CheckedNarrow(Long value) { return NarrowOrOverflow(int32_t{value}); }

// --- text to number

namespace {

// What a number text holds: a radix value (&H, &O), or a decimal number as
// ASCII ("-12.5e3") with its decimal magnitude, so that each conversion can
// read it at its own precision.
struct NumberText {
    bool radix = false;
    double radix_value = 0;
    std::string ascii;
    int64_t magnitude = 0;
};

bool ReadNumberText(std::u16string_view text, const NumberFormat& fmt, NumberText& out) {
    size_t i = 0;
    SkipBlanks(text, i);
    if (i < text.size() && text[i] == u'&') {
        ++i;
        if (!ParseRadix(text, i, out.radix_value)) return false;
        out.radix = true;
    } else {
        std::string& ascii = out.ascii;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            if (text[i] == u'-') ascii += '-';
            ++i;
        }
        int64_t integer_digits = 0;  // after leading zeros
        int64_t leading_fraction_zeros = 0;
        bool any_digit = false, nonzero_seen = false;
        auto is_digit = [&text](size_t k) { return k < text.size() && text[k] >= u'0' && text[k] <= u'9'; };
        for (;;) {
            // Group separators may stand between the digits of the whole part.
            if (fmt.grouped && any_digit && i < text.size() && text[i] == fmt.thousands &&
                fmt.thousands != fmt.decimal && is_digit(i + 1)) {
                ++i;
            }
            if (!is_digit(i)) break;
            if (text[i] != u'0' || nonzero_seen) {
                nonzero_seen = true;
                ++integer_digits;
            }
            ascii += static_cast<char>(text[i++]);
            any_digit = true;
        }
        if (i < text.size() && text[i] == fmt.decimal) {
            ++i;
            ascii += '.';
            while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
                if (!nonzero_seen && text[i] == u'0') ++leading_fraction_zeros;
                if (text[i] != u'0') nonzero_seen = true;
                ascii += static_cast<char>(text[i++]);
                any_digit = true;
            }
        }
        if (!any_digit) return false;
        int64_t exponent = 0;
        if (i < text.size() && (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
            ++i;
            ascii += 'e';
            bool negative = false;
            if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
                negative = text[i] == u'-';
                ascii += static_cast<char>(text[i++]);
            }
            size_t exp_digits = 0;
            while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
                if (exponent < 100000) exponent = exponent * 10 + (text[i] - u'0');
                ascii += static_cast<char>(text[i++]);
                ++exp_digits;
            }
            if (exp_digits == 0) return false;
            if (negative) exponent = -exponent;
        }
        out.magnitude = (integer_digits > 0 ? integer_digits : -leading_fraction_zeros) + exponent;
        if (!nonzero_seen) out.magnitude = -1;
    }
    SkipBlanks(text, i);
    return i == text.size();
}

// value = digits * 10^exponent as Currency (scaled by 10,000), halves to
// even; the digits may be many more than 64 bits hold.
Currency CurrencyFromDecimal(bool negative, std::string_view digits, int64_t exponent) {
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) return Currency{0};
    digits.remove_prefix(first);
    const int64_t scale = exponent + 4;
    const int64_t whole_length = static_cast<int64_t>(digits.size()) + scale;
    if (whole_length > 19) RaiseRuntimeError(rt::kOverflow);
    constexpr uint64_t kMinMagnitude = uint64_t{1} << 63;  // of the lowest Currency
    uint64_t whole = 0;
    for (int64_t k = 0; k < whole_length; ++k) {
        const uint64_t digit = k < static_cast<int64_t>(digits.size()) ? static_cast<uint64_t>(digits[k] - '0') : 0;
        if (whole > (kMinMagnitude - digit) / 10) RaiseRuntimeError(rt::kOverflow);
        whole = whole * 10 + digit;
    }
    if (whole_length < static_cast<int64_t>(digits.size())) {
        // The first dropped digit decides, a 5 with nothing after it goes to even.
        const size_t cut = whole_length < 0 ? 0 : static_cast<size_t>(whole_length);
        const char dropped = whole_length < 0 ? '0' : digits[cut];
        const bool more = digits.find_first_not_of('0', cut + 1) != std::string_view::npos;
        if (dropped > '5' || (dropped == '5' && (more || (whole & 1) != 0))) ++whole;
    }
    if (whole > (negative ? kMinMagnitude : kMinMagnitude - 1)) RaiseRuntimeError(rt::kOverflow);
    return Currency{negative ? static_cast<int64_t>(0 - whole) : static_cast<int64_t>(whole)};
}

// The ASCII of a NumberText (or of std::to_chars) as Currency, exactly.
Currency CurrencyFromAscii(std::string_view ascii) {
    const bool negative = !ascii.empty() && ascii[0] == '-';
    if (negative) ascii.remove_prefix(1);
    std::string digits;
    int64_t exponent = 0;
    size_t k = 0;
    bool after_point = false;
    for (; k < ascii.size() && ascii[k] != 'e'; ++k) {
        if (ascii[k] == '.') {
            after_point = true;
            continue;
        }
        digits += ascii[k];
        if (after_point) --exponent;
    }
    if (k < ascii.size()) {
        ++k;
        const bool minus = k < ascii.size() && ascii[k] == '-';
        if (k < ascii.size() && (ascii[k] == '-' || ascii[k] == '+')) ++k;
        int64_t e = 0;
        for (; k < ascii.size(); ++k) {
            if (e < 100000) e = e * 10 + (ascii[k] - '0');
        }
        exponent += minus ? -e : e;
    }
    return CurrencyFromDecimal(negative, digits, exponent);
}

}  // namespace

bool ParseNumber(std::u16string_view text, const NumberFormat& fmt, double& out) {
    NumberText number;
    if (!ReadNumberText(text, fmt, number)) return false;
    if (number.radix) {
        out = number.radix_value;
        return true;
    }
    return ParseAscii(number.ascii, number.magnitude, out);
}

// --- Currency

// From the shortest decimal text of the value, so that large amounts keep
// their last digits (value * 10000 in floating point turns 922337203685477
// into ...476.9664) and halves round to even as written.
Currency CurrencyFromDouble(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 922337203685477.625) RaiseRuntimeError(rt::kOverflow);
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc()) RaiseRuntimeError(rt::kOverflow);
    return CurrencyFromAscii(std::string_view(buf, static_cast<size_t>(end - buf)));
}

double CurrencyToDouble(Currency c) noexcept { return static_cast<double>(c.scaled) / 10000.0; }

// --- dates

bool IsLeapYear(int32_t year) noexcept { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int32_t DaysInMonth(int32_t year, int32_t month) noexcept {
    static constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

Date DateFromParts(int32_t year, int32_t month, int32_t day) {
    if (year < 100 || year > 9999) RaiseRuntimeError(rt::kInvalidProcedureCall);
    // Months beyond 12 or below 1 move into neighbouring years; days beyond
    // the month or below 1 move into neighbouring months.
    int64_t months = static_cast<int64_t>(year) * 12 + (static_cast<int64_t>(month) - 1);
    int64_t y = FloorDiv(months, 12);
    int64_t m = months - y * 12 + 1;
    if (y < 0 || y > 20000) RaiseRuntimeError(rt::kInvalidProcedureCall);
    int64_t serial = DaysFromCivil(y, m, 1) + kSerialOfUnixEpoch + (static_cast<int64_t>(day) - 1);
    if (serial < kMinDateSerial || serial >= kMaxDateSerial) RaiseRuntimeError(rt::kInvalidProcedureCall);
    return Date{static_cast<double>(serial)};
}

Date TimeFromParts(int32_t hour, int32_t minute, int32_t second) {
    int64_t total = static_cast<int64_t>(hour) * 3600 + static_cast<int64_t>(minute) * 60 + second;
    int64_t day = FloorDiv(total, 86400);
    int64_t seconds = total - day * 86400;
    if (day < kMinDateSerial || day >= kMaxDateSerial) RaiseRuntimeError(rt::kOverflow);
    return Date{SerialFromDayAndSeconds(day, seconds)};
}

DateParts DateToParts(Date d) {
    double serial = d.serial;
    if (!(serial > kMinDateSerial - 1 && serial < kMaxDateSerial)) RaiseRuntimeError(rt::kOverflow);
    double whole = std::trunc(serial);
    int64_t day = static_cast<int64_t>(whole);
    int64_t seconds = std::llround(std::fabs(serial - whole) * 86400.0);
    if (seconds >= 86400) {
        if (day + 1 >= kMaxDateSerial) {
            // The last moment of 9999-12-31 does not round into year 10000.
            seconds = 86399;
        } else {
            seconds -= 86400;
            ++day;
        }
    }
    DateParts parts;
    CivilFromDays(day - kSerialOfUnixEpoch, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int32_t>(seconds / 3600);
    parts.minute = static_cast<int32_t>(seconds / 60 % 60);
    parts.second = static_cast<int32_t>(seconds % 60);
    // Day 0 (1899-12-30) was a Saturday.
    parts.day_of_week = static_cast<int32_t>(((day + 6) % 7 + 7) % 7) + 1;
    return parts;
}

// --- Variant conversions

Double VariantToDouble(const Variant& v, const NumberFormat& fmt) {
    const Variant& x = v.Deref();
    switch (x.Type()) {
        case VarType::Empty:
            return 0.0;
        case VarType::Null:
            RaiseRuntimeError(rt::kInvalidUseOfNull);
        case VarType::Integer:
            return *x.As<Integer>();
        case VarType::Long:
            return *x.As<Long>();
        case VarType::Single:
            return *x.As<Single>();
        case VarType::Double:
            return *x.As<Double>();
        case VarType::Currency:
            return CurrencyToDouble(*x.As<Currency>());
        case VarType::Date:
            return x.As<Date>()->serial;
        case VarType::Boolean:
            return x.As<Boolean>()->raw;
        case VarType::Byte:
            return *x.As<Byte>();
        case VarType::String:
            return ParseOrMismatch(*x.As<String>(), fmt);
        case VarType::Object:
            return VariantToDouble(ObjectValue(*x.As<ObjectRef>()), fmt);
        default:
            RaiseRuntimeError(rt::kTypeMismatch);
    }
}

Integer VariantToInteger(const Variant& v, const NumberFormat& fmt) {
    const Variant& x = v.Deref();
    if (const Integer* i = x.As<Integer>()) return *i;
    if (const Long* l = x.As<Long>()) return CheckedNarrow(*l);
    if (const Boolean* b = x.As<Boolean>()) return b->raw;
    if (const Byte* b = x.As<Byte>()) return *b;
    return ToInteger(VariantToDouble(x, fmt));
}

Long VariantToLong(const Variant& v, const NumberFormat& fmt) {
    const Variant& x = v.Deref();
    if (const Integer* i = x.As<Integer>()) return *i;
    if (const Long* l = x.As<Long>()) return *l;
    if (const Boolean* b = x.As<Boolean>()) return b->raw;
    if (const Byte* b = x.As<Byte>()) return *b;
    return ToLong(VariantToDouble(x, fmt));
}

Single VariantToSingle(const Variant& v, const NumberFormat& fmt) {
    const Variant& x = v.Deref();
    if (const Single* s = x.As<Single>()) return *s;
    double d = VariantToDouble(x, fmt);
    if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<Single>::max()) RaiseRuntimeError(rt::kOverflow);
    return static_cast<Single>(d);
}

Currency VariantToCurrency(const Variant& v, const NumberFormat& fmt) {
    const Variant& x = v.Deref();
    if (const Currency* c = x.As<Currency>()) return *c;
    if (const Integer* i = x.As<Integer>()) return Currency{int64_t{*i} * 10000};
    if (const Long* l = x.As<Long>()) return Currency{int64_t{*l} * 10000};
    if (const Boolean* b = x.As<Boolean>()) return Currency{int64_t{b->raw} * 10000};
    if (const Byte* b = x.As<Byte>()) return Currency{int64_t{*b} * 10000};
    if (const String* s = x.As<String>()) {
        // A text is read as the decimal it writes, not through a Double.
        NumberText number;
        if (!ReadNumberText(*s, fmt, number)) RaiseRuntimeError(rt::kTypeMismatch);
        return number.radix ? CurrencyFromDouble(number.radix_value) : CurrencyFromAscii(number.ascii);
    }
    return CurrencyFromDouble(VariantToDouble(x, fmt));
}

Boolean VariantToBoolean(const Variant& v, const NumberFormat& fmt) {
    const Variant& x = v.Deref();
    if (const Boolean* b = x.As<Boolean>()) return Boolean::From(b->raw != 0);
    if (const String* s = x.As<String>()) {
        String trimmed = TrimBlanks(*s);
        if (EqualsIgnoreCase(trimmed, u"True")) return kTrue;
        if (EqualsIgnoreCase(trimmed, u"False")) return kFalse;
        return Boolean::From(ParseOrMismatch(*s, fmt) != 0);
    }
    if (const Currency* c = x.As<Currency>()) return Boolean::From(c->scaled != 0);
    return Boolean::From(VariantToDouble(x, fmt) != 0);
}

Date VariantToDate(const Variant& v, const NumberFormat& fmt) {
    const Variant& x = v.Deref();
    if (const Date* d = x.As<Date>()) return *d;
    double serial;
    if (const String* s = x.As<String>()) {
        if (!ParseNumber(*s, fmt, serial)) {
            std::optional<Date> parsed = ParseDateText(*s, fmt.months);
            if (!parsed) RaiseRuntimeError(rt::kTypeMismatch);
            return *parsed;
        }
    } else {
        serial = VariantToDouble(x, fmt);
    }
    if (!(serial > kMinDateSerial - 1 && serial < kMaxDateSerial)) RaiseRuntimeError(rt::kOverflow);
    return Date{serial};
}

Byte VariantToByte(const Variant& v, const NumberFormat& fmt) {
    const Variant& x = v.Deref();
    if (const Byte* b = x.As<Byte>()) return *b;
    Long l = VariantToLong(x, fmt);
    if (l < 0 || l > 255) RaiseRuntimeError(rt::kOverflow);
    return static_cast<Byte>(l);
}

String VariantToString(const Variant& v, const NumberFormat& fmt) {
    const Variant& x = v.Deref();
    switch (x.Type()) {
        case VarType::Empty:
            return String();
        case VarType::Null:
            RaiseRuntimeError(rt::kInvalidUseOfNull);
        case VarType::Integer:
            return DecimalText(static_cast<int64_t>(*x.As<Integer>()));
        case VarType::Long:
            return DecimalText(static_cast<int64_t>(*x.As<Long>()));
        case VarType::Byte:
            return DecimalText(static_cast<int64_t>(*x.As<Byte>()));
        case VarType::Single:
            return SignificantText(*x.As<Single>(), 7, fmt);
        case VarType::Double:
            return SignificantText(*x.As<Double>(), 15, fmt);
        case VarType::Currency:
            return CurrencyText(*x.As<Currency>(), fmt);
        case VarType::Date:
            return DateText(*x.As<Date>());
        case VarType::Boolean:
            return x.As<Boolean>()->raw != 0 ? u"True" : u"False";
        case VarType::String:
            return *x.As<String>();
        case VarType::Error:
            return u"Error " + DecimalText(static_cast<int64_t>(x.As<ErrorValue>()->scode));
        case VarType::Object:
            return VariantToString(ObjectValue(*x.As<ObjectRef>()), fmt);
        default:
            RaiseRuntimeError(rt::kTypeMismatch);
    }
}

Variant ConvertVariant(const Variant& v, VarType t, const NumberFormat& fmt) {
    const Variant& x = v.Deref();
    switch (t) {
        case VarType::Variant:
            return Variant(x);
        case VarType::Empty:
            return Variant();
        case VarType::Null:
            return Variant::Null();
        case VarType::Integer:
            return Variant(VariantToInteger(x, fmt));
        case VarType::Long:
            return Variant(VariantToLong(x, fmt));
        case VarType::Single:
            return Variant(VariantToSingle(x, fmt));
        case VarType::Double:
            return Variant(VariantToDouble(x, fmt));
        case VarType::Currency:
            return Variant(VariantToCurrency(x, fmt));
        case VarType::Date:
            return Variant(VariantToDate(x, fmt));
        case VarType::String:
            return Variant(VariantToString(x, fmt));
        case VarType::Object:
            return Variant(x.ObjectOrThrow());
        case VarType::Boolean:
            return Variant(VariantToBoolean(x, fmt));
        case VarType::Byte:
            return Variant(VariantToByte(x, fmt));
        case VarType::Error:
        case VarType::Array:
            if (x.Type() != t) RaiseRuntimeError(rt::kTypeMismatch);
            return Variant(x);
    }
    RaiseRuntimeError(rt::kTypeMismatch);
}

}  // namespace quibor15
