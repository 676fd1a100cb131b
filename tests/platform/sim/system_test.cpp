// Version, arithmetic, shell and common controls.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "platform/sim/sim_windows.hpp"
#include "sim_test_support.hpp"
#include "tests/scratch_folder.hpp"

namespace quibor15::sim {
namespace {

TEST(MulDiv, SixtyFourBitProductRoundedHalfAwayFromZero) {
    const struct {
        int32_t number, numerator, denominator, result;
    } cases[] = {
        {12, 96, 72, 16},  // 12 points at 96 dpi
        {10, 3, 2, 15},
        {5, 1, 2, 3},  // 2.5 rounds up
        {-5, 1, 2, -3},
        {5, -1, 2, -3},
        {5, 1, -2, -3},  // -2.5 rounds away from zero
        {-5, -1, -2, -3},
        {-5, -1, 2, 3},
        {7, 1, 3, 2},
        {8, 1, 3, 3},
        {-7, 1, 3, -2},
        {-8, 1, 3, -3},
        {0, 5, 7, 0},
        {1, 1, 0, -1},             // division by zero
        {INT_MAX, 2, 1, -1},       // overflow
        {INT_MAX, 2, 2, INT_MAX},  // the product needs 64 bits
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {65536, 65536, 65536, 65536},
        {INT_MIN, 1, -1, -1},  // +2^31 does not fit
    };
    SimWindows win;
    for (const auto& c : cases) {
        EXPECT_EQ(win.MulDiv(c.number, c.numerator, c.denominator), c.result)
            << c.number << " * " << c.numerator << " / " << c.denominator;
    }
    EXPECT_EQ(win.Calls(u"MulDiv").at(0), (CallRecord{u"MulDiv", {u"12", u"96", u"72"}}));
}

TEST(Version, DefaultLooksLikeACurrentSystem) {
    SimWindows win;
    OsVersionInfo info;
    ASSERT_EQ(win.GetVersionExA(info), 1);
    EXPECT_EQ(info.platform_id, 2u);
    EXPECT_EQ(info.major, 10u);
    EXPECT_EQ(info.minor, 0u);
    EXPECT_EQ(win.Calls(u"GetVersionExA").at(0), (CallRecord{u"GetVersionExA", {u"dwOSVersionInfoSize=148"}}));
}

TEST(Version, StagedVersions) {
    const struct {
        uint32_t platform, major, minor;
    } cases[] = {{2, 5, 1}, {2, 5, 0}, {2, 4, 0}, {1, 4, 90}, {1, 4, 10}, {1, 4, 0}, {2, 5, 2}, {2, 6, 0}};
    for (const auto& c : cases) {
        SimWindows win;
        win.SetVersion(c.platform, c.major, c.minor, 2600, u"Service Pack 3");
        OsVersionInfo info;
        ASSERT_EQ(win.GetVersionExA(info), 1);
        EXPECT_EQ(info.platform_id, c.platform);
        EXPECT_EQ(info.major, c.major);
        EXPECT_EQ(info.minor, c.minor);
        EXPECT_EQ(info.build, 2600u);
        EXPECT_EQ(info.csd_version, u"Service Pack 3");
    }
}

TEST(Version, FailureLeavesTheRecordUntouched) {
    SimWindows win;
    win.SetVersionFails(true);
    OsVersionInfo info;
    info.major = 77;
    info.minor = 88;
    EXPECT_EQ(win.GetVersionExA(info), 0);
    EXPECT_EQ(info.major, 77u);
    EXPECT_EQ(info.minor, 88u);
    win.SetVersionFails(false);
    info.size = 100;  // a record size the system does not know
    EXPECT_EQ(win.GetVersionExA(info), 0);
    EXPECT_EQ(info.major, 77u);
}

class Shell : public ::testing::Test {
protected:
    void SetUp() override { std::ofstream(folder / "report.txt") << "x"; }
    String Path(const std::string& tail = "") const {
        return String(folder.Path().u16string()) + (tail.empty() ? u"" : String(tail.begin(), tail.end()));
    }

    SimWindows win;
    quibor15::testing::ScratchFolder folder{"q15-sim-shell"};
};

TEST_F(Shell, ExecuteFindsRealFilesWithEitherSeparator) {
    EXPECT_EQ(win.ShellExecuteA(0, u"Open", Path("/report.txt"), u"", u"", 0), kShellExecuteSuccess);
    String backslashed = Path("/report.txt");
    std::replace(backslashed.begin(), backslashed.end(), u'/', u'\\');
    EXPECT_EQ(win.ShellExecuteA(0, u"Open", backslashed, u"", u"", 0), kShellExecuteSuccess);
    EXPECT_EQ(win.ShellExecuteA(0, u"Open", Path("/missing.txt"), u"", u"", 0), kErrorFileNotFound);
    EXPECT_EQ(win.ShellExecuteA(0, u"Open", u"", u"", u"", 0), kErrorFileNotFound);
    // A relative name is found in the working folder.
    EXPECT_EQ(win.ShellExecuteA(0, u"Open", u"report.txt", u"", Path(), 0), kShellExecuteSuccess);
    EXPECT_EQ(win.ShellExecuteA(0, u"Open", u"report.txt", u"", u"", 0), kErrorFileNotFound);
}

TEST_F(Shell, ExecuteKnowsStagedDocumentsAndLogsItsArguments) {
    win.AddKnownDocument(u"C:\\Docs\\Letter.doc");
    EXPECT_EQ(win.ShellExecuteA(0, u"print", u"c:/docs/letter.DOC", u"/q", u"C:\\Docs", 4), kShellExecuteSuccess);
    EXPECT_EQ(win.Calls(u"ShellExecuteA").at(0),
              (CallRecord{u"ShellExecuteA", {u"0x0", u"print", u"c:/docs/letter.DOC", u"/q", u"C:\\Docs", u"4"}}));
    EXPECT_EQ(win.ShellExecuteA(0, u"Open", u"Letter.doc", u"", u"C:\\Docs", 0), kShellExecuteSuccess);
    EXPECT_EQ(win.ShellExecuteA(0, u"Open", u"C:\\Docs\\Other.doc", u"", u"", 0), kErrorFileNotFound);
}

TEST_F(Shell, ExecuteResultCanBeForced) {
    win.SetShellExecuteResult(31);
    EXPECT_EQ(win.ShellExecuteA(0, u"Open", Path("/report.txt"), u"", u"", 0), 31);
    win.SetShellExecuteResult(std::nullopt);
    EXPECT_EQ(win.ShellExecuteA(0, u"Open", Path("/report.txt"), u"", u"", 0), kShellExecuteSuccess);
}

TEST(RecentDocuments, PathsAreAppendedOncePerDocument) {
    SimWindows win;
    win.SHAddToRecentDocs(kShardPathA, u"C:\\a.txt");
    win.SHAddToRecentDocs(kShardPathA, u"C:\\b.txt");
    win.SHAddToRecentDocs(kShardPathA, u"c:/A.TXT");  // the same document again: now the latest
    win.SHAddToRecentDocs(kShardPathA, u"");
    win.SHAddToRecentDocs(3, u"C:\\wide.txt");  // not the ANSI path form
    EXPECT_EQ(win.RecentDocuments(), (std::vector<String>{u"C:\\b.txt", u"c:/A.TXT"}));
    EXPECT_EQ(win.Calls(u"SHAddToRecentDocs").at(0), (CallRecord{u"SHAddToRecentDocs", {u"0x2", u"C:\\a.txt"}}));
    EXPECT_EQ(win.CallCount(u"SHAddToRecentDocs"), 5u);
}

TEST(RecentDocuments, AStagedFailureLeavesItsCodeAsTheLastError) {
    SimWindows win;
    win.SHAddToRecentDocs(kShardPathA, u"C:\\a.txt");
    EXPECT_EQ(win.GetLastError(), 0u);
    win.SetRecentDocsError(5);  // access denied
    win.SHAddToRecentDocs(kShardPathA, u"C:\\b.txt");
    EXPECT_EQ(win.GetLastError(), 5u);
    EXPECT_EQ(win.RecentDocuments(), (std::vector<String>{u"C:\\a.txt"}));
    win.SetRecentDocsError(0);
    win.SHAddToRecentDocs(kShardPathA, u"C:\\b.txt");
    EXPECT_EQ(win.GetLastError(), 0u);
}

TEST(CommonControls, InitialisationIsLoggedAndCanBeMissing) {
    SimWindows win;
    win.InitCommonControls();
    EXPECT_EQ(win.InitCommonControlsEx(quibor15::InitCommonControlsEx{8, 0x800}), 1);
    EXPECT_EQ(win.InitCommonControlsEx(quibor15::InitCommonControlsEx{8, 0x4}), 1);
    EXPECT_EQ(win.InitializedControlClasses(), 0x804);
    EXPECT_EQ(win.InitCommonControlsEx(quibor15::InitCommonControlsEx{12, 0x1}), 0);  // wrong record size
    EXPECT_EQ(win.InitializedControlClasses(), 0x804);
    EXPECT_EQ(win.Calls(), (std::vector<CallRecord>{{u"InitCommonControls", {}},
                                                    {u"InitCommonControlsEx", {u"dwSize=8", u"dwICC=0x800"}},
                                                    {u"InitCommonControlsEx", {u"dwSize=8", u"dwICC=0x4"}},
                                                    {u"InitCommonControlsEx", {u"dwSize=12", u"dwICC=0x1"}}}));
    win.SetInitCommonControlsExMissing(true);
    EXPECT_RAISES(rt::kDllEntryPointNotFound, win.InitCommonControlsEx(quibor15::InitCommonControlsEx{8, 0x4}));
}

TEST(CallLog, ArgumentTexts) {
    EXPECT_EQ(HexArg(0), u"0x0");
    EXPECT_EQ(HexArg(0x700002), u"0x700002");
    EXPECT_EQ(HandleArg(-1), u"0xFFFFFFFF");
    EXPECT_EQ(DecArg(0), u"0");
    EXPECT_EQ(DecArg(-240), u"-240");
    EXPECT_EQ(DecArg(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(RectArg(Rect{-1, 2, 3, 4}), u"-1,2,3,4");
    EXPECT_EQ(TextArg(nullptr), u"NULL");
}

TEST(CallLog, FiltersAndClearing) {
    SimWindows win;
    win.GetSystemMetrics(0);
    win.MulDiv(1, 2, 3);
    win.GetSystemMetrics(1);
    win.mciSendStringA(u"play movie", nullptr, 0, 0);
    EXPECT_EQ(win.CallCount(u"GetSystemMetrics"), 2u);
    EXPECT_EQ(
        win.Log().Among({u"MulDiv", u"mciSendStringA"}),
        (std::vector<CallRecord>{{u"MulDiv", {u"1", u"2", u"3"}}, {u"mciSendStringA", {u"play movie", u"0", u"0x0"}}}));
    win.ClearLog();
    EXPECT_TRUE(win.Calls().empty());
    EXPECT_TRUE(win.MciCommands().empty());
    EXPECT_TRUE(win.Messages().empty());
}

// A long run keeps the newest calls and a bounded log.
TEST(CallLog, DropsTheOldestCallsOfALongRun) {
    CallLog log;
    const size_t calls = 2 * CallLog::kKeptCalls + 5;
    for (size_t i = 0; i < calls; ++i) log.Add(u"GetTickCount", {DecArg(static_cast<int64_t>(i))});
    EXPECT_LE(log.All().size(), 2 * CallLog::kKeptCalls);
    EXPECT_GE(log.All().size(), CallLog::kKeptCalls);
    EXPECT_EQ(log.Dropped() + log.All().size(), calls);
    EXPECT_EQ(log.All().back().args, std::vector<String>{DecArg(static_cast<int64_t>(calls - 1))});
    EXPECT_EQ(log.All().front().args, std::vector<String>{DecArg(static_cast<int64_t>(log.Dropped()))});
}

}  // namespace
}  // namespace quibor15::sim
