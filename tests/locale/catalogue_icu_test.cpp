// The catalogue built on the real locale database.
#include <set>

#include "tests/locale/locale_world.hpp"

namespace quibor15::locale_testing {
namespace {

std::vector<Ref<_clsQuiborLocaleA>> Entries(const Ref<_clsQuiborLocalesA>& locales) {
    std::vector<Ref<_clsQuiborLocaleA>> entries;
    for (Long k = 1; k <= locales->get_Count(); ++k) entries.push_back(Item(locales, Variant(k)));
    return entries;
}

TEST(CatalogueOnIcu, SystemDefaultIsEnglishUnitedStatesAndTheEnuEntry) {
    const auto& catalogue = SharedIcuCatalogue();
    auto system_default = catalogue->get_SystemDefault();
    ASSERT_TRUE(system_default);
    EXPECT_EQ(system_default->get_LCID(), 1033);
    auto locales = catalogue->get_Locales();
    EXPECT_EQ(Item(locales, u"ENU").Get(), system_default.Get());
    EXPECT_EQ(Item(locales, u"enu").Get(), system_default.Get());
    // The same catalogue object on every read.
    EXPECT_EQ(catalogue->get_Locales().Get(), locales.Get());
}

TEST(CatalogueOnIcu, HoldsTheLocalesPeopleUseKeyedByAbbreviation) {
    auto locales = SharedIcuCatalogue()->get_Locales();
    const struct {
        std::u16string_view key;
        Long lcid;
    } kExpected[] = {{u"ENU", kEnUs}, {u"ENG", kEnGb}, {u"DEU", kDeDe},
                     {u"FRA", kFrFr}, {u"RUS", kRuRu}, {u"JPN", kJaJp}};
    for (const auto& e : kExpected) {
        auto locale = Item(locales, String(e.key));
        ASSERT_TRUE(locale);
        EXPECT_EQ(locale->get_LCID(), e.lcid);
        EXPECT_EQ(locale->get_AbbrevLangName(), e.key);
        EXPECT_EQ(locale->get_isValid(), kTrue);
    }
}

TEST(CatalogueOnIcu, IteratesInPrimaryThenSubLanguageOrderWithUniqueKeys) {
    auto entries = Entries(SharedIcuCatalogue()->get_Locales());
    ASSERT_GT(entries.size(), 100u);
    std::set<String> keys;
    for (size_t k = 0; k < entries.size(); ++k) {
        EXPECT_TRUE(keys.insert(LowerCase(entries[k]->get_AbbrevLangName())).second);
        if (k == 0) continue;
        const Long before = entries[k - 1]->get_LCID();
        const Long now = entries[k]->get_LCID();
        const auto order = [](Long lcid) { return (lcid & 0x3FF) * 64 + (lcid >> 10); };
        EXPECT_LT(order(before), order(now)) << std::hex << before << " then " << now;
        // Inside the candidate range: primary 0 to 100, sub-language 0 to 20.
        EXPECT_LE(now & 0x3FF, 100);
        EXPECT_LE(now >> 10, 20);
    }
}

TEST(CatalogueOnIcu, NeverListsTheFourExcludedIdentifiers) {
    for (const auto& locale : Entries(SharedIcuCatalogue()->get_Locales())) {
        const Long lcid = locale->get_LCID();
        EXPECT_NE(lcid, 0x0404);
        EXPECT_NE(lcid, 0x0405);
        EXPECT_NE(lcid, 0x0804);
        EXPECT_NE(lcid, 0x042A);
    }
}

TEST(CatalogueOnIcu, OnlyGregorianLocalesAreListed) {
    auto world = IcuWorld();
    for (const auto& locale : Entries(SharedIcuCatalogue()->get_Locales())) {
        String calendar;
        world.windows->GetLocaleInfoA(locale->get_LCID(), 0x1009, calendar, 255);
        EXPECT_TRUE(calendar == u"1" || calendar == u"2" || calendar.empty())
            << std::hex << locale->get_LCID() << " calendar type " << calendar.size();
    }
}

TEST(CatalogueOnIcu, EnumeratesLocalesInCatalogueOrder) {
    auto locales = SharedIcuCatalogue()->get_Locales();
    auto enumerator = RefCast<Enumerator>(locales->get_NewEnum());
    ASSERT_TRUE(enumerator);
    Variant item;
    Long position = 0;
    while (enumerator->Next(item)) {
        ++position;
        EXPECT_EQ(item.ObjectOrThrow().Get(), static_cast<Object*>(Item(locales, Variant(position)).Get()));
    }
    EXPECT_EQ(position, locales->get_Count());
}

TEST(CatalogueOnIcu, ASecondCatalogueIsIndependent) {
    auto world = IcuWorld();
    auto first = world.Catalogue();
    auto second = world.Catalogue();
    EXPECT_EQ(first->get_Locales()->get_Count(), second->get_Locales()->get_Count());
    EXPECT_NE(first->get_SystemDefault().Get(), second->get_SystemDefault().Get());
    // Removing from one leaves the other and its system default alone.
    Variant key(u"ENU");
    first->get_Locales()->Remove(key);
    EXPECT_EQ(first->get_Locales()->get_Count() + 1, second->get_Locales()->get_Count());
    EXPECT_EQ(first->get_SystemDefault()->get_LCID(), 1033);
    EXPECT_RAISES(5, first->get_Locales()->get_Item(key));
}

TEST(CatalogueOnIcu, AddObjOfAPresentLocaleChangesNothing) {
    auto world = IcuWorld();
    auto catalogue = world.Catalogue();
    auto locales = catalogue->get_Locales();
    const Long count = locales->get_Count();
    Ref<_clsQuiborLocaleA> enu = catalogue->get_SystemDefault();
    locales->AddObj(enu);
    EXPECT_EQ(locales->get_Count(), count);
    // Another object with a taken abbreviation is left out too.
    Ref<_clsQuiborLocaleA> other = world.Locale(kEnUs);
    locales->AddObj(other);
    EXPECT_EQ(locales->get_Count(), count);
    Ref<_clsQuiborLocaleA> nothing;
    locales->AddObj(nothing);
    EXPECT_EQ(locales->get_Count(), count);
    // After removing it, the same object goes back in at the end.
    Variant key(u"enu");
    locales->Remove(key);
    locales->AddObj(enu);
    EXPECT_EQ(locales->get_Count(), count);
    EXPECT_EQ(Item(locales, Variant(count)).Get(), enu.Get());
}

TEST(CatalogueOnIcu, ItemOutsideTheCollectionFails) {
    auto locales = SharedIcuCatalogue()->get_Locales();
    EXPECT_RAISES(9, Item(locales, Variant(Long{0})));
    EXPECT_RAISES(9, Item(locales, Variant(locales->get_Count() + 1)));
    EXPECT_RAISES(5, Item(locales, u"XXX"));
}

struct SystemDefaultCase {
    Long system_lcid;
    std::u16string_view key;
};

class SystemDefaultOnIcu : public testing::TestWithParam<SystemDefaultCase> {};

TEST_P(SystemDefaultOnIcu, IsTheCataloguedLocaleOfTheSystemIdentifier) {
    auto world = IcuWorld(1252, GetParam().system_lcid);
    auto catalogue = world.Catalogue();
    auto system_default = catalogue->get_SystemDefault();
    ASSERT_TRUE(system_default);
    EXPECT_EQ(system_default->get_LCID(), GetParam().system_lcid);
    EXPECT_EQ(Item(catalogue->get_Locales(), String(GetParam().key)).Get(), system_default.Get());
}

INSTANTIATE_TEST_SUITE_P(Systems, SystemDefaultOnIcu,
                         testing::Values(SystemDefaultCase{kEnGb, u"ENG"}, SystemDefaultCase{kDeDe, u"DEU"},
                                         SystemDefaultCase{kFrFr, u"FRA"}, SystemDefaultCase{kRuRu, u"RUS"},
                                         SystemDefaultCase{kJaJp, u"JPN"}));

TEST(CatalogueOnIcu, SystemDefaultIsNothingForAnExcludedOrUninstalledSystemLocale) {
    for (Long system : {0x0804, 0x0404, 0x7F, 0x0C09 | (21 << 10)}) {
        auto world = IcuWorld(1252, system);
        EXPECT_FALSE(world.Catalogue()->get_SystemDefault()) << std::hex << system;
    }
}

}  // namespace
}  // namespace quibor15::locale_testing
