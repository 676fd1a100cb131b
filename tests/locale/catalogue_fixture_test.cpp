// The catalogue on staged locale databases: what a real database cannot
// show.
#include "tests/locale/locale_world.hpp"

namespace quibor15::locale_testing {
namespace {

std::vector<Long> CataloguedIds(const Ref<clsQuiborInternationalA>& catalogue) {
    auto locales = catalogue->get_Locales();
    std::vector<Long> ids;
    for (Long k = 1; k <= locales->get_Count(); ++k) ids.push_back(Item(locales, Variant(k))->get_LCID());
    return ids;
}

// A minimal installed locale: an abbreviation and a calendar type.
void Stage(sim::FixtureLocaleDatabase& db, Long lcid, std::u16string_view abbreviation,
           std::u16string_view calendar = u"1") {
    db.Locale(lcid)
        .Info(sim::lc::kSAbbrevLangName, String(abbreviation))
        .Info(sim::lc::kICalendarType, String(calendar))
        .ShortDates({u"d/M/yyyy"})
        .LongDates({u"d MMMM yyyy"})
        .Times({u"H:mm:ss"});
}

class CatalogueOnFixture : public testing::Test {
protected:
    std::shared_ptr<sim::FixtureLocaleDatabase> db_ = std::make_shared<sim::FixtureLocaleDatabase>();
};

TEST_F(CatalogueOnFixture, TheStandardLocalesInOrder) {
    auto world = FixtureWorld(sim::FixtureLocaleDatabase::Standard());
    auto catalogue = world.Catalogue();
    EXPECT_EQ(CataloguedIds(catalogue), (std::vector<Long>{kDeDe, kEnUs, kFrFr, kJaJp}));
    EXPECT_EQ(catalogue->get_SystemDefault()->get_LCID(), kEnUs);
}

TEST_F(CatalogueOnFixture, ProbesEveryCandidateInOrder) {
    auto world = FixtureWorld(db_);
    world.windows->ClearLog();
    world.Catalogue();
    const auto calls = world.windows->Calls(u"IsValidLocale");
    // 100 primary languages with 20 sub-languages each (0 for either names
    // no locale), less the four excluded identifiers.
    ASSERT_EQ(calls.size(), 1996u);
    EXPECT_EQ(calls.front().args, (std::vector<String>{u"0x401", u"0x1"}));
    EXPECT_EQ(calls[1].args, (std::vector<String>{u"0x801", u"0x1"}));
    EXPECT_EQ(calls[20].args, (std::vector<String>{u"0x402", u"0x1"}));
    EXPECT_EQ(calls.back().args, (std::vector<String>{u"0x5064", u"0x1"}));
    EXPECT_EQ(world.windows->CallCount(u"GetSystemDefaultLCID"), 1u);
}

// A platform that answers identifiers with primary language 0 or
// sub-language 0 as installed (Wine does) gives them a real locale's
// abbreviation; they are left out, so the real locale keeps its key.
TEST_F(CatalogueOnFixture, IdentifiersWithoutALanguageOrACountryAreLeftOut) {
    for (Long lcid : {0x0C00, 0x0009, 0x0409, 0x1000}) Stage(*db_, lcid, u"ENU");
    db_->SetSystemDefault(0x0409);
    auto world = FixtureWorld(db_);
    auto catalogue = world.Catalogue();
    EXPECT_EQ(CataloguedIds(catalogue), (std::vector<Long>{0x0409}));
    EXPECT_EQ(Item(catalogue->get_Locales(), Variant(u"ENU"))->get_LCID(), 0x0409);
    EXPECT_EQ(catalogue->get_SystemDefault()->get_LCID(), 0x0409);
}

TEST_F(CatalogueOnFixture, ExcludedIdentifiersAreSkippedEvenWhenInstalled) {
    for (Long lcid : {0x0404, 0x0405, 0x0804, 0x042A}) Stage(*db_, lcid, u"X" + DecimalText(int64_t{lcid}));
    Stage(*db_, 0x0406, u"DAN");
    db_->SetSystemDefault(0x0804);
    auto world = FixtureWorld(db_);
    world.windows->ClearLog();
    auto catalogue = world.Catalogue();
    EXPECT_EQ(CataloguedIds(catalogue), (std::vector<Long>{0x0406}));
    EXPECT_FALSE(catalogue->get_SystemDefault());
    // The platform is not even asked about them.
    for (const auto& call : world.windows->Calls(u"IsValidLocale")) {
        EXPECT_NE(call.args[0], u"0x804");
        EXPECT_NE(call.args[0], u"0x42A");
    }
}

TEST_F(CatalogueOnFixture, OnlyGregorianCalendarsOrAnUnreadableCalendarPass) {
    Stage(*db_, 0x0401, u"ARA", u"6");  // Hijri
    Stage(*db_, 0x041E, u"THA", u"7");  // Thai Buddhist
    Stage(*db_, 0x0411, u"JPN", u"3");  // Japanese era
    Stage(*db_, 0x0409, u"ENU", u"1");
    Stage(*db_, 0x0C01, u"ARE", u"2");  // Gregorian, Arabic texts
    Stage(*db_, 0x040D, u"HEB", u"");   // empty text: not excluded
    Stage(*db_, 0x0407, u"DEU", u"12");
    Stage(*db_, 0x0413, u"NLD", u"x");  // not a number: read as 0
    Stage(*db_, 0x0410, u"ITA");
    db_->Locale(0x0410).FailInfo(sim::lc::kICalendarType);  // failing call: empty text
    db_->SetSystemDefault(0x0411);
    auto world = FixtureWorld(db_);
    auto catalogue = world.Catalogue();
    EXPECT_EQ(CataloguedIds(catalogue), (std::vector<Long>{0x0C01, 0x0409, 0x040D, 0x0410, 0x0413}));
    EXPECT_FALSE(catalogue->get_SystemDefault());
}

TEST_F(CatalogueOnFixture, UninstalledLocalesAreSkipped) {
    Stage(*db_, 0x0409, u"ENU");
    Stage(*db_, 0x0809, u"ENG");
    db_->Locale(0x0809).Installed(false);
    auto world = FixtureWorld(db_);
    EXPECT_EQ(CataloguedIds(world.Catalogue()), (std::vector<Long>{0x0409}));
}

TEST_F(CatalogueOnFixture, TwoLocalesSharingAnAbbreviation) {
    // The lower primary language is catalogued; the other can still be the
    // system default.
    Stage(*db_, 0x0C09, u"ENX");  // primary 9, sub 3
    Stage(*db_, 0x0409, u"ENX");  // primary 9, sub 1: added first
    Stage(*db_, 0x0407, u"enx");  // primary 7: lower still; keys ignore case
    db_->SetSystemDefault(0x0C09);
    auto world = FixtureWorld(db_);
    auto catalogue = world.Catalogue();
    EXPECT_EQ(CataloguedIds(catalogue), (std::vector<Long>{0x0407}));
    EXPECT_EQ(Item(catalogue->get_Locales(), u"ENX")->get_LCID(), 0x0407);
    auto system_default = catalogue->get_SystemDefault();
    ASSERT_TRUE(system_default);
    EXPECT_EQ(system_default->get_LCID(), 0x0C09);
    EXPECT_EQ(system_default->get_AbbrevLangName(), u"ENX");
}

TEST_F(CatalogueOnFixture, ALocaleWithoutAnAbbreviationIsLeftOut) {
    Stage(*db_, 0x0409, u"ENU");
    Stage(*db_, 0x0407, u"DEU");
    db_->Locale(0x0407).FailInfo(sim::lc::kSAbbrevLangName);
    Stage(*db_, 0x040C, u"");
    db_->SetSystemDefault(0x0407);
    auto world = FixtureWorld(db_);
    auto catalogue = world.Catalogue();
    EXPECT_EQ(CataloguedIds(catalogue), (std::vector<Long>{0x0409}));
    EXPECT_FALSE(catalogue->get_SystemDefault());
}

TEST_F(CatalogueOnFixture, ALocaleWhosePicturesCannotBeBuiltIsStillCatalogued) {
    std::vector<String> many;
    for (int k = 0; k < 32768; ++k) many.push_back(u"H:" + DecimalText(int64_t{k}));
    Stage(*db_, 0x0407, u"DEU");
    db_->Locale(0x0407).Times(many);
    Stage(*db_, 0x0409, u"ENU");
    db_->SetSystemDefault(0x0407);
    auto world = FixtureWorld(db_);
    auto catalogue = world.Catalogue();
    EXPECT_EQ(CataloguedIds(catalogue), (std::vector<Long>{0x0407, 0x0409}));
    auto german = catalogue->get_SystemDefault();
    ASSERT_TRUE(german);
    EXPECT_FALSE(german->get_DateFormats());
    EXPECT_FALSE(german->get_TimeFormats());
    // The next locale is built normally, with nothing of the failed one.
    auto english = Item(catalogue->get_Locales(), u"ENU");
    ASSERT_TRUE(english->get_TimeFormats());
    EXPECT_EQ(english->get_TimeFormats()->get_Count(), 1);
}

TEST_F(CatalogueOnFixture, ASystemDefaultAboveSubLanguage20IsNotFound) {
    Stage(*db_, 0x5409, u"ENQ");  // sub-language 21
    Stage(*db_, 0x0409, u"ENU");
    db_->SetSystemDefault(0x5409);
    auto world = FixtureWorld(db_);
    auto catalogue = world.Catalogue();
    EXPECT_EQ(CataloguedIds(catalogue), (std::vector<Long>{0x0409}));
    EXPECT_FALSE(catalogue->get_SystemDefault());
}

TEST_F(CatalogueOnFixture, SystemDefaultSurvivesItsRemovalFromLocales) {
    Stage(*db_, 0x0409, u"ENU");
    auto world = FixtureWorld(db_);
    auto catalogue = world.Catalogue();
    auto system_default = catalogue->get_SystemDefault();
    Variant key(u"ENU");
    catalogue->get_Locales()->Remove(key);
    EXPECT_EQ(catalogue->get_Locales()->get_Count(), 0);
    EXPECT_EQ(catalogue->get_SystemDefault().Get(), system_default.Get());
    EXPECT_EQ(system_default->get_LCID(), kEnUs);
}

TEST_F(CatalogueOnFixture, LocaleTextsAreReadAtEachCall) {
    Stage(*db_, 0x0409, u"ENU");
    db_->Locale(0x0409).Info(sim::lc::kSCurrency, u"$");
    auto world = FixtureWorld(db_);
    auto catalogue = world.Catalogue();
    auto locale = catalogue->get_SystemDefault();
    EXPECT_EQ(locale->get_CurrencyString(), u"$");
    db_->Locale(0x0409).Info(sim::lc::kSCurrency, u"US$");
    EXPECT_EQ(locale->get_CurrencyString(), u"US$");
    db_->Locale(0x0409).Installed(false);
    EXPECT_EQ(locale->get_isValid(), kFalse);
    db_->Locale(0x0409).Installed(true);
    EXPECT_EQ(locale->get_isValid(), kTrue);
}

}  // namespace
}  // namespace quibor15::locale_testing
