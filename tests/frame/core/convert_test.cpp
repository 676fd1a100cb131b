#include "quibor15/convert.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "frame/core/expect_error.hpp"
#include "frame/core/test_objects.hpp"

namespace quibor15 {
namespace {

using testing::PropertyBag;

// --- checked arithmetic

TEST(CheckedArithmeticTest, IntegerRange) {
    EXPECT_EQ(CheckedAdd(Integer{32766}, Integer{1}), 32767);
    EXPECT_RAISES(6, CheckedAdd(Integer{32767}, Integer{1}));
    EXPECT_RAISES(6, CheckedSub(Integer{-32768}, Integer{1}));
    EXPECT_EQ(CheckedSub(Integer{-32767}, Integer{1}), -32768);
    EXPECT_EQ(CheckedMul(Integer{-128}, Integer{256}), -32768);
    EXPECT_RAISES(6, CheckedMul(Integer{128}, Integer{256}));
    EXPECT_RAISES(6, CheckedMul(Integer{-32768}, Integer{-1}));
}

TEST(CheckedArithmeticTest, LongRange) {
    constexpr Long kMax = std::numeric_limits<Long>::max();
    constexpr Long kMin = std::numeric_limits<Long>::min();
    EXPECT_EQ(CheckedAdd(kMax - 1, Long{1}), kMax);
    EXPECT_RAISES(6, CheckedAdd(kMax, Long{1}));
    EXPECT_RAISES(6, CheckedSub(kMin, Long{1}));
    EXPECT_RAISES(6, CheckedMul(Long{65536}, Long{32768}));
    EXPECT_EQ(CheckedMul(Long{-65536}, Long{32768}), kMin);
    EXPECT_RAISES(6, CheckedMul(kMin, Long{-1}));
}

TEST(CheckedArithmeticTest, Narrow) {
    EXPECT_EQ(CheckedNarrow(32767), 32767);
    EXPECT_EQ(CheckedNarrow(-32768), -32768);
    EXPECT_RAISES(6, CheckedNarrow(32768));
    EXPECT_RAISES(6, CheckedNarrow(-32769));
}

// --- ParseNumber

TEST(ParseNumberTest, Forms) {
    double v = -1;
    EXPECT_TRUE(ParseNumber(u"  -12.5e2 ", {}, v));
    EXPECT_EQ(v, -1250);
    EXPECT_TRUE(ParseNumber(u"&H10", {}, v));
    EXPECT_EQ(v, 16);
    EXPECT_TRUE(ParseNumber(u"&o777", {}, v));
    EXPECT_EQ(v, 511);
    EXPECT_TRUE(ParseNumber(u"5.", {}, v));
    EXPECT_EQ(v, 5);
    EXPECT_TRUE(ParseNumber(u"1e-400", {}, v));  // vanishing: 0
    EXPECT_EQ(v, 0);
    v = 7;
    EXPECT_FALSE(ParseNumber(u"1e400", {}, v));  // too large for a Double
    EXPECT_FALSE(ParseNumber(u"&H", {}, v));
    EXPECT_FALSE(ParseNumber(u"&O8", {}, v));
    EXPECT_FALSE(ParseNumber(u"1 000", {}, v));
    EXPECT_FALSE(ParseNumber(u"++1", {}, v));
    EXPECT_EQ(v, 7);  // untouched on failure
}

TEST(ParseNumberTest, GroupSeparatorsBetweenWholeDigits) {
    const NumberFormat us{u'.', u',', true};
    const NumberFormat german{u',', u'.', true};
    struct Case {
        std::u16string_view text;
        NumberFormat fmt;
        bool ok;
        double value;
    } cases[] = {
        {u"1,234.5", us, true, 1234.5}, {u"12,345,678", us, true, 12345678},
        {u"-1,000", us, true, -1000},   {u"1.234,5", german, true, 1234.5},
        {u",5", us, false, 0},          {u"1,", us, false, 0},
        {u"1.5,0", us, false, 0},       {u"1,,0", us, false, 0},
        {u"1,000", {}, false, 0},  // only where grouping is asked for
    };
    for (const Case& c : cases) {
        double v = 0;
        EXPECT_EQ(ParseNumber(c.text, c.fmt, v), c.ok) << std::string(c.text.begin(), c.text.end());
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
}

// --- Variant conversions

TEST(VariantConversionTest, EmptyReadsAsZeroTextAndFalse) {
    Variant empty;
    EXPECT_EQ(VariantToInteger(empty), 0);
    EXPECT_EQ(VariantToLong(empty), 0);
    EXPECT_EQ(VariantToDouble(empty), 0);
    EXPECT_EQ(VariantToSingle(empty), 0);
    EXPECT_EQ(VariantToCurrency(empty), Currency{0});
    EXPECT_EQ(VariantToBoolean(empty), kFalse);
    EXPECT_EQ(VariantToString(empty), u"");
    EXPECT_EQ(VariantToDate(empty), Date{0});
    EXPECT_EQ(VariantToByte(empty), 0);
}

TEST(VariantConversionTest, NullRaises94) {
    Variant null = Variant::Null();
    EXPECT_RAISES(94, VariantToInteger(null));
    EXPECT_RAISES(94, VariantToLong(null));
    EXPECT_RAISES(94, VariantToDouble(null));
    EXPECT_RAISES(94, VariantToString(null));
    EXPECT_RAISES(94, VariantToBoolean(null));
    EXPECT_RAISES(94, VariantToDate(null));
    EXPECT_RAISES(94, VariantToCurrency(null));
}

TEST(VariantConversionTest, TextAsNumber) {
    EXPECT_EQ(VariantToInteger(Variant(u" 42 ")), 42);
    EXPECT_EQ(VariantToLong(Variant(u"&H409")), 1033);
    EXPECT_EQ(VariantToDouble(Variant(u"1.5")), 1.5);
    EXPECT_EQ(VariantToDouble(Variant(u"1,5"), NumberFormat{u',', u'.'}), 1.5);
    EXPECT_EQ(VariantToInteger(Variant(u"2.5")), 2);  // halves to even
    EXPECT_RAISES(13, VariantToLong(Variant(u"abc")));
    EXPECT_RAISES(13, VariantToDouble(Variant(u"")));
    EXPECT_RAISES(6, VariantToInteger(Variant(u"40000")));
}

TEST(VariantConversionTest, BooleanIsMinusOneOrZero) {
    EXPECT_EQ(VariantToInteger(Variant(kTrue)), -1);
    EXPECT_EQ(VariantToLong(Variant(kFalse)), 0);
    EXPECT_EQ(VariantToDouble(Variant(kTrue)), -1);
    EXPECT_EQ(VariantToString(Variant(kTrue)), u"True");
    EXPECT_EQ(VariantToString(Variant(kFalse)), u"False");
    EXPECT_EQ(VariantToString(Variant(Boolean{1})), u"True");
    EXPECT_EQ(VariantToBoolean(Variant(Long{5})), kTrue);
    EXPECT_EQ(VariantToBoolean(Variant(Double{0.0})), kFalse);
    EXPECT_EQ(VariantToBoolean(Variant(u"true")), kTrue);
    EXPECT_EQ(VariantToBoolean(Variant(u"FALSE")), kFalse);
    EXPECT_EQ(VariantToBoolean(Variant(u"0")), kFalse);
    EXPECT_EQ(VariantToBoolean(Variant(u"-3")), kTrue);
    EXPECT_EQ(VariantToBoolean(Variant(Boolean{1})), kTrue);  // normalised to -1
    EXPECT_RAISES(13, VariantToBoolean(Variant(u"yes")));
}

TEST(VariantConversionTest, NumbersBetweenTypes) {
    EXPECT_EQ(VariantToInteger(Variant(Long{32767})), 32767);
    EXPECT_RAISES(6, VariantToInteger(Variant(Long{32768})));
    EXPECT_EQ(VariantToLong(Variant(Double{2147483647.4})), 2147483647);
    EXPECT_RAISES(6, VariantToLong(Variant(Double{2147483647.5})));
    EXPECT_EQ(VariantToLong(Variant(Currency{25000})), 2);  // 2.5 halves to even
    EXPECT_EQ(VariantToLong(Variant(Currency{35000})), 4);
    EXPECT_EQ(VariantToLong(Variant(Date{3.5})), 4);
    EXPECT_EQ(VariantToByte(Variant(Long{255})), 255);
    EXPECT_RAISES(6, VariantToByte(Variant(Long{256})));
    EXPECT_RAISES(6, VariantToByte(Variant(Integer{-1})));
    EXPECT_RAISES(6, VariantToSingle(Variant(Double{1e300})));
    EXPECT_EQ(VariantToSingle(Variant(Double{0.5})), 0.5f);
    EXPECT_EQ(VariantToCurrency(Variant(Long{-3})), Currency{-30000});
    EXPECT_EQ(VariantToCurrency(Variant(Double{1.23456})), Currency{12346});
    EXPECT_EQ(VariantToDouble(Variant(Currency{12345})), 1.2345);
}

TEST(VariantConversionTest, ByRefConvertsItsTarget) {
    Variant target(u"17");
    EXPECT_EQ(VariantToLong(Variant::ByRef(target)), 17);
}

TEST(VariantConversionTest, ObjectReadsItsDefaultMember) {
    auto bag = MakeRef<PropertyBag>();
    bag->value = Variant(u"123");
    EXPECT_EQ(VariantToLong(Variant(bag)), 123);
    EXPECT_EQ(VariantToString(Variant(bag)), u"123");
    auto outer = MakeRef<PropertyBag>();
    outer->value = Variant(bag);  // a default member that is itself an object
    EXPECT_EQ(VariantToLong(Variant(outer)), 123);
}

TEST(VariantConversionTest, ObjectErrors) {
    EXPECT_RAISES(91, VariantToLong(Variant::Nothing()));
    EXPECT_RAISES(91, VariantToString(Variant::Nothing()));
    class NoDefault : public PropertyBag {
        Variant Invoke(DispId, uint16_t, std::span<Variant>) override { RaiseRuntimeError(rt::kMemberNotSupported); }
    };
    EXPECT_RAISES(13, VariantToLong(Variant(MakeRef<NoDefault>())));
    auto loop = MakeRef<PropertyBag>();
    loop->value = Variant(ObjectRef(loop));  // its own default value: refused, not followed forever
    EXPECT_RAISES(13, VariantToLong(Variant(loop)));
    loop->value = Variant();  // break the cycle
}

TEST(VariantConversionTest, ArraysAndErrorsDoNotConvert) {
    Variant array(SafeArray::OneDim(VarType::Long, 0, 1));
    EXPECT_RAISES(13, VariantToLong(array));
    EXPECT_RAISES(13, VariantToString(array));
    EXPECT_RAISES(13, VariantToDouble(Variant::Missing()));
    EXPECT_EQ(VariantToString(Variant(ErrorValue{5})), u"Error 5");
}

// --- VariantToString

struct ToText {
    Variant value;
    std::u16string expected;
};

class VariantToStringTest : public ::testing::TestWithParam<ToText> {};

TEST_P(VariantToStringTest, RuntimeText) { EXPECT_EQ(VariantToString(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Examples, VariantToStringTest,
    ::testing::Values(
        ToText{Variant(Integer{-5}), u"-5"}, ToText{Variant(Long{65537}), u"65537"}, ToText{Variant(Byte{200}), u"200"},
        ToText{Variant(Double{0.5}), u"0.5"}, ToText{Variant(Double{1234.75}), u"1234.75"},
        ToText{Variant(Double{60}), u"60"}, ToText{Variant(Double{1.0 / 3.0}), u"0.333333333333333"},
        ToText{Variant(Single{0.1f}), u"0.1"}, ToText{Variant(Single{3.14159265f}), u"3.141593"},
        ToText{Variant(Single{1e7f}), u"1E+07"}, ToText{Variant(Currency{12345}), u"1.2345"},
        ToText{Variant(Currency{12300}), u"1.23"}, ToText{Variant(Currency{-10000}), u"-1"},
        ToText{Variant(Currency{std::numeric_limits<int64_t>::min()}), u"-922337203685477.5808"},
        ToText{Variant(Currency{1}), u"0.0001"}, ToText{Variant(Date{0}), u"12:00:00 AM"},
        ToText{Variant(Date{36526}), u"1/1/2000"}, ToText{Variant(Date{36526.5}), u"1/1/2000 12:00:00 PM"},
        ToText{Variant(Date{(13 * 3600 + 5 * 60 + 9) / 86400.0}), u"1:05:09 PM"},
        ToText{Variant(Date{-1.25}), u"12/29/1899 6:00:00 AM"}, ToText{Variant(Date{2958465}), u"12/31/9999"},
        ToText{Variant(Date{-657434}), u"1/1/100"}, ToText{Variant(u"as is"), u"as is"}));

TEST(VariantToStringTest, CurrencyUsesTheDecimalSeparator) {
    EXPECT_EQ(VariantToString(Variant(Currency{12345}), NumberFormat{u',', u'.'}), u"1,2345");
    EXPECT_EQ(VariantToString(Variant(Double{0.25}), NumberFormat{u',', u'.'}), u"0,25");
}

// --- ConvertVariant

TEST(ConvertVariantTest, ToEachType) {
    EXPECT_EQ(ConvertVariant(Variant(u"12"), VarType::Integer), Variant(Integer{12}));
    EXPECT_EQ(ConvertVariant(Variant(u"12"), VarType::Long), Variant(Long{12}));
    EXPECT_EQ(ConvertVariant(Variant(Long{3}), VarType::String), Variant(u"3"));
    EXPECT_EQ(ConvertVariant(Variant(Long{3}), VarType::Double), Variant(Double{3}));
    EXPECT_EQ(ConvertVariant(Variant(Long{3}), VarType::Single), Variant(Single{3}));
    EXPECT_EQ(ConvertVariant(Variant(Long{3}), VarType::Currency), Variant(Currency{30000}));
    EXPECT_EQ(ConvertVariant(Variant(Long{3}), VarType::Boolean), Variant(kTrue));
    EXPECT_EQ(ConvertVariant(Variant(Long{3}), VarType::Byte), Variant(Byte{3}));
    EXPECT_EQ(ConvertVariant(Variant(Long{3}), VarType::Date), Variant(Date{3}));
    EXPECT_EQ(ConvertVariant(Variant(Long{3}), VarType::Variant), Variant(Long{3}));
    EXPECT_EQ(ConvertVariant(Variant(Long{3}), VarType::Empty), Variant());
    EXPECT_EQ(ConvertVariant(Variant::Missing(), VarType::Error), Variant::Missing());
    EXPECT_RAISES(13, ConvertVariant(Variant(Long{3}), VarType::Object));
    EXPECT_RAISES(13, ConvertVariant(Variant(Long{3}), VarType::Array));
    EXPECT_RAISES(13, ConvertVariant(Variant(Long{3}), VarType::Error));
    Variant target(Long{4});
    Variant converted = ConvertVariant(Variant::ByRef(target), VarType::Variant);
    EXPECT_FALSE(converted.IsByRef());
    EXPECT_EQ(converted, Variant(Long{4}));
}

// --- Currency

TEST(CurrencyTest, FromDouble) {
    EXPECT_EQ(CurrencyFromDouble(8.25), Currency{82500});
    EXPECT_EQ(CurrencyFromDouble(-1.5), Currency{-15000});
    EXPECT_EQ(CurrencyFromDouble(0.00005), Currency{0});  // half to even
    EXPECT_EQ(CurrencyFromDouble(0.00025), Currency{2});
    EXPECT_EQ(CurrencyFromDouble(0.00035), Currency{4});
    EXPECT_EQ(CurrencyFromDouble(900000000000000.0), Currency{9000000000000000000});
    // Exact for the largest amounts, where value * 10000 is not.
    EXPECT_EQ(CurrencyFromDouble(922337203685477.0), Currency{9223372036854770000});
    EXPECT_EQ(CurrencyFromDouble(-922337203685477.0), Currency{-9223372036854770000});
    EXPECT_EQ(CurrencyFromDouble(123456789.12345), Currency{1234567891234});  // the written half, to even
    EXPECT_RAISES(6, CurrencyFromDouble(1e15));
    EXPECT_RAISES(6, CurrencyFromDouble(-1e15));
    EXPECT_RAISES(6, CurrencyFromDouble(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(CurrencyToDouble(Currency{82500}), 8.25);
}

// A text is read as the decimal it writes: no Double in between.
TEST(CurrencyTest, FromTextExactly) {
    const struct {
        const char16_t* text;
        int64_t scaled;
    } kCases[] = {
        {u"922337203685477.5807", 9223372036854775807},
        {u"-922337203685477.5808", std::numeric_limits<int64_t>::min()},
        {u"1,234.5678", 12345678},
        {u"0.00005", 0},  // halves to even
        {u"0.00015", 2},
        {u"0.000050001", 1},
        {u"12.34565", 123456},
        {u"1.5e3", 15000000},
        {u"123456e-10", 0},
        {u"&H10", 160000},
    };
    NumberFormat fmt;
    fmt.grouped = true;
    for (const auto& c : kCases) {
        EXPECT_EQ(VariantToCurrency(Variant(String(c.text)), fmt), Currency{c.scaled}) << "case " << (&c - kCases);
    }
    EXPECT_RAISES(6, VariantToCurrency(Variant(String(u"922337203685477.5808"))));
    EXPECT_RAISES(6, VariantToCurrency(Variant(String(u"1e400"))));
    EXPECT_RAISES(13, VariantToCurrency(Variant(String(u"12 apples"))));
}

// --- dates

TEST(CalendarTest, LeapYears) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_FALSE(IsLeapYear(100));
    EXPECT_TRUE(IsLeapYear(400));
}

TEST(CalendarTest, DaysInMonth) {
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);
    EXPECT_EQ(DaysInMonth(2023, 0), 0);
}

struct SerialCase {
    int32_t year, month, day;
    double serial;
};

class DateFromPartsTest : public ::testing::TestWithParam<SerialCase> {};

TEST_P(DateFromPartsTest, SerialWithDateSerialOverflow) {
    const SerialCase& c = GetParam();
    EXPECT_EQ(DateFromParts(c.year, c.month, c.day).serial, c.serial);
}

INSTANTIATE_TEST_SUITE_P(Examples, DateFromPartsTest,
                         ::testing::Values(SerialCase{1899, 12, 30, 0}, SerialCase{1899, 12, 31, 1},
                                           SerialCase{1900, 1, 1, 2}, SerialCase{1899, 12, 29, -1},
                                           SerialCase{2000, 1, 1, 36526}, SerialCase{9999, 12, 31, 2958465},
                                           SerialCase{100, 1, 1, -657434},
                                           SerialCase{2000, 13, 1, 36892},   // month 13: January of the next year
                                           SerialCase{2000, 3, 0, 36585},    // day 0: last day of February 2000
                                           SerialCase{2001, 3, 0, 36950},    // ... 28 February 2001
                                           SerialCase{2000, 0, 1, 36495},    // month 0: December 1999
                                           SerialCase{2000, -11, 1, 36161},  // January 1999
                                           SerialCase{2000, 1, 32, 36557},   // 1 February
                                           SerialCase{2000, 1, -1, 36524},   // 30 December 1999
                                           SerialCase{2000, 25, 1, 37257}    // January 2002
                                           ));

TEST(DateFromPartsTest, OutsideTheRangeRaises5) {
    EXPECT_RAISES(5, DateFromParts(99, 12, 31));
    EXPECT_RAISES(5, DateFromParts(10000, 1, 1));
    EXPECT_RAISES(5, DateFromParts(9999, 12, 32));  // overflows past the last day
    EXPECT_RAISES(5, DateFromParts(100, 1, 0));     // underflows before the first
    EXPECT_RAISES(5, DateFromParts(9999, 13, 1));
    EXPECT_RAISES(5, DateFromParts(2000, std::numeric_limits<int32_t>::max(), 1));
    EXPECT_RAISES(5, DateFromParts(2000, 1, std::numeric_limits<int32_t>::min()));
}

TEST(TimeFromPartsTest, Serials) {
    EXPECT_EQ(TimeFromParts(12, 0, 0).serial, 0.5);
    EXPECT_EQ(TimeFromParts(6, 0, 0).serial, 0.25);
    EXPECT_EQ(TimeFromParts(0, 0, 0).serial, 0);
    EXPECT_EQ(TimeFromParts(24, 0, 0).serial, 1);
    EXPECT_EQ(TimeFromParts(0, 90, 0).serial, 1.5 / 24);
    // An hour before midnight of day 0 is 1899-12-29 23:00.
    DateParts p = DateToParts(TimeFromParts(-1, 0, 0));
    EXPECT_EQ(p.year, 1899);
    EXPECT_EQ(p.month, 12);
    EXPECT_EQ(p.day, 29);
    EXPECT_EQ(p.hour, 23);
    EXPECT_RAISES(6, TimeFromParts(std::numeric_limits<int32_t>::max(), 0, 0));
}

struct PartsCase {
    double serial;
    DateParts parts;
};

class DateToPartsTest : public ::testing::TestWithParam<PartsCase> {};

TEST_P(DateToPartsTest, Fields) {
    DateParts p = DateToParts(Date{GetParam().serial});
    const DateParts& e = GetParam().parts;
    EXPECT_EQ(p.year, e.year);
    EXPECT_EQ(p.month, e.month);
    EXPECT_EQ(p.day, e.day);
    EXPECT_EQ(p.hour, e.hour);
    EXPECT_EQ(p.minute, e.minute);
    EXPECT_EQ(p.second, e.second);
    EXPECT_EQ(p.day_of_week, e.day_of_week);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DateToPartsTest,
    ::testing::Values(PartsCase{0, {1899, 12, 30, 0, 0, 0, 7}}, PartsCase{1, {1899, 12, 31, 0, 0, 0, 1}},
                      PartsCase{-1.25, {1899, 12, 29, 6, 0, 0, 6}}, PartsCase{-0.5, {1899, 12, 30, 12, 0, 0, 7}},
                      PartsCase{-2.75, {1899, 12, 28, 18, 0, 0, 5}}, PartsCase{36526.75, {2000, 1, 1, 18, 0, 0, 7}},
                      PartsCase{45292, {2024, 1, 1, 0, 0, 0, 2}}, PartsCase{45351, {2024, 2, 29, 0, 0, 0, 5}},
                      PartsCase{2958465.999999, {9999, 12, 31, 23, 59, 59, 6}},
                      PartsCase{-657434, {100, 1, 1, 0, 0, 0, 6}},
                      PartsCase{1.0 - 0.1 / 86400, {1899, 12, 31, 0, 0, 0, 1}},  // rounds into the next day
                      PartsCase{-1.0 - (86400 - 0.1) / 86400, {1899, 12, 30, 0, 0, 0, 7}}));

TEST(DateToPartsTest, OutOfRangeRaises6) {
    EXPECT_RAISES(6, DateToParts(Date{3e6}));
    EXPECT_RAISES(6, DateToParts(Date{-7e5}));
    EXPECT_RAISES(6, DateToParts(Date{std::numeric_limits<double>::quiet_NaN()}));
}

TEST(DateRoundTripTest, PartsAndBack) {
    for (double serial : {-657434.0, -1000.0, -1.0, 0.0, 1.0, 59.0, 60.0, 61.0, 36585.0, 45351.0, 2958465.0}) {
        DateParts p = DateToParts(Date{serial});
        EXPECT_EQ(DateFromParts(p.year, p.month, p.day).serial, serial) << serial;
    }
    for (int day = -700; day <= 700; day += 7) {
        for (int seconds : {0, 1, 3600, 43200, 86399}) {
            double serial = day >= 0 ? day + seconds / 86400.0 : day - seconds / 86400.0;
            DateParts p = DateToParts(Date{serial});
            double back = DateFromParts(p.year, p.month, p.day).serial;
            double time = TimeFromParts(p.hour, p.minute, p.second).serial;
            double rebuilt = back >= 0 ? back + time : back - time;
            EXPECT_NEAR(rebuilt, serial, 1e-9) << day << " " << seconds;
        }
    }
}

TEST(DateRoundTripTest, TextAndBack) {
    for (double serial : {0.0, 0.5, 36526.0, 36526.25, -1.25, -400.75, 45351.999988425923, 2958465.0}) {
        Variant text(VariantToString(Variant(Date{serial})));
        EXPECT_NEAR(VariantToDate(text).serial, serial, 1e-9) << serial;
    }
}

TEST(VariantToDateTest, TextForms) {
    EXPECT_EQ(VariantToDate(Variant(u"2000-01-01")).serial, 36526);
    EXPECT_EQ(VariantToDate(Variant(u"1/1/2000 12:00:00 PM")).serial, 36526.5);
    EXPECT_EQ(VariantToDate(Variant(u"12:00 AM")).serial, 0);
    EXPECT_EQ(VariantToDate(Variant(u"13:30")).serial, 13.5 / 24);
    EXPECT_EQ(VariantToDate(Variant(u"1/1/99")).serial, DateFromParts(1999, 1, 1).serial);
    EXPECT_EQ(VariantToDate(Variant(u"36526")).serial, 36526);
    EXPECT_RAISES(13, VariantToDate(Variant(u"2/30/2000")));
    EXPECT_RAISES(13, VariantToDate(Variant(u"13:00 PM")));
    EXPECT_RAISES(13, VariantToDate(Variant(u"noon")));
    EXPECT_RAISES(13, VariantToDate(Variant(u"1/1/2000 junk")));
    EXPECT_RAISES(6, VariantToDate(Variant(Double{1e7})));
}

}  // namespace
}  // namespace quibor15
