#include "locale/date_time_format.hpp"

#include <algorithm>
#include <cmath>

#include "locale/locale_codes.hpp"
#include "locale/locale_text.hpp"
#include "quibor15/convert.hpp"

namespace quibor15::locale_services {
namespace {

constexpr char16_t kLocaleSource[] = u"Locale";

// The calendar and clock fields of a Date, or nullopt for a value outside
// the date type, which no formatter accepts.
std::optional<quibor15::DateParts> FieldsOf(Date value) {
    try {
        return DateToParts(value);
    } catch (const AutomationError&) {
        return std::nullopt;
    }
}

uint16_t Field(int32_t value) { return static_cast<uint16_t>(value); }

// DateFormat = 1, as the runtime compares a Variant with a number: numbers
// and dates by value; texts never reach here; Empty, Null, Booleans and
// error values are not 1.
bool IsLongDateRequest(const Variant& date_format) {
    const Variant& v = date_format.Deref();
    if (v.IsNumber()) return VariantToDouble(v) == 1.0;
    if (const Date* d = v.As<Date>()) return d->serial == 1.0;
    if (v.IsObject() || v.IsArray()) return VariantToDouble(v) == 1.0;  // default member, or error 13
    return false;
}

// The text the platform wrote, up to its NUL, taken from the buffer.
String Formatted(int32_t result, String& buffer) {
    if (result == 0) return String();
    buffer.resize(std::min(buffer.size(), buffer.find(u'\0')));
    return std::move(buffer);
}

void CheckMonthIndex(Integer month_index) {
    if (month_index < 1 || month_index > 12) {
        throw AutomationError(kObjectErrorBase, kLocaleSource, u"Month index out of range (1-12 only)");
    }
}

}  // namespace

String FormatDateText(WindowsServices& windows, Long lcid, Date date, const Variant& date_format) {
    const auto fields = FieldsOf(date);
    const bool long_date = !date_format.IsString() && IsLongDateRequest(date_format);
    if (!fields) return String();
    SystemTime record;
    record.year = Field(fields->year);
    record.month = Field(fields->month);
    record.day = Field(fields->day);
    String buffer;
    int32_t result;
    if (const String* picture = date_format.As<String>()) {
        result = windows.GetDateFormatA(lcid, 0, record, picture, buffer, kLocaleBufferChars);
    } else {
        const uint32_t flags = long_date ? lcflags::kDateLongDate : lcflags::kDateShortDate;
        result = windows.GetDateFormatA(lcid, flags, record, nullptr, buffer, kLocaleBufferChars);
    }
    return Formatted(result, buffer);
}

String FormatTimeText(WindowsServices& windows, Long lcid, Date time, const String& picture) {
    const auto fields = FieldsOf(time);
    if (!fields) return String();
    SystemTime record;
    record.hour = Field(fields->hour);
    record.minute = Field(fields->minute);
    record.second = Field(fields->second);
    String buffer;
    const int32_t result =
        windows.GetTimeFormatA(lcid, 0, record, picture.empty() ? nullptr : &picture, buffer, kLocaleBufferChars);
    return Formatted(result, buffer);
}

String DayName(WindowsServices& windows, Long lcid, Integer day_index, bool abbreviate) {
    if (day_index < 1 || day_index > 7) {
        throw AutomationError(kObjectErrorBase, kLocaleSource, u"Day index out of range (1-7 only)");
    }
    const uint32_t first = abbreviate ? info::kSAbbrevDayName1 : info::kSDayName1;
    return GetLocaleString(windows, lcid, first + static_cast<uint32_t>(day_index - 1));
}

String MonthName(WindowsServices& windows, Long lcid, Integer month_index, bool abbreviate) {
    CheckMonthIndex(month_index);
    const uint32_t first = abbreviate ? info::kSAbbrevMonthName1 : info::kSMonthName1;
    return GetLocaleString(windows, lcid, first + static_cast<uint32_t>(month_index - 1));
}

String UsedMonthName(WindowsServices& windows, Long lcid, Integer month_index, bool abbreviate) {
    CheckMonthIndex(month_index);
    const String picture = abbreviate ? u"dd MMM" : u"dd MMMM";
    SystemTime record;
    record.year = 1999;
    record.month = Field(month_index);
    record.day = 21;
    String buffer;
    String text = Formatted(windows.GetDateFormatA(lcid, 0, record, &picture, buffer, kLocaleBufferChars), buffer);
    const auto space = text.find(u' ');
    if (space != String::npos) text.erase(0, space + 1);
    return text;
}

}  // namespace quibor15::locale_services
