// The Windows values of the most used locales reach the component: names,
// default pictures, and dates, times and amounts composed from the values.
#include <gtest/gtest.h>

#include "locale_world.hpp"

namespace quibor15::locale_testing {
namespace {

struct WindowsRow {
    Long lcid;
    const char16_t* full_name;
    const char16_t* short_date;
    const char16_t* long_date;
    const char16_t* short_date_text;  // 26 November 2010
    const char16_t* time_text;        // 13:05:09
    const char16_t* amount_text;      // -1234.5
};

// Expected rows: Windows 7's published values, where CLDR differs.
constexpr WindowsRow kRows[] = {
    {0x0413, u"Dutch (Netherlands)", u"d-M-yyyy", u"dddd d MMMM yyyy", u"26-11-2010", u"13:05:09", u"€ -1.234,50"},
    {0x0813, u"Dutch (Belgium)", u"d/MM/yyyy", u"dddd d MMMM yyyy", u"26/11/2010", u"13:05:09", u"€ -1.234,50"},
    {0x0C09, u"English (Australia)", u"d/MM/yyyy", u"dddd, d MMMM yyyy", u"26/11/2010", u"1:05:09 PM", u"-$1,234.50"},
    {0x1009, u"English (Canada)", u"dd/MM/yyyy", u"MMMM-dd-yy", u"26/11/2010", u"1:05:09 PM", u"-$1,234.50"},
    {0x1409, u"English (New Zealand)", u"d/MM/yyyy", u"dddd, d MMMM yyyy", u"26/11/2010", u"1:05:09 p.m.",
     u"-$1,234.50"},
    {0x1809, u"English (Ireland)", u"dd/MM/yyyy", u"dd MMMM yyyy", u"26/11/2010", u"13:05:09", u"-€1,234.50"},
    {0x4009, u"English (India)", u"dd-MM-yyyy", u"dd MMMM yyyy", u"26-11-2010", u"13:05:09", u"₹ -1,234.50"},
    {0x1C09, u"English (South Africa)", u"yyyy/MM/dd", u"dd MMMM yyyy", u"2010/11/26", u"01:05:09 PM",
     u"R-1\u00A0234.50"},
    {0x0C0A, u"Spanish (Spain, International Sort)", u"dd/MM/yyyy", u"dddd, dd' de 'MMMM' de 'yyyy", u"26/11/2010",
     u"13:05:09", u"-1.234,50 €"},
    {0x040A, u"Spanish (Spain, Traditional Sort)", u"dd/MM/yyyy", u"dddd, dd' de 'MMMM' de 'yyyy", u"26/11/2010",
     u"13:05:09", u"-1.234,50 €"},
    {0x080A, u"Spanish (Mexico)", u"dd/MM/yyyy", u"dddd, dd' de 'MMMM' de 'yyyy", u"26/11/2010", u"01:05:09 p.m.",
     u"-$1,234.50"},
    {0x2C0A, u"Spanish (Argentina)", u"dd/MM/yyyy", u"dddd, dd' de 'MMMM' de 'yyyy", u"26/11/2010", u"01:05:09 p.m.",
     u"$-1.234,50"},
    {0x0416, u"Portuguese (Brazil)", u"dd/MM/yyyy", u"dddd, d' de 'MMMM' de 'yyyy", u"26/11/2010", u"13:05:09",
     u"-R$ 1.234,50"},
    {0x0816, u"Portuguese (Portugal)", u"dd-MM-yyyy", u"dddd, d' de 'MMMM' de 'yyyy", u"26-11-2010", u"13:05:09",
     u"-1.234,50 €"},
    {0x0410, u"Italian (Italy)", u"dd/MM/yyyy", u"dddd d MMMM yyyy", u"26/11/2010", u"13:05:09", u"-€ 1.234,50"},
    {0x0C07, u"German (Austria)", u"dd.MM.yyyy", u"dddd, dd. MMMM yyyy", u"26.11.2010", u"13:05:09", u"-€ 1.234,50"},
    {0x0807, u"German (Switzerland)", u"dd.MM.yyyy", u"dddd, d. MMMM yyyy", u"26.11.2010", u"13:05:09",
     u"Fr.-1'234.50"},
    {0x080C, u"French (Belgium)", u"d/MM/yyyy", u"dddd d MMMM yyyy", u"26/11/2010", u"13:05:09", u"€ -1.234,50"},
    {0x0C0C, u"French (Canada)", u"yyyy-MM-dd", u"d MMMM yyyy", u"2010-11-26", u"13:05:09", u"(1\u00A0234,50 $)"},
    {0x100C, u"French (Switzerland)", u"dd.MM.yyyy", u"dddd d MMMM yyyy", u"26.11.2010", u"13:05:09", u"fr.-1'234.50"},
    {0x0406, u"Danish (Denmark)", u"dd-MM-yyyy", u"d. MMMM yyyy", u"26-11-2010", u"13:05:09", u"kr. -1.234,50"},
    {0x041D, u"Swedish (Sweden)", u"yyyy-MM-dd", u"'den 'd MMMM yyyy", u"2010-11-26", u"13:05:09",
     u"-1\u00A0234,50 kr"},
    {0x0414, u"Norwegian, Bokmål (Norway)", u"dd.MM.yyyy", u"d. MMMM yyyy", u"26.11.2010", u"13:05:09",
     u"kr -1\u00A0234,50"},
    {0x040B, u"Finnish (Finland)", u"d.M.yyyy", u"d. MMMM'ta 'yyyy", u"26.11.2010", u"13:05:09", u"-1\u00A0234,50 €"},
    {0x0415, u"Polish (Poland)", u"yyyy-MM-dd", u"d MMMM yyyy", u"2010-11-26", u"13:05:09", u"-1\u00A0234,50 zł"},
    {0x0405, u"Czech (Czech Republic)", u"d.M.yyyy", u"d. MMMM yyyy", u"26.11.2010", u"13:05:09", u"-1\u00A0234,50 Kč"},
    {0x040E, u"Hungarian (Hungary)", u"yyyy.MM.dd.", u"yyyy. MMMM d.", u"2010.11.26.", u"13:05:09",
     u"-1\u00A0234,50 Ft"},
    {0x041F, u"Turkish (Turkey)", u"dd.MM.yyyy", u"dd MMMM yyyy dddd", u"26.11.2010", u"13:05:09", u"-1.234,50 ₺"},
    {0x0408, u"Greek (Greece)", u"d/M/yyyy", u"dddd, d MMMM yyyy", u"26/11/2010", u"1:05:09 μμ", u"-1.234,50 €"},
    {0x0412, u"Korean (Korea)", u"yyyy-MM-dd", u"yyyy'년' M'월' d'일' dddd", u"2010-11-26", u"오후 1:05:09",
     u"-₩1,234.50"},
    {0x0804, u"Chinese (Simplified, China)", u"yyyy/M/d", u"yyyy'年'M'月'd'日'", u"2010/11/26", u"13:05:09",
     u"¥-1,234.50"},
    {0x040D, u"Hebrew (Israel)", u"dd/MM/yyyy", u"dddd dd MMMM yyyy", u"26/11/2010", u"13:05:09", u"₪-1,234.50"},
    {0x0439, u"Hindi (India)", u"dd-MM-yyyy", u"dd MMMM yyyy", u"26-11-2010", u"13:05:09", u"रु -1,234.50"},
    {0x0403, u"Catalan (Catalan)", u"dd/MM/yyyy", u"dddd, d' / 'MMMM' / 'yyyy", u"26/11/2010", u"13:05:09",
     u"-1.234,50 €"},
};

TEST(WindowsValuesTest, EveryRowReachesTheLocaleObject) {
    const LocaleWorld world = IcuWorld();
    Date day = DateFromParts(2010, 11, 26);
    Date time = TimeFromParts(13, 5, 9);
    Variant short_date(Integer{2});
    String default_time;
    Double amount = -1234.5;
    Boolean yes = Boolean::From(true);
    for (const WindowsRow& row : kRows) {
        SCOPED_TRACE(::testing::Message() << std::hex << row.lcid);
        Ref<clsQuiborLocaleA> locale = world.Locale(row.lcid);
        EXPECT_EQ(locale->get_FullName(), row.full_name);
        EXPECT_EQ(locale->get_ShortDateFormat(), row.short_date);
        EXPECT_EQ(locale->get_LongDateFormat(), row.long_date);
        EXPECT_EQ(locale->FormatDate(day, short_date), row.short_date_text);
        EXPECT_EQ(locale->FormatTime(time, default_time), row.time_text);
        EXPECT_EQ(locale->FormatCurrency(amount, yes, yes), row.amount_text);
        // The default pictures lead the enumerated lists.
        Variant first(Long{1});
        EXPECT_EQ(locale->get_DateFormats()->get_Item(first)->get_DTFormat(), row.short_date);
    }
}

}  // namespace
}  // namespace quibor15::locale_testing
