#include "platform/sim/picture_format.hpp"

#include <functional>

#include "platform/sim/call_log.hpp"

namespace quibor15::sim {

namespace {

String TwoDigits(int value) {
    String text = DecArg(value);
    return text.size() < 2 ? u"0" + text : text;
}

// Walks a picture: quoted text and other characters are copied, each run of
// one of `letters` is handed to `field` with its length.
String ExpandPicture(std::u16string_view picture, std::u16string_view letters,
                     const std::function<String(char16_t letter, size_t count)>& field) {
    String out;
    size_t i = 0;
    while (i < picture.size()) {
        const char16_t c = picture[i];
        if (c == u'\'') {
            ++i;
            if (i < picture.size() && picture[i] == u'\'') {  // '' outside quotes
                out += u'\'';
                ++i;
                continue;
            }
            while (i < picture.size()) {
                if (picture[i] == u'\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                        out += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += picture[i++];
            }
            continue;
        }
        if (letters.find(c) != std::u16string_view::npos) {
            size_t run = 1;
            while (i + run < picture.size() && picture[i + run] == c) ++run;
            out += field(c, run);
            i += run;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

}  // namespace

bool IsLeapYearGregorian(int year) noexcept { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonthGregorian(int year, int month) noexcept {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYearGregorian(year) ? 29 : kDays[month - 1];
}

int DayOfWeekGregorian(int year, int month, int day) noexcept {
    // Days from the civil date (proleptic Gregorian), 1970-01-01 a Thursday.
    const int y = month <= 2 ? year - 1 : year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long days = static_cast<long>(era) * 146097 + doe - 719468;
    const long dow = (days % 7 + 7 + 4) % 7;
    return static_cast<int>(dow);
}

bool IsValidDate(const SystemTime& time) noexcept {
    return time.year >= 1601 && time.year <= 30827 && time.month >= 1 && time.month <= 12 && time.day >= 1 &&
           time.day <= DaysInMonthGregorian(time.year, time.month);
}

bool IsValidTime(const SystemTime& time) noexcept {
    return time.hour < 24 && time.minute < 60 && time.second < 60 && time.milliseconds < 1000;
}

String FormatDatePicture(std::u16string_view picture, const SystemTime& time, const CalendarNames& names) {
    const int dow = DayOfWeekGregorian(time.year, time.month, time.day);
    const size_t name_index = static_cast<size_t>((dow + 6) % 7);  // Monday first
    const size_t month_index = static_cast<size_t>(time.month - 1);
    return ExpandPicture(picture, u"dMy", [&](char16_t letter, size_t count) -> String {
        switch (letter) {
            case u'd':
                if (count == 1) return DecArg(time.day);
                if (count == 2) return TwoDigits(time.day);
                return count == 3 ? names.abbrev_days[name_index] : names.days[name_index];
            case u'M':
                if (count == 1) return DecArg(time.month);
                if (count == 2) return TwoDigits(time.month);
                return count == 3 ? names.abbrev_months[month_index] : names.months[month_index];
            default:  // y
                if (count == 1) return DecArg(time.year % 100);
                if (count == 2) return TwoDigits(time.year % 100);
                return DecArg(time.year);
        }
    });
}

String FormatTimePicture(std::u16string_view picture, const SystemTime& time, const CalendarNames& names) {
    const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
    const String& marker = time.hour < 12 ? names.am : names.pm;
    return ExpandPicture(picture, u"hHmst", [&](char16_t letter, size_t count) -> String {
        switch (letter) {
            case u'h':
                return count == 1 ? DecArg(hour12) : TwoDigits(hour12);
            case u'H':
                return count == 1 ? DecArg(time.hour) : TwoDigits(time.hour);
            case u'm':
                return count == 1 ? DecArg(time.minute) : TwoDigits(time.minute);
            case u's':
                return count == 1 ? DecArg(time.second) : TwoDigits(time.second);
            default:  // t
                return count == 1 ? marker.substr(0, 1) : marker;
        }
    });
}

}  // namespace quibor15::sim
