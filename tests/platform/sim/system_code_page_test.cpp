// The simulated system's ANSI code page follows its system locale unless a
// test pins one.
#include <gtest/gtest.h>

#include "platform/sim/fixture_locale_database.hpp"
#include "platform/sim/sim_windows.hpp"

namespace quibor15::sim {
namespace {

TEST(SystemCodePage, FollowsTheSystemLocaleUntilPinned) {
    auto db = FixtureLocaleDatabase::Standard();
    SimWindows win;
    win.SetLocaleDatabase(db);
    const std::shared_ptr<const AnsiCodePage> shared = win.SharedCodePage();
    EXPECT_EQ(win.CodePage().Number(), 1252);

    db->SetSystemDefault(0x0411);
    EXPECT_EQ(win.CodePage().Number(), 932);
    EXPECT_EQ(shared->Encode(u"\u65E5"), "\x93\xFA");  // the same object the host's other parts hold

    win.SetCodePage(1251);
    db->SetSystemDefault(0x0409);
    EXPECT_EQ(shared->Number(), 1251);
    win.FollowSystemLocale();
    EXPECT_EQ(shared->Number(), 1252);
}

TEST(SystemCodePage, LocalesWithoutAnAnsiPageRunOnTheWesternOne) {
    auto db = std::make_shared<FixtureLocaleDatabase>();
    db->Locale(0x0439).Info(0x1004, u"0");
    db->Locale(0x0419).Info(0x1004, u"1251");
    EXPECT_EQ(SystemCodePageNumber(*db, 0x0439), 1252);
    EXPECT_EQ(SystemCodePageNumber(*db, 0x7FFF), 1252);  // no such locale
    EXPECT_EQ(SystemCodePageNumber(*db, 0x0419), 1251);
}

}  // namespace
}  // namespace quibor15::sim
