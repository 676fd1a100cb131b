// Date and time functions: DateSerial, Year, Now, ...
#include <cmath>

#include "host/script/builtins_impl.hpp"

namespace quibor15::script::builtins {
namespace {

constexpr double kMinSerial = -657434;  // 100-01-01
constexpr double kMaxSerial = 2958465;  // 9999-12-31

int WindowYear(Long year) {
    if (year >= 0 && year < 30) return 2000 + year;
    if (year >= 30 && year < 100) return 1900 + year;
    return year;
}

Variant DateSerialFn(Interpreter& in, Args a) {
    for (size_t i = 0; i < 3; ++i) {
        if (Arg(a, i).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
    }
    const Long y = LongArg(in, a, 0);
    const Long m = LongArg(in, a, 1);
    const Long d = LongArg(in, a, 2);
    // Months and days beyond their range carry into the year and month.
    int64_t year = WindowYear(y);
    int64_t month0 = static_cast<int64_t>(m) - 1;
    year += month0 >= 0 ? month0 / 12 : -((11 - month0) / 12);
    month0 = ((month0 % 12) + 12) % 12;
    if (year < 100 || year > 9999) InvalidCall();
    const double serial = DateSerialOf(static_cast<int>(year), static_cast<int>(month0) + 1, 1) + (d - 1.0);
    if (serial < kMinSerial || serial > kMaxSerial) InvalidCall();
    return Variant(Date{serial});
}

Date SerialFromSeconds(double total) {
    const double days = std::floor(total / 86400.0);
    const double fraction = (total - days * 86400.0) / 86400.0;
    return Date{days >= 0 ? days + fraction : days - fraction};
}

Variant TimeSerialFn(Interpreter& in, Args a) {
    for (size_t i = 0; i < 3; ++i) {
        if (Arg(a, i).IsNull()) RaiseScriptError(rt::kInvalidUseOfNull);
    }
    const double total = LongArg(in, a, 0) * 3600.0 + LongArg(in, a, 1) * 60.0 + LongArg(in, a, 2);
    return Variant(SerialFromSeconds(total));
}

template <int DateParts::*Field>
Variant DatePartFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    const DateParts parts = DateToParts(VariantToDate(Value(in, a, 0), in.Format()));
    return Variant(static_cast<Integer>(parts.*Field));
}

Variant WeekdayFn(Interpreter& in, Args a) {
    if (Arg(a, 0).IsNull()) return Variant::Null();
    const DateParts parts = DateToParts(VariantToDate(Value(in, a, 0), in.Format()));
    const Long first = Given(a, 1) ? LongArg(in, a, 1) : 1;
    if (first < 0 || first > 7) InvalidCall();
    const int start = first == 0 ? 1 : first;
    return Variant(static_cast<Integer>((parts.day_of_week - start + 7) % 7 + 1));
}

Variant NowFn(Interpreter& in, Args) { return Variant(in.Host().Now()); }
Variant DateFn(Interpreter& in, Args) { return Variant(Date{std::floor(in.Host().Now().serial)}); }
Variant TimeFn(Interpreter& in, Args) {
    const double serial = in.Host().Now().serial;
    return Variant(Date{serial - std::floor(serial)});
}
// Seconds since midnight to the hundredth.
Variant TimerFn(Interpreter& in, Args) {
    return Variant(static_cast<Single>(std::floor(in.Host().SecondsSinceMidnight() * 100.0) / 100.0));
}

const Builtin kTable[] = {
    {u"Date", 0, 0, DateFn},
    {u"DateSerial", 3, 3, DateSerialFn},
    {u"Day", 1, 1, DatePartFn<&DateParts::day>},
    {u"Hour", 1, 1, DatePartFn<&DateParts::hour>},
    {u"Minute", 1, 1, DatePartFn<&DateParts::minute>},
    {u"Month", 1, 1, DatePartFn<&DateParts::month>},
    {u"Now", 0, 0, NowFn},
    {u"Second", 1, 1, DatePartFn<&DateParts::second>},
    {u"Time", 0, 0, TimeFn},
    {u"Timer", 0, 0, TimerFn},
    {u"TimeSerial", 3, 3, TimeSerialFn},
    {u"Weekday", 1, 2, WeekdayFn},
    {u"Year", 1, 1, DatePartFn<&DateParts::year>},
};

}  // namespace

std::span<const Builtin> DateBuiltins() { return kTable; }

}  // namespace quibor15::script::builtins
