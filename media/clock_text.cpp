#include "media/clock_text.hpp"

#include "quibor15/convert.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::media {

namespace {

// Whole seconds of a millisecond count, halves to even.
Long WholeSeconds(Long milliseconds) { return ToLong(static_cast<double>(milliseconds) / 1000.0); }

struct ClockParts {
    Integer hours = 0;
    Long minutes = 0;
    Long seconds = 0;
};

// Hours, minutes and seconds of a second count; remainders keep the sign of
// the count, so a negative count gives parts that are all at most 0.
ClockParts SplitSeconds(Long total) {
    ClockParts parts;
    parts.hours = ToInteger(Floor(total / 3600.0));
    const Long rest = total % 3600;
    parts.minutes = ToLong(Floor(rest / 60.0));
    parts.seconds = rest % 60;
    return parts;
}

// "00" for 0 or less, "0" + the digit for 1 to 9, else the decimal value.
String TwoDigits(Long value) {
    if (value < 1) return u"00";
    if (value <= 9) return u"0" + DecimalText(value);
    return DecimalText(value);
}

}  // namespace

String MovieClockText(Long milliseconds) {
    const ClockParts p = SplitSeconds(WholeSeconds(milliseconds));
    const String hours = p.hours < 1 ? String() : DecimalText(Long{p.hours}) + u":";
    const String minutes = p.minutes < 1 ? String(u"0") : DecimalText(p.minutes);
    return hours + minutes + u":" + TwoDigits(p.seconds);
}

String PlayerClockText(Long milliseconds) {
    const ClockParts p = SplitSeconds(WholeSeconds(milliseconds));
    const String hours = p.hours <= 0 ? String() : DecimalText(Long{p.hours}) + u":";
    return hours + TwoDigits(p.minutes) + u":" + TwoDigits(p.seconds);
}

String PlayerPositionText(Long seconds) {
    if (seconds < 60) return u"0:" + PadDigits(seconds, 2);
    const double minutes = Floor(seconds / 60.0);
    return PadDigits(minutes, 2) + u":" + PadDigits(seconds - 60.0 * minutes, 2);
}

}  // namespace quibor15::media
