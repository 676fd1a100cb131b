#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "event_log.hpp"
#include "tests/scratch_folder.hpp"

namespace quibor15::headless {
namespace {

using testing::ErrorNumberOf;

class TextFilesTest : public ::testing::Test {
protected:
    String PathOf(const std::string& name) const { return (folder / name).u16string(); }
    std::string Bytes(const std::string& name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
    std::vector<String> ReadAll(const String& path) {
        std::vector<String> lines;
        int32_t n = runtime.FreeFile();
        runtime.OpenFile(n, path, FileMode::Input);
        while (!runtime.FileEof(n)) lines.push_back(runtime.FileReadLine(n));
        runtime.FileClose(n);
        return lines;
    }

    quibor15::testing::ScratchFolder folder{"q15-headless"};
    HeadlessRuntime runtime;
};

TEST_F(TextFilesTest, WrittenLinesEndWithCrLfInCodePage1252) {
    String path = PathOf("list.m3u");
    runtime.OpenFile(1, path, FileMode::Output);
    runtime.FileWriteLine(1, u"x");
    runtime.FileWriteLine(1, u"y ");
    runtime.FileWriteLine(1, u"Caf\u00e9 \u20ac \u4e00");  // the last has no form in 1252
    runtime.FileClose(1);
    EXPECT_EQ(Bytes("list.m3u"), std::string("x\r\ny \r\nCaf\xe9 \x80 ?\r\n"));
    EXPECT_EQ(ReadAll(path), (std::vector<String>{u"x", u"y ", u"Caf\u00e9 \u20ac ?"}));
}

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<String> lines;
};

class LineEndTest : public TextFilesTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineEndTest, ALineEndsAtCrOrCrLfButNotAtALoneLf) {
    WriteBytes("in.txt", GetParam().bytes);
    EXPECT_EQ(ReadAll(PathOf("in.txt")), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Terminators, LineEndTest,
                         ::testing::Values(LineCase{"CrLf", "a\r\nb\r\n", {u"a", u"b"}},
                                           LineCase{"Cr", "a\rb\r", {u"a", u"b"}},
                                           LineCase{"LoneLf", "a\nb\r\nc", {u"a\nb", u"c"}},
                                           LineCase{"LastLineUnterminated", "one\r\ntwo", {u"one", u"two"}},
                                           LineCase{"EmptyLines", "\r\n\r\nx\r\r\n", {u"", u"", u"x", u""}},
                                           LineCase{"LfCr", "a\n\rb", {u"a\n", u"b"}}, LineCase{"Empty", "", {}},
                                           LineCase{"Ansi", "\xe9t\xe9\r\n", {u"\u00e9t\u00e9"}}),
                         [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST_F(TextFilesTest, ReadingPastTheEndRaises62) {
    WriteBytes("one.txt", "only\r\n");
    runtime.OpenFile(3, PathOf("one.txt"), FileMode::Input);
    EXPECT_FALSE(runtime.FileEof(3));
    EXPECT_EQ(runtime.FileReadLine(3), u"only");
    EXPECT_TRUE(runtime.FileEof(3));
    EXPECT_EQ(ErrorNumberOf([&] { runtime.FileReadLine(3); }), 62);
    runtime.FileClose(3);
}

TEST_F(TextFilesTest, OutputEmptiesAnExistingFile) {
    WriteBytes("old.txt", "old contents\r\n");
    runtime.OpenFile(1, PathOf("old.txt"), FileMode::Output);
    runtime.FileClose(1);
    EXPECT_EQ(Bytes("old.txt"), "");
}

TEST_F(TextFilesTest, BackslashesSeparateFolders) {
    std::filesystem::create_directories(folder / "Music");
    String path = folder.Path().u16string() + u"\\Music\\list.txt";
    runtime.OpenFile(1, path, FileMode::Output);
    runtime.FileWriteLine(1, u"song");
    runtime.FileClose(1);
    EXPECT_EQ(Bytes("Music/list.txt"), "song\r\n");
    EXPECT_EQ(ReadAll(path), (std::vector<String>{u"song"}));
}

TEST_F(TextFilesTest, FreeFileAnswersTheLowestUnusedNumber) {
    EXPECT_EQ(runtime.FreeFile(), 1);
    runtime.OpenFile(1, PathOf("a.txt"), FileMode::Output);
    runtime.OpenFile(2, PathOf("b.txt"), FileMode::Output);
    EXPECT_EQ(runtime.FreeFile(), 3);
    runtime.FileClose(1);
    EXPECT_EQ(runtime.FreeFile(), 1);
    runtime.FileClose(2);
    runtime.FileClose(2);  // closing again does nothing
}

struct OpenErrorCase {
    const char* name;
    int32_t number;
    std::string relative_path;  // below the test folder; "" for an empty path
    FileMode mode;
    int32_t error;
};

class OpenErrorTest : public TextFilesTest, public ::testing::WithParamInterface<OpenErrorCase> {};

TEST_P(OpenErrorTest, OpenReportsTheRuntimesErrorNumbers) {
    const OpenErrorCase& c = GetParam();
    WriteBytes("exists.txt", "x\r\n");
    std::filesystem::create_directories(folder / "dir");
    runtime.OpenFile(7, PathOf("exists.txt"), FileMode::Input);
    String path = c.relative_path.empty() ? String() : PathOf(c.relative_path);
    EXPECT_EQ(ErrorNumberOf([&] { runtime.OpenFile(c.number, path, c.mode); }), c.error);
    runtime.FileClose(7);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, OpenErrorTest,
    ::testing::Values(OpenErrorCase{"MissingInput", 1, "missing.txt", FileMode::Input, 53},
                      OpenErrorCase{"MissingFolderInput", 1, "nofolder/x.txt", FileMode::Input, 76},
                      OpenErrorCase{"MissingFolderOutput", 1, "nofolder/x.txt", FileMode::Output, 76},
                      OpenErrorCase{"FolderAsInput", 1, "dir", FileMode::Input, 75},
                      OpenErrorCase{"FolderAsOutput", 1, "dir", FileMode::Output, 75},
                      OpenErrorCase{"EmptyPath", 1, "", FileMode::Output, 75},
                      OpenErrorCase{"NumberInUse", 7, "other.txt", FileMode::Output, 55},
                      OpenErrorCase{"NumberZero", 0, "exists.txt", FileMode::Input, 52},
                      OpenErrorCase{"NumberTooHigh", 512, "exists.txt", FileMode::Input, 52}),
    [](const ::testing::TestParamInfo<OpenErrorCase>& info) { return std::string(info.param.name); });

TEST_F(TextFilesTest, ReadsAndWritesNeedAFileOpenInTheRightMode) {
    runtime.OpenFile(1, PathOf("out.txt"), FileMode::Output);
    EXPECT_EQ(ErrorNumberOf([&] { runtime.FileReadLine(1); }), 54);
    EXPECT_EQ(ErrorNumberOf([&] { runtime.FileEof(1); }), 54);
    EXPECT_EQ(ErrorNumberOf([&] { runtime.FileWriteLine(2, u"x"); }), 52);
    EXPECT_EQ(ErrorNumberOf([&] { runtime.FileEof(600); }), 52);
    runtime.FileClose(1);
    runtime.OpenFile(1, PathOf("out.txt"), FileMode::Input);
    EXPECT_EQ(ErrorNumberOf([&] { runtime.FileWriteLine(1, u"x"); }), 54);
    runtime.FileClose(1);
}

TEST(TextFilesCodePage, AJapaneseRuntimeWritesDoubleByteCharacters) {
    std::unique_ptr<AnsiCodePage> shift_jis = MakeAnsiCodePage(932);
    HeadlessRuntime runtime(*shift_jis);
    const quibor15::testing::ScratchFolder scratch("q15-headless-932");
    const std::filesystem::path file = scratch / "list.txt";
    runtime.OpenFile(1, file.u16string(), FileMode::Output);
    runtime.FileWriteLine(1, u"\u65e5\u672c");  // two characters, four bytes
    runtime.FileClose(1);
    EXPECT_EQ(std::filesystem::file_size(file), 6u);
    runtime.OpenFile(1, file.u16string(), FileMode::Input);
    EXPECT_EQ(runtime.FileReadLine(1), u"\u65e5\u672c");
    runtime.FileClose(1);
    // Key characters go through the same code page.
    EXPECT_EQ(runtime.Desk().KeyAsciiOf(u'\u65e5'), static_cast<Integer>(static_cast<int16_t>(0x93FA)));
    EXPECT_EQ(runtime.Desk().TextOfKeyAscii(static_cast<Integer>(static_cast<int16_t>(0x93FA))), u"\u65e5");
}

}  // namespace
}  // namespace quibor15::headless
