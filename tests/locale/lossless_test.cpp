// On the ICU database the locale texts pass as UTF-16: nothing is lost to the
// system's ANSI code page, whatever the system locale.
#include <gtest/gtest.h>

#include "locale_world.hpp"

namespace quibor15::locale_testing {
namespace {

constexpr Long kTrTr = 0x041F;

TEST(LosslessTest, TextsOutsideTheSystemCodePageSurvive) {
    const LocaleWorld world = IcuWorld(1252, kDeDe);
    EXPECT_EQ(MonthName(*world.Locale(kRuRu), 1), u"январь");
    EXPECT_EQ(UsedMonthName(*world.Locale(kRuRu), 1), u"января");

    Ref<clsQuiborLocaleA> turkish = world.Locale(kTrTr);
    String text = u"istanbul ırmak";
    EXPECT_EQ(turkish->LocaleUCase(text), u"ISTANBUL IRMAK");
    EXPECT_EQ(text, u"istanbul ırmak");  // the caller's text comes back whole

    SafeArray list = SafeArray::OneDim(VarType::String, 0, 2);
    list.At(0) = Variant(String(u"Ёж"));
    list.At(1) = Variant(String(u"ąb"));
    list.At(2) = Variant(String(u"Жук"));
    Variant input(std::move(list));
    Boolean yes = Boolean::From(true);
    const Variant sorted = world.Locale(kRuRu)->ListSort(input, yes, yes);
    const SafeArray* out = sorted.Array();
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(out->ElementCount(), 3u);
    EXPECT_EQ(VariantToString(out->At(0)), u"Ёж");  // Russian sorts Cyrillic first
    EXPECT_EQ(VariantToString(out->At(1)), u"Жук");
    EXPECT_EQ(VariantToString(out->At(2)), u"ąb");

    Date time = TimeFromParts(13, 2, 3);
    String picture;
    EXPECT_EQ(world.Locale(0x4809)->FormatTime(time, picture), u"1:02:03 pm");  // CLDR writes a narrow space
}

}  // namespace
}  // namespace quibor15::locale_testing
