// The version tests against the rule tables, row by row.
#include "system_fixture.hpp"

namespace quibor15 {
namespace {

struct VersionRow {
    const char* name;
    uint32_t platform, major, minor;
    bool fails;
    Long win32_ver;
    bool nt, nine_x, xp, w2k, nt4, me, w98, w95;
    const char16_t* version_text;
    Integer major_field, minor_field;
};

// Expected classifications: Win32Ver takes the first matching rule, the
// single-system tests read the version themselves (so 4.90 is ME and 98
// at once). Columns: platform, major, minor, whether the call fails;
// Win32Ver; isNT, is9x, isWinXP, isWin2k, isWinNT4, isWinME, isWin98,
// isWin95; GetOSVersion with the two fields after it.
const VersionRow kRows[] = {
    {"XP 5.1", 2, 5, 1, false, WinXP, true, false, true, false, false, false, false, false, u"5.1", 5, 1},
    {"2000 5.0", 2, 5, 0, false, Win2k, true, false, false, true, false, false, false, false, u"5.0", 5, 0},
    {"5.2", 2, 5, 2, false, UnknownOS, false, false, false, false, false, false, false, false, u"5.2", 5, 2},
    {"6.0", 2, 6, 0, false, UnknownOS, false, false, false, false, false, false, false, false, u"6.0", 6, 0},
    {"10.0", 2, 10, 0, false, UnknownOS, false, false, false, false, false, false, false, false, u"10.0", 10, 0},
    {"NT 4.0", 2, 4, 0, false, WinNT4, true, false, false, false, true, false, false, false, u"4.0", 4, 0},
    // 4.x above 0 counts as 98 for isWin98 on any platform.
    {"NT 4.10", 2, 4, 10, false, WinNT4, true, false, false, false, true, false, true, false, u"4.10", 4, 10},
    {"ME 4.90", 1, 4, 90, false, WinME, false, true, false, false, false, true, true, false, u"4.90", 4, 90},
    {"98 4.10", 1, 4, 10, false, Win98, false, true, false, false, false, false, true, false, u"4.10", 4, 10},
    {"95 4.0", 1, 4, 0, false, Win95, false, true, false, false, false, false, false, true, u"4.0", 4, 0},
    {"95 family 5.0", 1, 5, 0, false, Win98, false, true, false, false, false, false, true, false, u"5.0", 5, 0},
    {"95 family 3.95", 1, 3, 95, false, UnknownOS, false, false, false, false, false, false, false, false, u"3.95", 3,
     95},
    {"Win32s 4.10", 0, 4, 10, false, Win98, false, true, false, false, false, false, true, false, u"4.10", 4, 10},
    {"platform 3, 5.1", 3, 5, 1, false, UnknownOS, false, false, false, false, false, false, false, false, u"5.1", 5,
     1},
    {"failure", 2, 5, 1, true, UnknownOS, false, false, false, false, false, false, false, false, u"0", 0, 0},
};

class OsVersion : public testing::ManifestFixture {};

TEST_F(OsVersion, EveryMemberFollowsItsTable) {
    for (const VersionRow& row : kRows) {
        SCOPED_TRACE(row.name);
        windows->SetVersion(row.platform, row.major, row.minor);
        windows->SetVersionFails(row.fails);
        EXPECT_EQ(manifest->Win32Ver(), row.win32_ver);
        EXPECT_EQ(manifest->isNT(), Boolean::From(row.nt));
        EXPECT_EQ(manifest->is9x(), Boolean::From(row.nine_x));
        EXPECT_EQ(manifest->isWinXP(), Boolean::From(row.xp));
        EXPECT_EQ(manifest->isWin2k(), Boolean::From(row.w2k));
        EXPECT_EQ(manifest->isWinNT4(), Boolean::From(row.nt4));
        EXPECT_EQ(manifest->isWinME(), Boolean::From(row.me));
        EXPECT_EQ(manifest->isWin98(), Boolean::From(row.w98));
        EXPECT_EQ(manifest->isWin95(), Boolean::From(row.w95));
        manifest->let_intVer_major(-1);
        manifest->let_intVer_minor(-1);
        EXPECT_EQ(manifest->GetOSVersion(), row.version_text);
        EXPECT_EQ(manifest->get_intVer_major(), row.major_field);
        EXPECT_EQ(manifest->get_intVer_minor(), row.minor_field);
    }
}

TEST_F(OsVersion, TrueIsMinusOne) {
    windows->SetVersion(2, 5, 1);
    EXPECT_EQ(manifest->isWinXP().raw, -1);
    EXPECT_EQ(manifest->isNT().raw, -1);
    EXPECT_EQ(manifest->isWin95().raw, 0);
}

TEST_F(OsVersion, EveryMemberAsksTheSystemAfresh) {
    windows->SetVersion(2, 5, 1);
    windows->ClearLog();
    manifest->Win32Ver();
    manifest->isNT();
    manifest->isWinXP();
    manifest->GetOSVersion();
    const auto calls = windows->Calls(u"GetVersionExA");
    ASSERT_EQ(calls.size(), 4u);
    for (const auto& call : calls) EXPECT_EQ(call.args, (std::vector<String>{u"dwOSVersionInfoSize=148"}));
    windows->SetVersion(1, 4, 0);
    EXPECT_EQ(manifest->Win32Ver(), Win95);
}

TEST_F(OsVersion, FieldsKeepWhatTheCallerWritesUntilTheNextQuery) {
    EXPECT_EQ(manifest->get_intVer_major(), 0);
    EXPECT_EQ(manifest->get_intVer_minor(), 0);
    manifest->let_intVer_major(-32768);
    manifest->let_intVer_minor(32767);
    windows->SetVersion(2, 5, 1);
    manifest->Win32Ver();
    manifest->isWin98();
    EXPECT_EQ(manifest->get_intVer_major(), -32768);
    EXPECT_EQ(manifest->get_intVer_minor(), 32767);
    EXPECT_EQ(manifest->GetOSVersion(), u"5.1");
    EXPECT_EQ(manifest->get_intVer_major(), 5);
    windows->SetVersionFails(true);
    EXPECT_EQ(manifest->GetOSVersion(), u"0");
    EXPECT_EQ(manifest->get_intVer_major(), 0);
    EXPECT_EQ(manifest->get_intVer_minor(), 0);
}

TEST_F(OsVersion, NumbersBeyondAnIntegerOverflow) {
    windows->SetVersion(2, 40000, 0);
    EXPECT_RAISES(rt::kOverflow, manifest->GetOSVersion());
}

TEST_F(OsVersion, LateBoundNamesAndIdentifiers) {
    windows->SetVersion(1, 4, 90);
    Ref<Object> object(manifest);
    EXPECT_EQ(object->GetIdOfName(u"WIN32VER"), 0x60030004);
    EXPECT_EQ(LateCall(object, u"Win32Ver"), Variant(Long{WinME}));
    EXPECT_EQ(LateCall(object, u"iswin98"), Variant(kTrue));
    EXPECT_EQ(LateCall(object, u"GetOSVersion"), Variant(String(u"4.90")));
    EXPECT_EQ(LateGet(object, u"intVer_minor"), Variant(Integer{90}));
}

}  // namespace
}  // namespace quibor15
