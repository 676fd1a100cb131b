#include <gtest/gtest.h>

#include "platform/sim/sim_windows.hpp"

namespace quibor15::sim {
namespace {

// Reads one string the way the component's loader does: load the module,
// find the block, load, lock and size it, walk its entries, release.
String LoadString(SimWindows& win, const String& path, int32_t id, int32_t language) {
    const Handle module = win.LoadLibraryA(path);
    String text;
    const Handle resource = win.FindResourceExA(module, kRtString, StringBlockOf(id), language);
    if (resource != 0) {
        const Handle loaded = win.LoadResource(module, resource);
        const std::vector<uint8_t> bytes = win.LockResource(loaded);
        EXPECT_EQ(bytes.size(), win.SizeofResource(module, resource));
        size_t offset = 0;
        for (int32_t entry = (StringBlockOf(id) - 1) * 16; entry < StringBlockOf(id) * 16; ++entry) {
            const size_t length = bytes.at(offset) | (bytes.at(offset + 1) << 8);
            offset += 2;
            if (entry == id) {
                for (size_t k = 0; k < length; ++k) {
                    text += static_cast<char16_t>(bytes.at(offset + 2 * k) | (bytes.at(offset + 2 * k + 1) << 8));
                }
                break;
            }
            offset += 2 * length;
        }
        EXPECT_EQ(win.FreeResource(loaded), 0);
    }
    if (module != 0) {
        EXPECT_EQ(win.FreeLibrary(module), 1);
    }
    return text;
}

TEST(StringBlock, EncodesSixteenCountedEntries) {
    std::array<std::u16string, 16> entries;
    entries[0] = u"A";
    entries[2] = u"hi";
    entries[15] = u"\u00E9";
    const std::vector<uint8_t> expected = {
        0x01, 0x00, 0x41, 0x00,                          // 0: "A"
        0x00, 0x00,                                      // 1: empty
        0x02, 0x00, 0x68, 0x00, 0x69, 0x00,              // 2: "hi"
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 3 to 6
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 7 to 10
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 11 to 14
        0x01, 0x00, 0xE9, 0x00,                          // 15: e acute
    };
    EXPECT_EQ(EncodeStringBlock(entries), expected);
}

TEST(StringBlock, BlockNumbersOfIdentifiers) {
    EXPECT_EQ(StringBlockOf(0), 1);
    EXPECT_EQ(StringBlockOf(15), 1);
    EXPECT_EQ(StringBlockOf(16), 2);
    EXPECT_EQ(StringBlockOf(112), 8);
    EXPECT_EQ(StringBlockOf(65535), 4096);
}

TEST(StringTable, IdentifiersFifteenAndSixteenLieInBlocksOneAndTwo) {
    SimWindows win;
    const Handle module = win.AddModule(u"C:\\Lib\\strings.dll");
    win.SetString(module, 15, 1033, u"fifteen");
    win.SetString(module, 16, 1033, u"sixteen");

    const std::vector<uint8_t> block1 = *win.Resources().Block(module, 1, 1033);
    ASSERT_EQ(block1.size(), 15u * 2 + 2 + 7 * 2);  // 15 empty entries, then "fifteen"
    EXPECT_EQ(block1[30], 7);
    EXPECT_EQ(block1[32], u'f');
    const std::vector<uint8_t> block2 = *win.Resources().Block(module, 2, 1033);
    ASSERT_EQ(block2.size(), 2u + 7 * 2 + 15 * 2);  // "sixteen", then 15 empty entries
    EXPECT_EQ(block2[0], 7);
    EXPECT_EQ(block2[2], u's');
    EXPECT_FALSE(win.Resources().Block(module, 3, 1033));

    EXPECT_EQ(LoadString(win, u"C:\\Lib\\strings.dll", 15, 1033), u"fifteen");
    EXPECT_EQ(LoadString(win, u"C:\\Lib\\strings.dll", 16, 1033), u"sixteen");
}

TEST(StringTable, PathsCompareWithoutCaseOrSeparator) {
    SimWindows win;
    const Handle module = win.AddModule(u"C:\\Lib\\Strings.dll");
    EXPECT_EQ(win.AddModule(u"c:/lib/STRINGS.DLL"), module);
    EXPECT_EQ(win.LoadLibraryA(u"c:/LIB\\strings.dll"), module);
    EXPECT_EQ(win.LoadLibraryA(u"C:\\Lib\\Strings.dll"), module);  // the same handle on each load
    EXPECT_EQ(win.Resources().LoadCount(module), 2);
    EXPECT_NE(win.AddModule(u"C:\\Lib\\other.dll"), module);
}

TEST(StringTable, EmptyEntryOfAnExistingBlockGivesEmptyText) {
    SimWindows win;
    const Handle module = win.AddModule(u"x.dll");
    win.SetString(module, 113, 1033, u"present");
    win.SetString(module, 114, 1033, u"");
    EXPECT_EQ(LoadString(win, u"x.dll", 113, 1033), u"present");
    EXPECT_EQ(LoadString(win, u"x.dll", 114, 1033), u"");
    EXPECT_EQ(LoadString(win, u"x.dll", 115, 1033), u"");
    // The block exists, so the find succeeds even for the empty entries.
    const Handle loaded = win.LoadLibraryA(u"x.dll");
    EXPECT_NE(win.FindResourceExA(loaded, kRtString, StringBlockOf(115), 1033), 0);
    win.FreeLibrary(loaded);
}

TEST(StringTable, MissingLanguageFindsNothing) {
    SimWindows win;
    win.AddLibraryModule();
    const Handle module = win.LoadLibraryA(win.LibraryModulePath());
    EXPECT_EQ(win.FindResourceExA(module, kRtString, StringBlockOf(112), 1031), 0);
    EXPECT_NE(win.FindResourceExA(module, kRtString, StringBlockOf(112), 1033), 0);
    EXPECT_EQ(win.FindResourceExA(module, 5, StringBlockOf(112), 1033), 0);  // another resource type
    win.FreeLibrary(module);
    EXPECT_EQ(LoadString(win, win.LibraryModulePath(), 112, 1031), u"");
}

TEST(StringTable, NeutralLanguageFallsBackToEnglishThenAnyLanguage) {
    SimWindows win;
    const Handle module = win.AddModule(u"n.dll");
    win.SetString(module, 1, 1031, u"Eins");
    win.SetString(module, 1, 1033, u"One");
    win.SetString(module, 40, 1036, u"Quarante");
    EXPECT_EQ(LoadString(win, u"n.dll", 1, 0), u"One");
    EXPECT_EQ(LoadString(win, u"n.dll", 40, 0), u"Quarante");
}

TEST(StringTable, LibraryModuleHoldsTheDialogTexts) {
    SimWindows win;
    win.AddLibraryModule(u"C:\\App\\quibor15.dll");
    EXPECT_EQ(win.LibraryModulePath(), u"C:\\App\\quibor15.dll");
    const struct {
        int32_t id;
        const char16_t* text;
    } cases[] = {
        {110, u"&OK"},
        {111, u"&Cancel"},
        {112, u"Select Language"},
        {113, u"&Select the Present User Interface Language from the choices below."},
        {114, u""},
        {109, u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadString(win, u"C:\\App\\quibor15.dll", c.id, 1033), c.text) << c.id;
    }
}

TEST(StringTable, UnknownPathFallsBackToTheHostProgramTable) {
    SimWindows win;
    win.SetHostString(112, 1033, u"Host caption");
    EXPECT_EQ(win.LoadLibraryA(u"C:\\nowhere\\missing.dll"), 0);
    EXPECT_EQ(LoadString(win, u"C:\\nowhere\\missing.dll", 112, 1033), u"Host caption");
    EXPECT_EQ(LoadString(win, u"C:\\nowhere\\missing.dll", 110, 1033), u"");
    EXPECT_EQ(win.Resources().OpenLibraryCount(), 0);
    EXPECT_EQ(win.FreeLibrary(0), 0);  // the host program is never freed
}

TEST(StringTable, ReleasesAreCountedAndHandlesDieWithTheirModule) {
    SimWindows win;
    const Handle module = win.AddModule(u"r.dll");
    win.SetString(module, 3, 1033, u"three");

    const Handle loaded_module = win.LoadLibraryA(u"r.dll");
    const Handle resource = win.FindResourceExA(loaded_module, kRtString, 1, 1033);
    EXPECT_EQ(win.FindResourceExA(loaded_module, kRtString, 1, 1033), resource);
    const Handle first = win.LoadResource(loaded_module, resource);
    const Handle second = win.LoadResource(loaded_module, resource);
    EXPECT_NE(first, second);
    EXPECT_EQ(win.LoadResource(0, resource), 0);  // not the host program's
    EXPECT_EQ(win.Resources().LiveResourceCount(), 2);
    EXPECT_EQ(win.FreeResource(first), 0);
    EXPECT_NE(win.FreeResource(first), 0);  // twice is a failure
    EXPECT_TRUE(win.LockResource(first).empty());
    EXPECT_EQ(win.FreeResource(second), 0);
    EXPECT_EQ(win.Resources().LiveResourceCount(), 0);

    EXPECT_EQ(win.Resources().OpenLibraryCount(), 1);
    EXPECT_EQ(win.FreeLibrary(loaded_module), 1);
    EXPECT_EQ(win.Resources().OpenLibraryCount(), 0);
    EXPECT_EQ(win.FreeLibrary(loaded_module), 0);
    EXPECT_EQ(win.FindResourceExA(loaded_module, kRtString, 1, 1033), 0);
}

TEST(StringTable, CallsAreLogged) {
    SimWindows win;
    win.AddLibraryModule(u"C:\\App\\quibor15.dll");
    win.ClearLog();
    EXPECT_EQ(LoadString(win, u"C:\\App\\quibor15.dll", 112, 1033), u"Select Language");
    const std::vector<String> expected = {u"LoadLibraryA",   u"FindResourceExA", u"LoadResource", u"LockResource",
                                          u"SizeofResource", u"FreeResource",    u"FreeLibrary"};
    EXPECT_EQ(win.Log().Functions(), expected);
    EXPECT_EQ(win.Calls(u"FindResourceExA").at(0),
              (CallRecord{u"FindResourceExA", {u"0x10000000", u"6", u"8", u"0x409"}}));
    EXPECT_EQ(win.Calls(u"LoadLibraryA").at(0), (CallRecord{u"LoadLibraryA", {u"C:\\App\\quibor15.dll"}}));
}

TEST(StringTable, SetupRejectsBadIdentifiersAndModules) {
    SimWindows win;
    EXPECT_THROW(win.SetString(0, 65536, 1033, u"x"), std::invalid_argument);
    EXPECT_THROW(win.SetString(0, -1, 1033, u"x"), std::invalid_argument);
    EXPECT_THROW(win.SetString(0x12345678, 1, 1033, u"x"), std::invalid_argument);
}

}  // namespace
}  // namespace quibor15::sim
