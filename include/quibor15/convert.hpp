// The forms runtime's conversions and checked arithmetic: what a member sees
// when a caller passes a value of another type, and the 16/32-bit overflow
// rules every Integer and Long computation follows.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "quibor15/variant.hpp"

namespace quibor15 {

// A locale's month names, full and abbreviated, January first.
struct MonthNames {
    std::array<String, 12> full;
    std::array<String, 12> abbreviated;
};

// The number format that text-to-number and number-to-text conversions use:
// the system locale's separators. The component takes it from the platform;
// the default serves where no locale is known.
struct NumberFormat {
    char16_t decimal = u'.';
    char16_t thousands = u',';
    // Text may group the digits of its whole part with `thousands` (the
    // script runtime's conversions do; the component's strict ones do not).
    bool grouped = false;
    // The locale's month names, which text-to-date conversions read beside
    // the English ones; none by default. Whoever makes the format owns them
    // and keeps them while the format is in use.
    const MonthNames* months = nullptr;
};

// Double to Integer / Long: halves to even; error 6 outside the range.
Integer ToInteger(double value);
Long ToLong(double value);
double RoundHalfEven(double value);

// Checked arithmetic: error 6 when the result leaves the type.
Integer CheckedAdd(Integer a, Integer b);
Integer CheckedSub(Integer a, Integer b);
Integer CheckedMul(Integer a, Integer b);
Long CheckedAdd(Long a, Long b);
Long CheckedSub(Long a, Long b);
Long CheckedMul(Long a, Long b);
Integer CheckedNarrow(Long value);  // Long to Integer

// Variant conversions with the runtime's rules: Empty reads as 0 / "" /
// False, Null raises 94, text reads as a number in the given format (error
// 13 otherwise), Boolean True is -1, objects read their default member.
Integer VariantToInteger(const Variant& v, const NumberFormat& fmt = {});
Long VariantToLong(const Variant& v, const NumberFormat& fmt = {});
Single VariantToSingle(const Variant& v, const NumberFormat& fmt = {});
Double VariantToDouble(const Variant& v, const NumberFormat& fmt = {});
Currency VariantToCurrency(const Variant& v, const NumberFormat& fmt = {});
Boolean VariantToBoolean(const Variant& v, const NumberFormat& fmt = {});
Date VariantToDate(const Variant& v, const NumberFormat& fmt = {});
Byte VariantToByte(const Variant& v, const NumberFormat& fmt = {});
// Numbers as DecimalText, Boolean as "True"/"False", dates as
// M/d/yyyy h:mm:ss AM/PM (date or time part alone when the other is zero),
// Empty as "", Null raises 94.
String VariantToString(const Variant& v, const NumberFormat& fmt = {});
// The value converted to type t (VarType::Variant returns it unchanged).
Variant ConvertVariant(const Variant& v, VarType t, const NumberFormat& fmt = {});

// Text to number in the given format: sign, digits (with fmt.grouped, group
// separators between those of the whole part), one decimal separator,
// blanks around, an optional exponent, or "&H"/"&O" radix forms. nullopt-like
// failure is reported through the bool.
bool ParseNumber(std::u16string_view text, const NumberFormat& fmt, double& out);

// Currency from a double: nearest ten-thousandth, halves to even; error 6
// outside the range.
Currency CurrencyFromDouble(double value);
double CurrencyToDouble(Currency c) noexcept;

// Dates: calendar fields to a Date and back. Years 100 to 9999 (two-digit
// years are the caller's business); month and day may overflow into the
// next month or year as DateSerial allows. Error 5 outside the range.
Date DateFromParts(int32_t year, int32_t month, int32_t day);
Date TimeFromParts(int32_t hour, int32_t minute, int32_t second);
struct DateParts {
    int32_t year = 1899, month = 12, day = 30;
    int32_t hour = 0, minute = 0, second = 0;
    int32_t day_of_week = 7;  // 1 Sunday to 7 Saturday
};
DateParts DateToParts(Date d);
bool IsLeapYear(int32_t year) noexcept;
int32_t DaysInMonth(int32_t year, int32_t month) noexcept;

}  // namespace quibor15
