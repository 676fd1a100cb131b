#include "platform/icu/picture_formatter.hpp"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <algorithm>

#include "platform/icu/info_codes.hpp"
#include "platform/icu/picture_syntax.hpp"

namespace quibor15::icu_backend {
namespace {

void AppendNumber(std::u16string& out, int value, int min_digits) {
    std::u16string digits;
    do {
        digits.push_back(static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    while (static_cast<int>(digits.size()) < min_digits) digits.push_back(u'0');
    out.append(digits.rbegin(), digits.rend());
}

const std::u16string& NameAt(const std::vector<std::u16string>& names, int index) {
    static const std::u16string kEmpty;
    if (index < 0 || index >= static_cast<int>(names.size())) return kEmpty;
    return names[static_cast<size_t>(index)];
}

// Windows switches to the genitive month names only when a day number sits in
// the same picture; a day name alone does not count.
bool ShowsDayNumber(const PictureTokens& tokens) {
    return std::any_of(tokens.begin(), tokens.end(),
                       [](const PictureToken& t) { return t.is_field && t.letter == u'd' && t.count <= 2; });
}

std::u16string FirstCharacter(const std::u16string& text) {
    if (text.empty()) return {};
    size_t length = U16_IS_LEAD(text[0]) && text.size() > 1 ? 2 : 1;
    return text.substr(0, length);
}

bool IsSpace(char16_t c) { return u_isUWhiteSpace(c) != 0; }

void Trim(std::u16string& text) {
    auto first = std::find_if_not(text.begin(), text.end(), IsSpace);
    text.erase(text.begin(), first);
    while (!text.empty() && IsSpace(text.back())) text.pop_back();
}

}  // namespace

bool IsValidGregorianDate(int year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

int DayOfWeek(int year, int month, int day) {
    static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

std::u16string FormatDatePicture(std::u16string_view picture, const DateFields& date, const DateNames& names) {
    const PictureTokens tokens = TokenizePicture(picture, kDateFieldLetters);
    const bool genitive = ShowsDayNumber(tokens);
    std::u16string out;
    for (const PictureToken& t : tokens) {
        if (!t.is_field) {
            out.append(t.text);
            continue;
        }
        switch (t.letter) {
            case u'd':
                if (t.count <= 2) {
                    AppendNumber(out, date.day, t.count);
                } else {
                    out.append(NameAt(t.count == 3 ? names.abbrev_days : names.days, date.day_of_week));
                }
                break;
            case u'M':
                if (t.count <= 2) {
                    AppendNumber(out, date.month, t.count);
                } else if (t.count == 3) {
                    out.append(
                        NameAt(genitive ? names.abbrev_months_format : names.abbrev_months_standalone, date.month - 1));
                } else {
                    out.append(NameAt(genitive ? names.months_format : names.months_standalone, date.month - 1));
                }
                break;
            case u'y':
                if (t.count <= 2) {
                    AppendNumber(out, date.year % 100, t.count);
                } else {
                    AppendNumber(out, date.year, date.era_year ? 1 : 4);
                }
                break;
            case u'g':
                out.append(NameAt(names.eras, date.era));
                break;
        }
    }
    return out;
}

std::u16string FormatTimePicture(std::u16string_view picture, const TimeFields& time, const DateNames& names,
                                 uint32_t flags) {
    const PictureTokens tokens = TokenizePicture(picture, kTimeFieldLetters);
    const bool force24 = (flags & timeflags::kForce24Hour) != 0;
    const bool no_marker = (flags & timeflags::kNoTimeMarker) != 0;
    const bool no_minutes = (flags & timeflags::kNoMinutesOrSeconds) != 0;
    const bool no_seconds = no_minutes || (flags & timeflags::kNoSeconds) != 0;
    const std::u16string& marker = time.hour < 12 ? names.am : names.pm;

    std::u16string out;
    size_t separator_start = 0;  // where the literal text after the last field began
    bool suppressed_any = false;
    for (const PictureToken& t : tokens) {
        if (!t.is_field) {
            out.append(t.text);
            continue;
        }
        const bool suppressed = (t.letter == u't' && (no_marker || force24)) || (t.letter == u'm' && no_minutes) ||
                                (t.letter == u's' && no_seconds);
        if (suppressed) {
            out.resize(separator_start);
            suppressed_any = true;
            continue;
        }
        const int count = std::min(t.count, 2);
        switch (t.letter) {
            case u'h':
                if (force24) {
                    AppendNumber(out, time.hour, count);
                } else {
                    AppendNumber(out, time.hour % 12 == 0 ? 12 : time.hour % 12, count);
                }
                break;
            case u'H':
                AppendNumber(out, time.hour, count);
                break;
            case u'm':
                AppendNumber(out, time.minute, count);
                break;
            case u's':
                AppendNumber(out, time.second, count);
                break;
            case u't':
                out.append(t.count == 1 ? FirstCharacter(marker) : marker);
                break;
        }
        separator_start = out.size();
    }
    if (suppressed_any) Trim(out);
    return out;
}

}  // namespace quibor15::icu_backend
