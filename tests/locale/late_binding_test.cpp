// The locale classes reached late-bound, by member name, as scripts reach
// them: defaults of optional arguments, by-reference arguments, results and
// errors crossing the dispatch interface.
#include "tests/locale/locale_world.hpp"

namespace quibor15::locale_testing {
namespace {

class LateBoundLocales : public testing::Test {
protected:
    LocaleWorld world_ = IcuWorld();
    ObjectRef catalogue_ = ObjectRef(world_.Catalogue());
    ObjectRef locales_ = LateGet(catalogue_, u"Locales").ObjectOrThrow();
    ObjectRef enu_ = LateGet(catalogue_, u"systemdefault").ObjectOrThrow();
};

TEST_F(LateBoundLocales, TypeNamesAndTheDefaultMember) {
    EXPECT_EQ(catalogue_->TypeName(), u"clsQuiborInternationalA");
    EXPECT_EQ(locales_->TypeName(), u"clsQuiborLocalesA");
    EXPECT_EQ(enu_->TypeName(), u"clsQuiborLocaleA");
    Variant key(u"enu");
    EXPECT_EQ(LateDefault(locales_, std::span<Variant>(&key, 1)).ObjectOrThrow().Get(), enu_.Get());
    EXPECT_EQ(LateGet(enu_, u"LCID"), Variant(Long{1033}));
    EXPECT_EQ(LateGet(enu_, u"isValid"), Variant(kTrue));
    EXPECT_EQ(LateGet(enu_, u"AbbrevLangName"), Variant(u"ENU"));
    EXPECT_EQ(LateGet(enu_, u"GenericLangName"), Variant(u"English"));
    EXPECT_EQ(LateGet(enu_, u"IntlCurrencyCode"), Variant(u"USD"));
    EXPECT_EQ(LateGet(enu_, u"DecimalSeparator"), Variant(u"."));
}

TEST_F(LateBoundLocales, OptionalArgumentsTakeTheirDefaults) {
    EXPECT_EQ(LateCall(enu_, u"FormatCurrency", {Variant(1234567.891)}), Variant(u"$1,234,567.89"));
    EXPECT_EQ(LateCall(enu_, u"FormatCurrency", {Variant(1234567.891), Variant(kFalse)}), Variant(u"$1234567.89"));
    EXPECT_EQ(LateCall(enu_, u"FormatNumber", {Variant(2.5)}), Variant(u"2.50"));
    EXPECT_EQ(LateCall(enu_, u"FormatNumber", {Variant(2.5), Variant(Integer{3})}), Variant(u"2.500"));
    const Variant date(DateFromParts(2010, 11, 26));
    EXPECT_EQ(LateCall(enu_, u"FormatDate", {date}), Variant(u"11/26/2010"));
    EXPECT_EQ(LateCall(enu_, u"FormatDate", {date, Variant(Long{1})}), Variant(u"Friday, November 26, 2010"));
    EXPECT_EQ(LateCall(enu_, u"FormatDate", {date, Variant::Missing()}), Variant(u"11/26/2010"));
    EXPECT_EQ(LateCall(enu_, u"GetDayName", {Variant(Integer{7})}), Variant(u"Sunday"));
    EXPECT_EQ(LateCall(enu_, u"GetMonthName", {Variant(Long{2}), Variant(kTrue)}), Variant(u"Feb"));
    EXPECT_EQ(LateCall(enu_, u"pfGetUsedMN", {Variant(u"3")}), Variant(u"March"));
}

TEST_F(LateBoundLocales, ByReferenceArgumentsReachTheCallersVariables) {
    Variant time(Date{DateFromParts(2010, 11, 26).serial + TimeFromParts(13, 5, 9).serial});
    Variant picture(u"HH'\u0436'mm");
    EXPECT_EQ(LateCall(enu_, u"FormatTime", {time, Variant::ByRef(picture)}), Variant(u"13\u043605"));
    EXPECT_EQ(picture, Variant(u"HH'\u0436'mm"));
    Variant text(u"ABC \u0416");
    EXPECT_EQ(LateCall(enu_, u"LocaleLCase", {Variant::ByRef(text)}), Variant(u"abc \u0436"));
    EXPECT_EQ(text, Variant(u"ABC \u0416"));
    // FormatCurrency does not change its by-reference arguments.
    Variant value(-1234.5);
    EXPECT_EQ(LateCall(enu_, u"FormatCurrency", {Variant::ByRef(value)}), Variant(u"($1,234.50)"));
    EXPECT_EQ(value, Variant(-1234.5));
}

TEST_F(LateBoundLocales, ParsingResultsKeepTheirTypes) {
    EXPECT_EQ(LateCall(enu_, u"LocaleCCur", {Variant(u"($1,234.56)")}), Variant(Currency{-12345600}));
    EXPECT_EQ(LateCall(enu_, u"LocaleCDate", {Variant(u"March 5, 2010")}), Variant(DateFromParts(2010, 3, 5)));
    EXPECT_EQ(LateCall(enu_, u"LocaleDTime", {Variant(u"13:05")}), Variant(Date{0.0}));
}

TEST_F(LateBoundLocales, ErrorsKeepNumberSourceAndDescription) {
    const auto day = ErrorOf([&] { LateCall(enu_, u"GetDayName", {Variant(Integer{0})}); });
    EXPECT_EQ(day.number, static_cast<int32_t>(0x80040000u));
    EXPECT_EQ(day.source, u"Locale");
    EXPECT_EQ(day.description, u"Day index out of range (1-7 only)");
    const auto parse = ErrorOf([&] { LateCall(enu_, u"LocaleCDate", {Variant(u"2/30/2010")}); });
    EXPECT_EQ(parse.number, static_cast<int32_t>(0x80040001u));
    EXPECT_EQ(parse.source, u"Locale ENU");
    EXPECT_EQ(parse.description, u"Unable to parse date");
    EXPECT_RAISES(9, LateCall(enu_, u"LocaleCDate", {Variant(u"Nov 26")}));
    EXPECT_RAISES(5, LateCall(enu_, u"LocaleCCur", {Variant(u"$5")}));
    EXPECT_RAISES(6, LateCall(enu_, u"GetDayName", {Variant(Long{40000})}));  // Integer argument overflows
}

TEST_F(LateBoundLocales, ListSortOfAScriptArray) {
    SafeArray script = SafeArray::OneDim(VarType::Variant, 0, 2);
    script.At(0) = Variant(u"pear");
    script.At(1) = Variant(u"Apple");
    script.At(2) = Variant(u"banana");
    Variant list(std::move(script));
    const Variant sorted = LateCall(enu_, u"ListSort", {Variant::ByRef(list), Variant(kFalse)});
    const SafeArray* array = sorted.Array();
    ASSERT_TRUE(array);
    ASSERT_EQ(array->ElementCount(), 3u);
    EXPECT_EQ(array->At(0), Variant(u"pear"));
    EXPECT_EQ(array->At(2), Variant(u"Apple"));
    EXPECT_EQ(list.Array()->At(0), Variant(u"pear"));  // the input is unchanged
    EXPECT_RAISES(13, LateCall(enu_, u"ListSort", {Variant(u"not an array")}));
}

TEST_F(LateBoundLocales, ForEachOverLocalesAndPictureLists) {
    Long count = 0;
    auto locales = EnumerateObject(locales_);
    Variant item;
    while (locales->Next(item)) ++count;
    EXPECT_EQ(Variant(count), LateGet(locales_, u"Count"));
    ObjectRef times = LateGet(enu_, u"TimeFormats").ObjectOrThrow();
    auto pictures = EnumerateObject(times);
    std::vector<Variant> seen;
    while (pictures->Next(item)) seen.push_back(LateGet(item.ObjectOrThrow(), u"DTFormat"));
    EXPECT_EQ(seen, (std::vector<Variant>{Variant(u"h:mm:ss tt"), Variant(u"hh:mm:ss tt"), Variant(u"H:mm:ss"),
                                          Variant(u"HH:mm:ss")}));
    EXPECT_EQ(LateGet(times, u"Count"), Variant(Long{4}));
}

TEST_F(LateBoundLocales, PictureObjectsByName) {
    ObjectRef dates = LateGet(enu_, u"DateFormats").ObjectOrThrow();
    Variant first(Long{1});
    ObjectRef picture = LateDefault(dates, std::span<Variant>(&first, 1)).ObjectOrThrow();
    EXPECT_EQ(picture->TypeName(), u"clsQuiborDTFormatA");
    EXPECT_EQ(LateGet(picture, u"DTFType"), Variant(Long{dtfShortDate}));
    LateLet(picture, u"DTFormat", Variant(u"d.M.yyyy"));
    LateLet(picture, u"DTFType", Variant(Long{dtfLongDate}));
    EXPECT_EQ(LateGet(picture, u"DTFormat"), Variant(u"d.M.yyyy"));
    EXPECT_EQ(LateGet(picture, u"DTFType"), Variant(Long{dtfLongDate}));
    // Add returns the very object given.
    EXPECT_EQ(LateCall(dates, u"Add", {Variant(picture)}).ObjectOrThrow().Get(), picture.Get());
    // An object of another class is refused.
    EXPECT_RAISES(13, LateCall(dates, u"Add", {Variant(locales_)}));
    // AddObj ignores a duplicate.
    const Variant count = LateGet(locales_, u"Count");
    LateCall(locales_, u"AddObj", {Variant(enu_)});
    EXPECT_EQ(LateGet(locales_, u"Count"), count);
}

}  // namespace
}  // namespace quibor15::locale_testing
