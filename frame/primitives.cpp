#include "quibor15/primitives.hpp"

#include <unicode/uchar.h>

#include <charconv>
#include <cmath>
#include <string>

#include "quibor15/codepage.hpp"
#include "quibor15/object.hpp"

namespace quibor15 {

namespace {

bool IsBlank(char16_t c) { return c == u' '; }

std::u16string_view UpToNul(std::u16string_view text) {
    size_t nul = text.find(u'\0');
    return nul == std::u16string_view::npos ? text : text.substr(0, nul);
}

// The code point at text[i] and the number of code units it takes; an
// unpaired surrogate stands for itself.
char32_t CodePointAt(std::u16string_view text, size_t i, size_t& units) {
    char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        units = 2;
        return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
    }
    units = 1;
    return c;
}

void AppendCodePoint(String& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

// ASCII folds A-Z and nothing else, without a look into ICU's tables.
char32_t Fold(char32_t cp) {
    if (cp < 0x80) return cp >= U'A' && cp <= U'Z' ? cp + 0x20 : cp;
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(cp), U_FOLD_CASE_DEFAULT));
}

template <class Map>
String MapCodePoints(std::u16string_view text, Map map) {
    String out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t units;
        char32_t cp = CodePointAt(text, i, units);
        AppendCodePoint(out, map(cp));
        i += units;
    }
    return out;
}

char32_t ToUpper(char32_t cp) { return static_cast<char32_t>(u_toupper(static_cast<UChar32>(cp))); }
char32_t ToLower(char32_t cp) { return static_cast<char32_t>(u_tolower(static_cast<UChar32>(cp))); }

// Whether `sought` occurs in `text` at code unit `at`, letters compared by
// their case folding.
bool MatchesIgnoringCase(std::u16string_view text, size_t at, std::u16string_view sought) {
    size_t i = at, j = 0;
    while (j < sought.size()) {
        if (i >= text.size()) return false;
        size_t ui, uj;
        char32_t a = CodePointAt(text, i, ui);
        char32_t b = CodePointAt(sought, j, uj);
        if (a != b && Fold(a) != Fold(b)) return false;
        i += ui;
        j += uj;
    }
    return true;
}

}  // namespace

double LeadingNumber(std::u16string_view text) {
    text = UpToNul(text);
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::string ascii;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool any_digit = false, point_seen = false, integer_nonzero = false;
    for (; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'0' && c <= u'9') {
            if (!point_seen && c != u'0') integer_nonzero = true;
            ascii += static_cast<char>(c);
            any_digit = true;
        } else if (c == u'.' && !point_seen) {
            point_seen = true;
            ascii += '.';
        } else {
            break;
        }
    }
    if (!any_digit) return 0.0;
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // A run of digits too long for a Double: infinite when its whole part
        // is, zero when only a vanishing fraction was written.
        value = integer_nonzero ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

double StrictNumber(std::u16string_view text, const NumberFormat& fmt) {
    double value = 0.0;
    if (!ParseNumber(UpToNul(text), fmt, value)) RaiseRuntimeError(rt::kTypeMismatch);
    return value;
}

double Floor(double value) { return std::floor(value); }

Long IntegerQuotient(double dividend, double divisor) {
    double a = RoundHalfEven(dividend);
    double b = RoundHalfEven(divisor);
    if (b == 0) RaiseRuntimeError(rt::kDivisionByZero);
    if (!std::isfinite(a) || !std::isfinite(b)) RaiseRuntimeError(rt::kOverflow);
    double q;
    constexpr double kInt64Limit = 9223372036854775808.0;
    if (std::fabs(a) < kInt64Limit && std::fabs(b) < kInt64Limit) {
        // Whole numbers within 64 bits divide exactly.
        q = static_cast<double>(static_cast<int64_t>(a) / static_cast<int64_t>(b));
    } else {
        q = std::trunc(a / b);
    }
    if (!(q >= -2147483648.0 && q <= 2147483647.0)) RaiseRuntimeError(rt::kOverflow);
    return static_cast<Long>(q);
}

String DecimalText(int64_t value) {
    char buffer[24];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return String(buffer, ptr);
}

String DecimalText(double value, const NumberFormat& fmt) { return VariantToString(Variant(value), fmt); }

String HexText(Long value) {
    char buffer[12];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<uint32_t>(value), 16);
    (void)ec;
    String text(buffer, ptr);
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'f') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return text;
}

String PadDigits(double value, int n) {
    if (n < 0) RaiseRuntimeError(rt::kInvalidProcedureCall);
    if (!std::isfinite(value)) RaiseRuntimeError(rt::kOverflow);
    double rounded = std::round(value);  // halves away from zero
    bool negative = rounded < 0;
    char buffer[400];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(rounded), std::chars_format::fixed, 0);
    if (ec != std::errc()) RaiseRuntimeError(rt::kOverflow);
    String digits(buffer, ptr);
    if (digits.size() < static_cast<size_t>(n)) digits.insert(0, static_cast<size_t>(n) - digits.size(), u'0');
    return negative ? u"-" + digits : digits;
}

String ProperCase(std::u16string_view text) {
    String out;
    out.reserve(text.size());
    bool word_start = true;  // no letter of the current word seen yet
    for (size_t i = 0; i < text.size();) {
        size_t units;
        char32_t cp = CodePointAt(text, i, units);
        i += units;
        switch (cp) {
            case 0x00:
            case 0x09:
            case 0x0A:
            case 0x0B:
            case 0x0C:
            case 0x0D:
            case 0x20:
                word_start = true;
                AppendCodePoint(out, cp);
                continue;
            default:
                break;
        }
        if (u_isalpha(static_cast<UChar32>(cp))) {
            AppendCodePoint(out, word_start ? ToUpper(cp) : ToLower(cp));
            word_start = false;
        } else {
            AppendCodePoint(out, cp);
        }
    }
    return out;
}

Integer AnsiCode(std::u16string_view text, const AnsiCodePage& code_page) {
    if (text.empty()) RaiseRuntimeError(rt::kInvalidProcedureCall);
    size_t units;
    CodePointAt(text, 0, units);
    std::string bytes = code_page.Encode(text.substr(0, units));
    if (bytes.empty()) return 0;
    auto lead = static_cast<uint8_t>(bytes[0]);
    if (bytes.size() == 1) return lead;
    auto trail = static_cast<uint8_t>(bytes[1]);
    return static_cast<Integer>(static_cast<uint16_t>(lead * 256 + trail));
}

String FolderPrefix(std::u16string_view folder) {
    String prefix(folder);
    if (!folder.empty() && (folder.back() == u'\\' || folder.back() == u'/')) return prefix;
    const bool windows_style =
        folder.find(u'\\') != std::u16string_view::npos && folder.find(u'/') == std::u16string_view::npos;
    prefix += windows_style ? u'\\' : u'/';
    return prefix;
}

String TrimBlanks(std::u16string_view text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return String(text.substr(first, last - first));
}

String TrimTrailingBlanks(std::u16string_view text) {
    size_t last = text.size();
    while (last > 0 && IsBlank(text[last - 1])) --last;
    return String(text.substr(0, last));
}

String TrimLeadingBlanks(std::u16string_view text) {
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    return String(text.substr(first));
}

Long FindText(Long start, std::u16string_view text, std::u16string_view sought, bool ignore_case) {
    if (start < 1) RaiseRuntimeError(rt::kInvalidProcedureCall);
    size_t from = static_cast<size_t>(start) - 1;
    if (from > text.size()) return 0;
    if (sought.empty()) return start;
    if (!ignore_case) {
        size_t at = text.find(sought, from);
        return at == std::u16string_view::npos ? 0 : static_cast<Long>(at + 1);
    }
    // Only where the first letter matches is the rest compared.
    size_t units;
    const char32_t first = Fold(CodePointAt(sought, 0, units));
    for (size_t at = from; at < text.size(); ++at) {
        if (Fold(CodePointAt(text, at, units)) != first) continue;
        if (MatchesIgnoringCase(text, at, sought)) return static_cast<Long>(at + 1);
    }
    return 0;
}

String MidFrom(std::u16string_view text, Long p) {
    if (p < 1) RaiseRuntimeError(rt::kInvalidProcedureCall);
    size_t from = static_cast<size_t>(p) - 1;
    return from >= text.size() ? String() : String(text.substr(from));
}

String Mid(std::u16string_view text, Long p, Long n) {
    if (p < 1 || n < 0) RaiseRuntimeError(rt::kInvalidProcedureCall);
    size_t from = static_cast<size_t>(p) - 1;
    return from >= text.size() ? String() : String(text.substr(from, static_cast<size_t>(n)));
}

String LeftText(std::u16string_view text, Long n) {
    if (n < 0) RaiseRuntimeError(rt::kInvalidProcedureCall);
    return String(text.substr(0, static_cast<size_t>(n)));
}

String RightText(std::u16string_view text, Long n) {
    if (n < 0) RaiseRuntimeError(rt::kInvalidProcedureCall);
    size_t count = std::min(text.size(), static_cast<size_t>(n));
    return String(text.substr(text.size() - count));
}

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        size_t ui, uj;
        char32_t x = CodePointAt(a, i, ui);
        char32_t y = CodePointAt(b, j, uj);
        if (x != y && Fold(x) != Fold(y)) return false;
        i += ui;
        j += uj;
    }
    return i == a.size() && j == b.size();
}

std::u32string CaseKey(std::u16string_view text) {
    std::u32string key;
    key.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t units;
        key.push_back(Fold(CodePointAt(text, i, units)));
        i += units;
    }
    return key;
}

String LowerCase(std::u16string_view text) { return MapCodePoints(text, ToLower); }
String UpperCase(std::u16string_view text) { return MapCodePoints(text, ToUpper); }

}  // namespace quibor15
