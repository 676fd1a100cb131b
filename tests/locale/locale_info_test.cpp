// The information properties of locale objects on the real database.
#include "tests/locale/locale_world.hpp"

namespace quibor15::locale_testing {
namespace {

struct InfoCase {
    Long lcid;
    int code_page;
    std::u16string_view abbreviation;
    std::u16string_view generic_name;
    std::u16string_view currency_code;
    std::u16string_view decimal;
    std::u16string_view short_date;
    std::u16string_view native_language;
    std::u16string_view native_country;
};

class LocaleInfoOnIcu : public testing::TestWithParam<InfoCase> {};

TEST_P(LocaleInfoOnIcu, PropertiesAnswerTheirInformationCodes) {
    const auto& p = GetParam();
    auto world = IcuWorld(p.code_page);
    auto locale = world.Locale(p.lcid);
    EXPECT_EQ(locale->get_LCID(), p.lcid);
    EXPECT_EQ(locale->get_isValid(), kTrue);
    EXPECT_EQ(locale->get_AbbrevLangName(), p.abbreviation);
    EXPECT_EQ(locale->get_GenericLangName(), p.generic_name);
    EXPECT_EQ(locale->get_IntlCurrencyCode(), p.currency_code);
    EXPECT_EQ(locale->get_DecimalSeparator(), p.decimal);
    EXPECT_EQ(locale->get_ShortDateFormat(), p.short_date);
    EXPECT_EQ(locale->get_NativeLangName(), p.native_language);
    EXPECT_EQ(locale->get_NativeCountryName(), p.native_country);
    EXPECT_FALSE(locale->get_FullName().empty());
    EXPECT_FALSE(locale->get_LongDateFormat().empty());
    EXPECT_FALSE(locale->get_CurrencyString().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Locales, LocaleInfoOnIcu,
    testing::Values(InfoCase{kEnUs, 1252, u"ENU", u"English", u"USD", u".", u"M/d/yyyy", u"English", u"United States"},
                    InfoCase{kEnGb, 1252, u"ENG", u"English", u"GBP", u".", u"dd/MM/yyyy", u"English",
                             u"United Kingdom"},
                    InfoCase{kDeDe, 1252, u"DEU", u"German", u"EUR", u",", u"dd.MM.yyyy", u"Deutsch", u"Deutschland"},
                    InfoCase{kFrFr, 1252, u"FRA", u"French", u"EUR", u",", u"dd/MM/yyyy", u"fran\u00E7ais", u"France"},
                    InfoCase{kRuRu, 1251, u"RUS", u"Russian", u"RUB", u",", u"dd.MM.yyyy",
                             u"\u0440\u0443\u0441\u0441\u043A\u0438\u0439", u"\u0420\u043E\u0441\u0441\u0438\u044F"},
                    InfoCase{kJaJp, 932, u"JPN", u"Japanese", u"JPY", u".", u"yyyy/MM/dd", u"\u65E5\u672C\u8A9E",
                             u"\u65E5\u672C"}));

TEST(LocaleInfoOnIcu, EnglishUnitedStatesValuesOfTheWorkedExamples) {
    auto enu = Item(SharedIcuCatalogue()->get_Locales(), u"ENU");
    EXPECT_EQ(enu->get_FullName(), u"English (United States)");
    EXPECT_EQ(enu->get_CurrencyString(), u"$");
    EXPECT_EQ(enu->get_LongDateFormat(), u"dddd, MMMM dd, yyyy");
    EXPECT_EQ(enu->get_LCID(), 1033);
}

TEST(LocaleInfoOnIcu, TextsOutsideTheSystemCodePageLoseNothing) {
    auto world = IcuWorld(1252);
    auto russian = world.Locale(kRuRu);
    EXPECT_EQ(russian->get_AbbrevLangName(), u"RUS");
    EXPECT_EQ(russian->get_NativeLangName(), u"\u0440\u0443\u0441\u0441\u043A\u0438\u0439");
}

TEST(LocaleInfoOnFixture, EveryPropertyReadsItsCodeThroughA255CharacterBuffer) {
    auto world = FixtureWorld(sim::FixtureLocaleDatabase::Standard());
    auto locale = world.Locale(kEnUs);
    world.windows->ClearLog();
    locale->get_AbbrevLangName();
    locale->get_CurrencyString();
    locale->get_FullName();
    locale->get_GenericLangName();
    locale->get_IntlCurrencyCode();
    locale->get_LongDateFormat();
    locale->get_NativeCountryName();
    locale->get_NativeLangName();
    locale->get_ShortDateFormat();
    locale->get_DecimalSeparator();
    std::vector<String> codes;
    for (const auto& call : world.windows->Calls(u"GetLocaleInfoA")) {
        EXPECT_EQ(call.args[0], u"0x409");
        EXPECT_EQ(call.args[2], u"255");
        codes.push_back(call.args[1]);
    }
    EXPECT_EQ(codes, (std::vector<String>{u"0x3", u"0x14", u"0x2", u"0x1001", u"0x15", u"0x20", u"0x8", u"0x4", u"0x1F",
                                          u"0xE"}));
}

TEST(LocaleInfoOnFixture, ATextLongerThanTheBufferIsAFailedCall) {
    auto db = sim::FixtureLocaleDatabase::Standard();
    db->AddEnglishUnitedStates()
        .Info(sim::lc::kSLanguage, String(300, u'x'))
        .Info(sim::lc::kSCurrency, String(254, u'$'));
    auto world = FixtureWorld(db);
    auto locale = world.Locale(kEnUs);
    EXPECT_EQ(locale->get_FullName(), u"");
    EXPECT_EQ(locale->get_CurrencyString(), String(254, u'$'));
}

}  // namespace
}  // namespace quibor15::locale_testing
