// The date built-ins beyond the basic ones: DateAdd, DateDiff, DatePart,
// MonthName, WeekdayName, DateValue, TimeValue and FormatDateTime.
//
// A date is a day number and a time of day; before the day zero the serial
// is negative but the time still counts forward (-1.25 is 1899-12-29 06:00),
// so arithmetic runs on the timeline, not on the serial.
#include <cmath>

#include "host/script/builtins_impl.hpp"
#include "host/script/script_error.hpp"

namespace quibor15::script::builtins {
namespace {

constexpr uint32_t kSDayName1 = 0x2A;  // Monday
constexpr uint32_t kSAbbrevDayName1 = 0x31;
constexpr uint32_t kSMonthName1 = 0x38;
constexpr uint32_t kSAbbrevMonthName1 = 0x44;
constexpr uint32_t kIFirstDayOfWeek = 0x100C;  // 0 Monday .. 6 Sunday
constexpr uint32_t kIFirstWeekOfYear = 0x100D;
constexpr double kMinSerial = -657434;  // 100-01-01
constexpr double kMaxSerial = 2958466;  // 10000-01-01

struct Moment {
    int64_t day;     // the calendar day's number
    double seconds;  // into that day
};

Moment Split(Date d) {
    const double day = std::trunc(d.serial);
    return Moment{static_cast<int64_t>(day), std::round(std::fabs(d.serial - day) * 86400.0 * 1000.0) / 1000.0};
}

Date Join(int64_t day, double seconds) {
    const double fraction = seconds / 86400.0;
    const double serial = day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
    if (serial < kMinSerial || serial >= kMaxSerial) InvalidCall();
    return Date{serial};
}

double Timeline(Date d) {
    const Moment m = Split(d);
    return static_cast<double>(m.day) * 86400.0 + m.seconds;
}

Date FromTimeline(double total) {
    const double day = std::floor(total / 86400.0);
    return Join(static_cast<int64_t>(day), total - day * 86400.0);
}

int64_t DayNumber(int32_t year, int32_t month, int32_t day) {
    return static_cast<int64_t>(DateFromParts(year, month, day).serial);
}

// 1 Sunday .. 7 Saturday of a day number (the day zero was a Saturday).
int WeekdayOf(int64_t day) { return static_cast<int>(((day % 7) + 7 + 6) % 7) + 1; }

// The first day of the week: vbSunday .. vbSaturday, 0 for the system's.
int FirstDay(Interpreter& in, Args a, size_t i) {
    const Long first = LongOr(in, a, i, 1);
    if (first < 0 || first > 7) InvalidCall();
    if (first != 0) return first;
    const std::optional<String> setting = in.Host().LocaleInfo(kIFirstDayOfWeek);
    const int monday_based = setting && !setting->empty() ? (*setting)[0] - u'0' : 6;
    return (monday_based + 1) % 7 + 1;
}

int FirstWeek(Interpreter& in, Args a, size_t i) {
    const Long first = LongOr(in, a, i, 1);
    if (first < 0 || first > 3) InvalidCall();
    if (first != 0) return first;
    const std::optional<String> setting = in.Host().LocaleInfo(kIFirstWeekOfYear);
    return setting && !setting->empty() ? (*setting)[0] - u'0' + 1 : 1;
}

int64_t WeekStart(int64_t day, int first_day) { return day - (WeekdayOf(day) - first_day + 7) % 7; }

// The week of the year a day falls in: vbFirstJan1 (1) counts the week of
// 1 January as the first, vbFirstFourDays (2) the first with four days of
// the year, vbFirstFullWeek (3) the first that lies wholly in it.
int WeekOfYear(int64_t day, int32_t year, int first_day, int first_week) {
    for (;;) {
        const int64_t jan1 = DayNumber(year, 1, 1);
        int64_t start = WeekStart(jan1, first_day);
        if (first_week == 2 && jan1 - start > 3) start += 7;
        if (first_week == 3 && start != jan1) start += 7;
        if (day >= start) return static_cast<int>((day - start) / 7) + 1;
        --year;  // the last week of the year before
    }
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval IntervalArg(Interpreter& in, Args a, size_t i) {
    const String s = LowerCase(TextArg(in, a, i));
    static constexpr std::pair<std::u16string_view, Interval> kNames[] = {
        {u"yyyy", Interval::Year}, {u"q", Interval::Quarter}, {u"m", Interval::Month}, {u"y", Interval::DayOfYear},
        {u"d", Interval::Day},     {u"w", Interval::Weekday}, {u"ww", Interval::Week}, {u"h", Interval::Hour},
        {u"n", Interval::Minute},  {u"s", Interval::Second},
    };
    for (const auto& [name, interval] : kNames) {
        if (s == name) return interval;
    }
    InvalidCall();
}

Date AddMonths(Date d, double months) {
    const DateParts p = DateToParts(d);
    const int64_t total = static_cast<int64_t>(p.year) * 12 + (p.month - 1) + static_cast<int64_t>(months);
    const int64_t year = total >= 0 ? total / 12 : -((11 - total) / 12);
    const int month = static_cast<int>(total - year * 12) + 1;
    if (year < 100 || year > 9999) InvalidCall();
    // The day stays, or becomes the last of a shorter month.
    const int day = std::min(p.day, DaysInMonth(static_cast<int32_t>(year), month));
    return Join(DayNumber(static_cast<int32_t>(year), month, day), Split(d).seconds);
}

Variant DateAddFn(Interpreter& in, Args a) {
    const Interval interval = IntervalArg(in, a, 0);
    if (Arg(a, 1).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
    if (Arg(a, 2).IsNull()) return Variant::Null();
    const double number = std::round(DoubleArg(in, a, 1));
    const Date d = DateArg(in, a, 2);
    if (std::fabs(number) > 1e10) InvalidCall();
    switch (interval) {
        case Interval::Year:
            return Variant(AddMonths(d, number * 12));
        case Interval::Quarter:
            return Variant(AddMonths(d, number * 3));
        case Interval::Month:
            return Variant(AddMonths(d, number));
        case Interval::DayOfYear:
        case Interval::Day:
        case Interval::Weekday: {
            const Moment m = Split(d);
            return Variant(Join(m.day + static_cast<int64_t>(number), m.seconds));
        }
        case Interval::Week: {
            const Moment m = Split(d);
            return Variant(Join(m.day + static_cast<int64_t>(number) * 7, m.seconds));
        }
        case Interval::Hour:
            return Variant(FromTimeline(Timeline(d) + number * 3600));
        case Interval::Minute:
            return Variant(FromTimeline(Timeline(d) + number * 60));
        case Interval::Second:
            return Variant(FromTimeline(Timeline(d) + number));
    }
    return Variant();
}

// How many boundaries of the interval lie between two dates; negative when
// the second is earlier.
Variant DateDiffFn(Interpreter& in, Args a) {
    const Interval interval = IntervalArg(in, a, 0);
    if (Arg(a, 1).IsNull() || Arg(a, 2).IsNull()) return Variant::Null();
    const Date d1 = DateArg(in, a, 1);
    const Date d2 = DateArg(in, a, 2);
    const int first_day = FirstDay(in, a, 3);
    FirstWeek(in, a, 4);  // checked, but no difference counts weeks of the year
    const DateParts p1 = DateToParts(d1);
    const DateParts p2 = DateToParts(d2);
    const int64_t day1 = Split(d1).day;
    const int64_t day2 = Split(d2).day;
    auto floor_div = [](double x, double unit) { return static_cast<int64_t>(std::floor(x / unit)); };
    int64_t diff = 0;
    switch (interval) {
        case Interval::Year:
            diff = p2.year - p1.year;
            break;
        case Interval::Quarter:
            diff = (p2.year * 4 + (p2.month - 1) / 3) - (p1.year * 4 + (p1.month - 1) / 3);
            break;
        case Interval::Month:
            diff = (p2.year * 12 + p2.month) - (p1.year * 12 + p1.month);
            break;
        case Interval::DayOfYear:
        case Interval::Day:
            diff = day2 - day1;
            break;
        case Interval::Weekday:
            diff = (day2 - day1) / 7;
            break;
        case Interval::Week:
            diff = (WeekStart(day2, first_day) - WeekStart(day1, first_day)) / 7;
            break;
        case Interval::Hour:
            diff = floor_div(Timeline(d2), 3600) - floor_div(Timeline(d1), 3600);
            break;
        case Interval::Minute:
            diff = floor_div(Timeline(d2), 60) - floor_div(Timeline(d1), 60);
            break;
        case Interval::Second:
            diff = floor_div(Timeline(d2), 1) - floor_div(Timeline(d1), 1);
            break;
    }
    if (diff > INT32_MAX || diff < INT32_MIN) RaiseScriptError(rt::kOverflow);
    return Variant(static_cast<Long>(diff));
}

Variant DatePartFn(Interpreter& in, Args a) {
    const Interval interval = IntervalArg(in, a, 0);
    if (Arg(a, 1).IsNull()) return Variant::Null();
    const Date d = DateArg(in, a, 1);
    const int first_day = FirstDay(in, a, 2);
    const int first_week = FirstWeek(in, a, 3);
    const DateParts p = DateToParts(d);
    const int64_t day = Split(d).day;
    Long part = 0;
    switch (interval) {
        case Interval::Year:
            part = p.year;
            break;
        case Interval::Quarter:
            part = (p.month - 1) / 3 + 1;
            break;
        case Interval::Month:
            part = p.month;
            break;
        case Interval::DayOfYear:
            part = static_cast<Long>(day - DayNumber(p.year, 1, 1)) + 1;
            break;
        case Interval::Day:
            part = p.day;
            break;
        case Interval::Weekday:
            part = (WeekdayOf(day) - first_day + 7) % 7 + 1;
            break;
        case Interval::Week:
            part = WeekOfYear(day, p.year, first_day, first_week);
            break;
        case Interval::Hour:
            part = p.hour;
            break;
        case Interval::Minute:
            part = p.minute;
            break;
        case Interval::Second:
            part = p.second;
            break;
    }
    return Variant(static_cast<Integer>(part));
}

// A name from the system locale; English when it has none.
String LocaleName(Interpreter& in, uint32_t lctype, const char16_t* fallback) {
    const std::optional<String> name = in.Host().LocaleInfo(lctype);
    return name && !name->empty() ? *name : String(fallback);
}

Variant MonthNameFn(Interpreter& in, Args a) {
    static constexpr const char16_t* kMonths[] = {u"January",   u"February", u"March",    u"April",
                                                  u"May",       u"June",     u"July",     u"August",
                                                  u"September", u"October",  u"November", u"December"};
    const Long month = LongArg(in, a, 0);
    if (month < 1 || month > 12) InvalidCall();
    const bool abbreviate = Given(a, 1) && BoolArg(in, a, 1);
    const String full(kMonths[month - 1]);
    const String fallback = abbreviate ? full.substr(0, 3) : full;
    return Variant(LocaleName(in, (abbreviate ? kSAbbrevMonthName1 : kSMonthName1) + month - 1, fallback.c_str()));
}

Variant WeekdayNameFn(Interpreter& in, Args a) {
    static constexpr const char16_t* kDays[] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                                u"Thursday", u"Friday", u"Saturday"};
    const Long n = LongArg(in, a, 0);
    if (n < 1 || n > 7) InvalidCall();
    const bool abbreviate = Given(a, 1) && BoolArg(in, a, 1);
    const int first_day = FirstDay(in, a, 2);
    const int weekday = (first_day - 1 + n - 1) % 7;  // 0 Sunday
    const String full(kDays[weekday]);
    const String fallback = abbreviate ? full.substr(0, 3) : full;
    const uint32_t monday_based = static_cast<uint32_t>((weekday + 6) % 7);
    return Variant(LocaleName(in, (abbreviate ? kSAbbrevDayName1 : kSDayName1) + monday_based, fallback.c_str()));
}

Variant DateValueFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    return Variant(Join(Split(DateArg(in, a, 0)).day, 0));
}

Variant TimeValueFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    return Variant(Join(0, Split(DateArg(in, a, 0)).seconds));
}

// FormatDateTime(date[, vbGeneralDate | vbLongDate | vbShortDate |
// vbLongTime | vbShortTime]); the short time is always hh:mm in 24 hours.
Variant FormatDateTimeFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
    const Date d = DateArg(in, a, 0);
    const Long named = LongOr(in, a, 1, 0);
    switch (named) {
        case 0:
            return Variant(in.Host().DateText(d));
        case 1:
        case 2:
            return Variant(in.Host().DateOnlyText(d, named == 1));
        case 3:
            return Variant(in.Host().TimeOnlyText(d));
        case 4: {
            const DateParts p = DateToParts(d);
            return Variant(PadDigits(p.hour, 2) + u":" + PadDigits(p.minute, 2));
        }
        default:
            InvalidCall();
    }
}

constexpr Builtin kDateBuiltins[] = {
    {u"DateAdd", 3, 3, DateAddFn},
    {u"DateDiff", 3, 5, DateDiffFn},
    {u"DatePart", 2, 4, DatePartFn},
    {u"DateValue", 1, 1, DateValueFn},
    {u"FormatDateTime", 1, 2, FormatDateTimeFn},
    {u"MonthName", 1, 2, MonthNameFn},
    {u"TimeValue", 1, 1, TimeValueFn},
    {u"WeekdayName", 1, 3, WeekdayNameFn},
};

}  // namespace

std::span<const Builtin> DateMathBuiltins() { return kDateBuiltins; }

}  // namespace quibor15::script::builtins
