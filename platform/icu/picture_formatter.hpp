// Writes dates and times through Windows pictures, with the names a locale
// supplies. Knows nothing of ICU: the caller resolves the calendar fields and
// the names first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quibor15::icu_backend {

struct DateNames {
    // Indexed by month - 1. The format forms are the ones a language uses
    // after a day number (the genitive in Russian or Polish); the stand-alone
    // forms are the nominative.
    std::vector<std::u16string> months_format;
    std::vector<std::u16string> months_standalone;
    std::vector<std::u16string> abbrev_months_format;
    std::vector<std::u16string> abbrev_months_standalone;
    // Indexed by day of week, Sunday = 0.
    std::vector<std::u16string> days;
    std::vector<std::u16string> abbrev_days;
    std::vector<std::u16string> eras;  // indexed by era number
    std::u16string am;
    std::u16string pm;
};

struct DateFields {
    int era = 1;
    int year = 0;
    int month = 1;  // 1-based
    int day = 1;
    int day_of_week = 0;  // Sunday = 0
    // The year counts from a recent era (Japanese, Taiwan): yyyy is not
    // padded to four digits.
    bool era_year = false;
};

struct TimeFields {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Date fields: d dd (day), ddd dddd (day name), M MM (month), MMM MMMM
// (month name, the format form when the picture also shows a day number),
// y (year mod 100), yy, yyy and longer (full year), g gg (era). Everything
// else is copied.
std::u16string FormatDatePicture(std::u16string_view picture, const DateFields& date, const DateNames& names);

// Time fields: h hh H HH m mm s ss t (first character of the AM/PM marker) tt.
// flags are the Windows TIME_* flags (timeflags namespace): a field they
// suppress goes together with the separator in front of it.
std::u16string FormatTimePicture(std::u16string_view picture, const TimeFields& time, const DateNames& names,
                                 uint32_t flags = 0);

// The Gregorian calendar without a Julian cut-over, as Windows counts it.
bool IsValidGregorianDate(int year, int month, int day);
int DaysInMonth(int year, int month);
int DayOfWeek(int year, int month, int day);  // Sunday = 0

}  // namespace quibor15::icu_backend
