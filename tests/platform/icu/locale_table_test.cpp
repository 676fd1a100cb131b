// The table compiled in answers as the live ICU database does: the build made
// it from these answers, and a changed ICU or database code must not leave
// it behind.
#include "platform/icu/locale_table.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "platform/icu/icu_locale_database.hpp"
#include "platform/icu/info_codes.hpp"
#include "test_text.hpp"

namespace quibor15::icu_backend {
namespace {

using Answers = IcuLocaleDatabase::Answers;

const IcuLocaleDatabase& Live() {
    static const IcuLocaleDatabase db(0x0407, Answers::kLive);
    return db;
}

const IcuLocaleDatabase& Tabled() {
    static const IcuLocaleDatabase db(0x0407, Answers::kTabled);
    return db;
}

TEST(LocaleTable, IsCompiledInForThisIcu) {
    ASSERT_NE(MatchingBuiltInLocaleTable(), nullptr);
    EXPECT_GT(MatchingBuiltInLocaleTable()->locales.size(), 100u);
}

TEST(LocaleTable, InstalledIdentifiersMatchIcu) {
    std::vector<int32_t> live, tabled;
    for (int32_t lcid = -1; lcid <= 0x10000; ++lcid) {
        if (Live().IsInstalled(lcid)) live.push_back(lcid);
        if (Tabled().IsInstalled(lcid)) tabled.push_back(lcid);
    }
    EXPECT_EQ(tabled, live);
}

// Every seventh installed identifier, and those with a row of Windows values,
// a calendar of their own or a derived abbreviation; the default identifiers
// stand for the system default.
std::vector<int32_t> Sample() {
    std::vector<int32_t> ids = {0x0000, 0x0400, 0x0800, 0x0409, 0x0809, 0x0407, 0x040C, 0x0419, 0x0411,
                                0x0413, 0x0401, 0x041E, 0x0429, 0x040D, 0x0404, 0x0C04, 0x0412};
    int n = 0;
    for (const TabledLocale& locale : MatchingBuiltInLocaleTable()->locales) {
        if (n++ % 7 == 0) ids.push_back(locale.lcid);
    }
    return ids;
}

TEST(LocaleTable, InformationValuesMatchIcu) {
    ASSERT_NE(MatchingBuiltInLocaleTable(), nullptr);
    constexpr uint32_t kModifiers[] = {0, lctype::kReturnGenitiveNames, lctype::kNoUserOverride};
    for (int32_t lcid : Sample()) {
        for (const lctype::CodeRange& range : lctype::kCodeRanges) {
            for (uint32_t code = range.first; code <= range.last + 1; ++code) {
                for (uint32_t modifier : kModifiers) {
                    EXPECT_EQ(testing::U8(Tabled().GetInfo(lcid, code | modifier)),
                              testing::U8(Live().GetInfo(lcid, code | modifier)))
                        << std::hex << "lcid 0x" << lcid << " code 0x" << (code | modifier);
                }
            }
        }
    }
}

TEST(LocaleTable, PictureListsMatchIcu) {
    ASSERT_NE(MatchingBuiltInLocaleTable(), nullptr);
    for (int32_t lcid : Sample()) {
        for (uint32_t flags : {lcflags::kDateShortDate, lcflags::kDateLongDate, 0u, 3u}) {
            EXPECT_EQ(Tabled().DatePictures(lcid, flags), Live().DatePictures(lcid, flags))
                << std::hex << "lcid 0x" << lcid << " flags " << flags;
        }
        EXPECT_EQ(Tabled().TimePictures(lcid), Live().TimePictures(lcid)) << std::hex << "lcid 0x" << lcid;
    }
}

}  // namespace
}  // namespace quibor15::icu_backend
