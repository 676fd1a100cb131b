// Date and time pictures in the Windows picture syntax, for the fixture
// locale database: a subset that covers the pictures locales ship.
//
// Dates: d (day), dd (two digits), ddd (abbreviated day name), dddd and
// longer (day name), M, MM, MMM, MMMM and longer (month name), y (year of
// the century without a leading zero), yy, yyy and longer (full year).
// Times: h and hh (12-hour clock), H and HH (24-hour clock), m, mm, s, ss,
// t (first character of the AM/PM designator), tt (the designator).
// Text in single quotes is copied ('' is one quote, inside or outside
// quotes); every other character is copied as it is. Runs longer than the
// longest form of a time letter count as that form.
#pragma once

#include <array>
#include <string_view>

#include "quibor15/error.hpp"
#include "quibor15/locale_database.hpp"

namespace quibor15::sim {

struct CalendarNames {
    std::array<String, 12> months;
    std::array<String, 12> abbrev_months;
    std::array<String, 7> days;  // Monday first, as LOCALE_SDAYNAME1 to 7
    std::array<String, 7> abbrev_days;
    String am;
    String pm;
};

bool IsLeapYearGregorian(int year) noexcept;
int DaysInMonthGregorian(int year, int month) noexcept;
// 0 Sunday to 6 Saturday.
int DayOfWeekGregorian(int year, int month, int day) noexcept;

// Windows accepts years 1601 to 30827 and real calendar days.
bool IsValidDate(const SystemTime& time) noexcept;
bool IsValidTime(const SystemTime& time) noexcept;

// The day of the week comes from the date, not from the record's field.
String FormatDatePicture(std::u16string_view picture, const SystemTime& time, const CalendarNames& names);
String FormatTimePicture(std::u16string_view picture, const SystemTime& time, const CalendarNames& names);

}  // namespace quibor15::sim
