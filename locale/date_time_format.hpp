// Dates, times and the day and month names of one locale, written by the
// platform's formatters and read from its locale database.
#pragma once

#include "quibor15/object.hpp"
#include "quibor15/windows_services.hpp"

namespace quibor15::locale_services {

// The date part of `date` by a picture (DateFormat holding a text) or by the
// locale's long (DateFormat equal to 1) or short (anything else) picture.
// The empty text when the platform cannot format it.
String FormatDateText(WindowsServices& windows, Long lcid, Date date, const Variant& date_format);

// The time of day of `time` by `picture`, or by the locale's default time
// picture when picture is empty.
String FormatTimeText(WindowsServices& windows, Long lcid, Date time, const String& picture);

// Day 1 is Monday, 7 Sunday; error 0x80040000 outside 1 to 7.
String DayName(WindowsServices& windows, Long lcid, Integer day_index, bool abbreviate);
// Error 0x80040000 outside 1 to 12.
String MonthName(WindowsServices& windows, Long lcid, Integer month_index, bool abbreviate);
// The month name as the locale writes it after a day number (the genitive
// where the language has one); error 0x80040000 outside 1 to 12.
String UsedMonthName(WindowsServices& windows, Long lcid, Integer month_index, bool abbreviate);

}  // namespace quibor15::locale_services
