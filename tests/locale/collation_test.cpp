// ListSort, LocaleLCase and LocaleUCase.
#include "tests/locale/locale_world.hpp"

namespace quibor15::locale_testing {
namespace {

Variant StringArray(std::initializer_list<std::u16string_view> texts, int32_t lower = 0) {
    SafeArray array = SafeArray::OneDim(VarType::String, lower, lower + static_cast<int32_t>(texts.size()) - 1);
    int32_t k = lower;
    for (auto text : texts) array.At(k++) = Variant(String(text));
    return Variant(std::move(array));
}

std::vector<String> Texts(const Variant& result) {
    const SafeArray* array = result.Array();
    EXPECT_NE(array, nullptr);
    if (!array) return {};
    EXPECT_EQ(array->LowerBound(), 0);
    std::vector<String> texts;
    for (const Variant& v : array->Data()) texts.push_back(*v.As<String>());
    return texts;
}

Variant Sort(_clsQuiborLocaleA& locale, Variant list, bool ascending = true, bool case_sensitive = true) {
    Boolean a = Boolean::From(ascending), c = Boolean::From(case_sensitive);
    return locale.ListSort(list, a, c);
}

class EnglishSorting : public testing::Test {
protected:
    Ref<_clsQuiborLocaleA> enu_ = Item(SharedIcuCatalogue()->get_Locales(), u"ENU");
};

TEST_F(EnglishSorting, AscendingAndDescending) {
    EXPECT_EQ(Texts(Sort(*enu_, StringArray({u"pear", u"Apple", u"banana"}))),
              (std::vector<String>{u"Apple", u"banana", u"pear"}));
    EXPECT_EQ(Texts(Sort(*enu_, StringArray({u"pear", u"Apple", u"banana"}), false)),
              (std::vector<String>{u"pear", u"banana", u"Apple"}));
}

TEST_F(EnglishSorting, CaseSensitiveTrueIgnoresCaseAndKeepsInputOrder) {
    EXPECT_EQ(Texts(Sort(*enu_, StringArray({u"apple", u"Apple", u"APPLE"}))),
              (std::vector<String>{u"apple", u"Apple", u"APPLE"}));
    EXPECT_EQ(Texts(Sort(*enu_, StringArray({u"Apple", u"apple"}))), (std::vector<String>{u"Apple", u"apple"}));
    EXPECT_EQ(Texts(Sort(*enu_, StringArray({u"Apple", u"apple"}), false)), (std::vector<String>{u"Apple", u"apple"}));
    // With regard to case the collation decides: lower case sorts first.
    EXPECT_EQ(Texts(Sort(*enu_, StringArray({u"Apple", u"apple"}), true, false)),
              (std::vector<String>{u"apple", u"Apple"}));
}

TEST_F(EnglishSorting, EmptyTextsAreLeftOut) {
    EXPECT_EQ(Texts(Sort(*enu_, StringArray({u"b", u"", u"a"}))), (std::vector<String>{u"a", u"b"}));
    EXPECT_TRUE(Texts(Sort(*enu_, StringArray({u"", u""}))).empty());
    const Variant none = Sort(*enu_, StringArray({}));
    ASSERT_TRUE(none.Array());
    EXPECT_EQ(none.Array()->ElementCount(), 0u);
    EXPECT_EQ(none.Array()->LowerBound(), 0);
    EXPECT_EQ(none.Array()->UpperBound(), -1);
}

TEST_F(EnglishSorting, AnyLowerBoundGivesAResultFromZeroAndTheInputIsUnchanged) {
    Variant list = StringArray({u"c", u"a", u"b"}, 1);
    const Variant before = list;
    EXPECT_EQ(Texts(Sort(*enu_, list)), (std::vector<String>{u"a", u"b", u"c"}));
    Boolean a = kTrue, c = kTrue;
    enu_->ListSort(list, a, c);
    ASSERT_TRUE(list.Array());
    EXPECT_EQ(list.Array()->LowerBound(), 1);
    for (int32_t k = 1; k <= 3; ++k) EXPECT_EQ(list.Array()->At(k), before.Array()->At(k));
    Variant negative = StringArray({u"z", u"y"}, -5);
    EXPECT_EQ(Texts(Sort(*enu_, negative)), (std::vector<String>{u"y", u"z"}));
}

TEST_F(EnglishSorting, AListThatIsNotOneDimensionalFails) {
    Variant two(SafeArray(VarType::String, {{0, 2}, {0, 2}}));
    EXPECT_RAISES(9, Sort(*enu_, two));
    EXPECT_RAISES(13, Sort(*enu_, Variant(u"abc")));
}

TEST_F(EnglishSorting, HundredTextsComeOutInOrder) {
    SafeArray array = SafeArray::OneDim(VarType::String, 0, 99);
    for (int32_t k = 0; k < 100; ++k) array.At(k) = Variant(u"item " + DecimalText(int64_t{(k * 37) % 100 + 100}));
    const auto sorted = Texts(Sort(*enu_, Variant(std::move(array))));
    ASSERT_EQ(sorted.size(), 100u);
    for (size_t k = 0; k < sorted.size(); ++k) EXPECT_EQ(sorted[k], u"item " + DecimalText(int64_t(k + 100)));
}

TEST_F(EnglishSorting, CaseMapping) {
    String upper = u"ABC";
    String mapped = enu_->LocaleLCase(upper);
    EXPECT_EQ(mapped, u"abc");
    EXPECT_EQ(mapped.size(), 3u);
    String lower = u"abc";
    EXPECT_EQ(enu_->LocaleUCase(lower), u"ABC");
    String empty;
    EXPECT_EQ(enu_->LocaleLCase(empty), u"");
    EXPECT_EQ(enu_->LocaleUCase(empty), u"");
    String mixed = u"Stra\u00DFe \u00C9t\u00E9";
    EXPECT_EQ(enu_->LocaleLCase(mixed), u"stra\u00DFe \u00E9t\u00E9");
    EXPECT_EQ(mixed, u"Stra\u00DFe \u00C9t\u00E9");
}

TEST(CaseMappingOnIcu, OneCharacterToOneWithoutLanguageRules) {
    auto turkish = IcuWorld(1254);
    auto tr = turkish.Locale(0x041F);
    String i = u"i";
    EXPECT_EQ(tr->LocaleUCase(i), u"I");
    String sharp_s = u"Stra\u00DFe";
    EXPECT_EQ(tr->LocaleUCase(sharp_s), u"STRA\u00DFE");
    auto cyrillic = IcuWorld(1251);
    auto ru = cyrillic.Locale(kRuRu);
    String word = u"\u041C\u043E\u0441\u043A\u0432\u0430";
    EXPECT_EQ(ru->LocaleUCase(word), u"\u041C\u041E\u0421\u041A\u0412\u0410");
    EXPECT_EQ(ru->LocaleLCase(word), u"\u043C\u043E\u0441\u043A\u0432\u0430");
}

TEST(CaseMappingOnIcu, DoubleByteTextsMapWhole) {
    auto world = IcuWorld(932);
    auto ja = world.Locale(kJaJp);
    String text = u"\u65E5\u672C\uFF41abc";  // 日本ａabc
    EXPECT_EQ(ja->LocaleUCase(text), u"\u65E5\u672C\uFF21ABC");
    EXPECT_EQ(text, u"\u65E5\u672C\uFF41abc");
}

TEST(CaseMappingOnIcu, TextsOutsideTheSystemCodePageComeBackWhole) {
    auto world = IcuWorld(1252);
    auto locale = world.Locale(kEnUs);
    String text = u"Abc \u0416";  // a Cyrillic letter code page 1252 lacks
    EXPECT_EQ(locale->LocaleLCase(text), u"abc \u0436");
    EXPECT_EQ(text, u"Abc \u0416");
}

TEST(SortingOnIcu, CollationOfTheLocale) {
    // German sorts a-umlaut with a; Swedish after z.
    auto world = IcuWorld();
    auto german = world.Locale(kDeDe);
    auto swedish = world.Locale(0x041D);
    Variant list = StringArray({u"z", u"\u00E4", u"a"});
    EXPECT_EQ(Texts(Sort(*german, list)), (std::vector<String>{u"a", u"\u00E4", u"z"}));
    EXPECT_EQ(Texts(Sort(*swedish, list)), (std::vector<String>{u"a", u"z", u"\u00E4"}));
}

TEST(SortingOnIcu, TextsOutsideTheSystemCodePageComeBackWhole) {
    auto world = IcuWorld(1252);
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(Texts(Sort(*locale, StringArray({u"b\u0416", u"a"}))), (std::vector<String>{u"a", u"b\u0416"}));
    // The word sort: hyphens weigh almost nothing.
    EXPECT_EQ(Texts(Sort(*locale, StringArray({u"cork", u"co-op", u"coop"}))),
              (std::vector<String>{u"coop", u"co-op", u"cork"}));
}

TEST(SortingOnFixture, AFailedComparisonIsError1) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    db->AddEnglishUnitedStates().FailCompare().FailMapCase();
    auto world = FixtureWorld(db);
    auto locale = world.Locale(kEnUs);
    const auto e = ErrorOf([&] { Sort(*locale, StringArray({u"b", u"a"})); });
    EXPECT_EQ(e.number, 1);
    EXPECT_EQ(e.source, u"Locale.ListSort");
    EXPECT_EQ(e.description, u"Unable to sort list");
    // A single text needs no comparison.
    EXPECT_EQ(Texts(Sort(*locale, StringArray({u"", u"b"}))), (std::vector<String>{u"b"}));
    String text = u"ABC";
    EXPECT_EQ(locale->LocaleLCase(text), u"");
    EXPECT_EQ(locale->LocaleUCase(text), u"");
}

TEST(SortingOnFixture, ComparedTextsComeBackAsTheCodePageLeftThem) {
    auto world = FixtureWorld(sim::FixtureLocaleDatabase::Standard());
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(Texts(Sort(*locale, StringArray({u"b\u0416", u"", u"a"}))), (std::vector<String>{u"a", u"b?"}));
    // A lone text is compared with nothing.
    EXPECT_EQ(Texts(Sort(*locale, StringArray({u"", u"b\u0416"}))), (std::vector<String>{u"b\u0416"}));
}

TEST(SortingOnFixture, FlagsAndComparisonsReachThePlatform) {
    auto world = FixtureWorld(sim::FixtureLocaleDatabase::Standard());
    auto locale = world.Locale(kEnUs);
    world.windows->ClearLog();
    Sort(*locale, StringArray({u"b", u"a"}), true, true);
    Sort(*locale, StringArray({u"b", u"a"}), true, false);
    const auto calls = world.windows->Calls(u"CompareStringA");
    // Each pass compares the remaining texts with the best so far.
    const std::vector<sim::CallRecord> expected = {
        {u"CompareStringA", {u"0x409", u"0x1", u"a", u"b"}},
        {u"CompareStringA", {u"0x409", u"0x0", u"a", u"b"}},
    };
    EXPECT_EQ(calls, expected);
}

}  // namespace
}  // namespace quibor15::locale_testing
