// Where Windows and CLDR part ways, the database answers as Windows does:
// the word sort, casing, pictures, day and month names, abbreviations.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/icu/icu_locale_database.hpp"
#include "platform/icu/info_codes.hpp"
#include "test_text.hpp"

namespace quibor15::icu_backend {
namespace {

using testing::U16;
using testing::U8;

const IcuLocaleDatabase& Db() {
    static const IcuLocaleDatabase db;
    return db;
}

// Every installed identifier of the Windows ranges (primary languages to
// 0xFF, sub-languages to 0x3F), in catalogue order.
const std::vector<int32_t>& Installed() {
    static const std::vector<int32_t> all = [] {
        std::vector<int32_t> ids;
        for (int32_t primary = 1; primary <= 0xFF; ++primary) {
            for (int32_t sub = 1; sub <= 0x3F; ++sub) {
                if (Db().IsInstalled(sub << 10 | primary)) ids.push_back(sub << 10 | primary);
            }
        }
        return ids;
    }();
    return all;
}

struct SortCase {
    int32_t lcid;
    uint32_t flags;
    std::vector<const char*> sorted;
};

class WordSortTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(WordSortTest, KeepsEachPairInOrder) {
    const SortCase& c = GetParam();
    for (size_t i = 0; i + 1 < c.sorted.size(); ++i) {
        EXPECT_EQ(Db().Compare(c.lcid, c.flags, U16(c.sorted[i]), U16(c.sorted[i + 1])), 1)
            << c.sorted[i] << " before " << c.sorted[i + 1];
        EXPECT_EQ(Db().Compare(c.lcid, c.flags, U16(c.sorted[i + 1]), U16(c.sorted[i])), 3);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WordSortTest,
    ::testing::Values(
        // Hyphen and apostrophe weigh almost nothing, case or no case.
        SortCase{0x0409, 1, {"coop", "co-op", "cork"}}, SortCase{0x0409, 1, {"went", "were", "we're"}},
        SortCase{0x0409, 0, {"coop", "co-op", "cork"}}, SortCase{0x0407, 1, {"Bau", "Bau-Ende", "Baum"}},
        // Other punctuation and symbols come before digits, digits before
        // letters, and they count where they stand.
        SortCase{0x0409, 1, {"!", "#1", "1", "9", "a"}}, SortCase{0x0409, 1, {"a b", "a!b", "aa", "ab"}},
        SortCase{0x040C, 1, {"cote", "coté", "côte", "côté"}}));

TEST(WordSortTest, IgnoringSymbolsIgnoresHyphensToo) {
    EXPECT_EQ(Db().Compare(0x0409, compareflags::kIgnoreSymbols, u"co-op", u"coop"), 2);
    EXPECT_EQ(Db().Compare(0x0409, compareflags::kIgnoreSymbols, u"a!b", u"ab"), 2);
}

struct NameCase {
    int32_t lcid;
    uint32_t lctype;
    const char* expected;
};

class WindowsNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(WindowsNameTest, GivesTheNominativeWhereWindowsHasIt) {
    EXPECT_EQ(U8(Db().GetInfo(GetParam().lcid, GetParam().lctype)), std::optional<std::string>(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Names, WindowsNameTest,
    ::testing::Values(NameCase{0x040B, lctype::kSDayName1, "maanantai"},
                      NameCase{0x040B, lctype::kSMonthName1 | lctype::kReturnGenitiveNames, "tammikuu"},
                      NameCase{0x0419, lctype::kSMonthName1 | lctype::kReturnGenitiveNames, "января"},
                      NameCase{0x0415, lctype::kSMonthName1 | lctype::kReturnGenitiveNames, "stycznia"},
                      NameCase{0x0407, lctype::kSAbbrevMonthName1 | lctype::kReturnGenitiveNames, "Jan"},
                      // CLDR's quoting and spaces, written as Windows writes them.
                      NameCase{0x240A, lctype::kSLongDate, "dddd, d' de 'MMMM' de 'yyyy"},
                      NameCase{0x0C09, lctype::kSTimeFormat, "h:mm:ss tt"},
                      NameCase{0x1009, lctype::kSTimeFormat, "h:mm:ss tt"}));

TEST(WindowsNameTest, DatesUseGenitiveMonthsOnlyWhereWindowsHasThem) {
    const SystemTime january_first{2010, 1, 0, 1, 0, 0, 0, 0};
    const std::u16string day_and_month = u"d MMMM";
    const std::u16string day_and_short_month = u"d MMM";
    EXPECT_EQ(U8(Db().FormatDate(0x040B, 0, january_first, &day_and_month)), "1 tammikuu");
    EXPECT_EQ(U8(Db().FormatDate(0x040B, lcflags::kDateLongDate, january_first, nullptr)), "1. tammikuuta 2010");
    EXPECT_EQ(U8(Db().FormatDate(0x0419, 0, january_first, &day_and_month)), "1 января");
    EXPECT_EQ(U8(Db().FormatDate(0x0407, 0, january_first, &day_and_short_month)), "1 Jan");
}

TEST(InstalledLocalesTest, NoPictureOrNameHoldsAReplacementOrANarrowSpace) {
    std::vector<uint32_t> codes = {
        lctype::kSLanguage,    lctype::kSNativeDisplayName, lctype::kSNativeLangName, lctype::kSNativeCtryName,
        lctype::kSEngLanguage, lctype::kSEngCountry,        lctype::kS1159,           lctype::kS2359};
    for (uint32_t day = 0; day < 14; ++day) codes.push_back(lctype::kSDayName1 + day);
    for (uint32_t month = 0; month < 24; ++month) codes.push_back(lctype::kSMonthName1 + month);
    auto check = [](int32_t lcid, const std::u16string& text) {
        EXPECT_EQ(text.find_first_of(u"?\uFFFD\u202F"), std::u16string::npos) << std::hex << lcid << ": " << U8(text);
    };
    for (int32_t lcid : Installed()) {
        for (uint32_t code : codes) check(lcid, Db().GetInfo(lcid, code).value_or(u""));
        for (const auto& picture : Db().DatePictures(lcid, lcflags::kDateShortDate)) check(lcid, picture);
        for (const auto& picture : Db().DatePictures(lcid, lcflags::kDateLongDate)) check(lcid, picture);
        for (const auto& picture : Db().TimePictures(lcid)) check(lcid, picture);
        for (const auto& picture : Db().TimePictures(lcid)) {
            EXPECT_EQ(picture.find(u'\u00A0'), std::u16string::npos) << std::hex << lcid << ": " << U8(picture);
        }
    }
}

TEST(InstalledLocalesTest, NoTwoIdentifiersShareAnAbbreviation) {
    std::map<std::u16string, int32_t> owners;
    for (int32_t lcid : Installed()) {
        const std::u16string abbreviation = Db().GetInfo(lcid, lctype::kSAbbrevLangName).value_or(u"");
        EXPECT_EQ(abbreviation.size(), 3u) << std::hex << lcid;
        const auto [it, added] = owners.emplace(abbreviation, lcid);
        EXPECT_TRUE(added) << U8(abbreviation) << " of " << std::hex << lcid << " and " << it->second;
    }
    EXPECT_GT(owners.size(), 200u);
}

TEST(InstalledLocalesTest, KoreanJohabIsNoLocale) {
    EXPECT_FALSE(Db().IsInstalled(0x0812));
    EXPECT_TRUE(Db().IsInstalled(0x0412));
}

}  // namespace
}  // namespace quibor15::icu_backend
