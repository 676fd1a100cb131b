// The string-table reader on real RT_STRING block layouts.
#include <optional>

#include "language_world.hpp"

namespace quibor15::testing {
namespace {

constexpr char16_t kStringsModule[] = u"C:\\Test\\strings.dll";
constexpr Long kEnglish = 1033;
constexpr Long kGerman = 1031;

// A simulated Windows whose resource calls can be made to misbehave.
class UnreliableResources : public sim::SimWindows {
public:
    // LockResource hands back only this many bytes of the block.
    std::optional<size_t> bytes_kept;
    // SizeofResource reports this size instead of the real one.
    std::optional<uint32_t> size_reported;
    // FindResourceExA raises this error.
    std::optional<int32_t> find_error;

    std::vector<uint8_t> LockResource(Handle loaded) override {
        std::vector<uint8_t> bytes = SimWindows::LockResource(loaded);
        if (bytes_kept && *bytes_kept < bytes.size()) bytes.resize(*bytes_kept);
        return bytes;
    }
    uint32_t SizeofResource(Handle module, Handle resource) override {
        const uint32_t real = SimWindows::SizeofResource(module, resource);
        return size_reported ? *size_reported : real;
    }
    Handle FindResourceExA(Handle module, int32_t type, int32_t name, int32_t language) override {
        if (find_error) RaiseRuntimeError(*find_error);
        return SimWindows::FindResourceExA(module, type, name, language);
    }
};

class ResourceText : public LanguageWorldOf<UnreliableResources> {
protected:
    String Read(Long identifier, Long language = kEnglish) {
        return LoadResourceString(*context, identifier, language);
    }
    String ReadFrom(const String& module, Long identifier, Long language = kEnglish) {
        Loader().module_path = module;
        return Read(identifier, language);
    }
    // The block names FindResourceExA was asked for, in order.
    std::vector<String> BlocksSearched() const {
        std::vector<String> names;
        for (const sim::CallRecord& call : windows->Calls(u"FindResourceExA")) names.push_back(call.args.at(2));
        return names;
    }
    void ExpectNothingLeftOpen() const {
        EXPECT_EQ(windows->Resources().OpenLibraryCount(), 0);
        EXPECT_EQ(windows->Resources().LiveResourceCount(), 0);
    }
    const std::vector<headless::MessageBoxCall>& Boxes() const { return runtime->ScriptedUser().MessageBoxes(); }
};

TEST_F(ResourceText, TheLibraryTableGivesTheDialogTexts) {
    PointLoaderAtLibrary();
    EXPECT_EQ(quibor15::ResourceText(*context, 112), u"Select Language");
    EXPECT_EQ(quibor15::ResourceText(*context, 110), u"&OK");
    EXPECT_EQ(quibor15::ResourceText(*context, 111), u"&Cancel");
    EXPECT_EQ(quibor15::ResourceText(*context, 113),
              u"&Select the Present User Interface Language from the choices below.");
    ExpectNothingLeftOpen();
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ResourceText, ADialogLanguageOfZeroReadsUsEnglishAndStaysSo) {
    Loader().module_path = kLibraryPath;
    Loader().dialog_language = 0;
    EXPECT_EQ(quibor15::ResourceText(*context, 112), u"Select Language");
    EXPECT_EQ(Loader().dialog_language, 1033);
    EXPECT_EQ(windows->Calls(u"FindResourceExA").at(0).args.at(3), u"0x409");
}

TEST_F(ResourceText, ResourceTextReadsInTheDialogLanguage) {
    windows->SetString(kLibraryPath, 112, kGerman, u"Sprache w\u00e4hlen");
    PointLoaderAtLibrary();
    Loader().dialog_language = kGerman;
    EXPECT_EQ(quibor15::ResourceText(*context, 112), u"Sprache w\u00e4hlen");
    EXPECT_EQ(quibor15::ResourceText(*context, 110), u"");  // no German entry
}

TEST_F(ResourceText, AnIdentifierLiesInBlockIdentifierDividedBySixteenPlusOne) {
    windows->SetString(kStringsModule, 15, kEnglish, u"fifteen");
    windows->SetString(kStringsModule, 16, kEnglish, u"sixteen");
    windows->SetString(kStringsModule, 0, kEnglish, u"zero");
    windows->SetString(kStringsModule, 65535, kEnglish, u"last");
    EXPECT_EQ(ReadFrom(kStringsModule, 15), u"fifteen");
    EXPECT_EQ(ReadFrom(kStringsModule, 16), u"sixteen");
    EXPECT_EQ(ReadFrom(kStringsModule, 0), u"zero");
    EXPECT_EQ(ReadFrom(kStringsModule, 65535), u"last");
    EXPECT_EQ(BlocksSearched(), (std::vector<String>{u"1", u"2", u"1", u"4096"}));
    ExpectNothingLeftOpen();
}

TEST_F(ResourceText, TheWalkSkipsEmptyAndFilledEntriesAlike) {
    // Block 8 (112 to 127) with every other entry empty and texts of
    // different lengths, so each entry's offset depends on all before it.
    struct Entry {
        Long id;
        String text;
    };
    const std::vector<Entry> staged = {
        {112, u"a"},
        {114, u"bcd"},
        {115, u"efghij"},
        {119, String(300, u'x')},
        {120, u"\u00e9t\u00e9"},
        {126, u"penultimate"},
        {127, u"last of the block"},
    };
    for (const Entry& e : staged) windows->SetString(kStringsModule, e.id, kEnglish, e.text);
    Loader().module_path = kStringsModule;
    for (Long id = 112; id <= 127; ++id) {
        String expected;
        for (const Entry& e : staged) {
            if (e.id == id) expected = e.text;
        }
        EXPECT_EQ(Read(id), expected) << "identifier " << id;
    }
    ExpectNothingLeftOpen();
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ResourceText, AnEmptyEntryOfAnExistingBlockGivesTheEmptyText) {
    windows->SetString(kStringsModule, 100, kEnglish, u"hundred");
    windows->SetString(kStringsModule, 102, kEnglish, u"hundred and two");
    EXPECT_EQ(ReadFrom(kStringsModule, 101), u"");
    EXPECT_EQ(windows->CallCount(u"LoadResource"), 1u);  // the block was there and was walked
    EXPECT_EQ(ReadFrom(kStringsModule, 102), u"hundred and two");
}

TEST_F(ResourceText, AMissingBlockOrLanguageGivesTheEmptyText) {
    PointLoaderAtLibrary();
    EXPECT_EQ(Read(112, kGerman), u"");  // no German block
    EXPECT_EQ(Read(200), u"");           // no block 13 at all
    EXPECT_EQ(windows->CallCount(u"LoadResource"), 0u);
    ExpectNothingLeftOpen();
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ResourceText, IdentifiersNoStringTableCanHoldGiveTheEmptyText) {
    windows->SetString(kStringsModule, 0, kEnglish, u"zero");
    Loader().module_path = kStringsModule;
    EXPECT_EQ(Read(-1), u"");
    EXPECT_EQ(Read(65536), u"");  // would wrap round to block 1 as a 16-bit name
    EXPECT_EQ(Read(2147483647), u"");
    EXPECT_EQ(windows->CallCount(u"FindResourceExA"), 0u);
    ExpectNothingLeftOpen();
}

TEST_F(ResourceText, AModuleThatCannotBeLoadedLeavesTheSearchToTheHostProgramsTable) {
    windows->SetHostString(112, kEnglish, u"The host's own caption");
    EXPECT_EQ(ReadFrom(u"C:\\Nowhere\\missing.dll", 112), u"The host's own caption");
    EXPECT_EQ(ReadFrom(u"C:\\Nowhere\\missing.dll", 110), u"");  // the host has no such entry
    EXPECT_EQ(windows->Calls(u"FindResourceExA").at(0).args.at(0), u"0x0");
    // The host program itself is never freed.
    EXPECT_EQ(windows->CallCount(u"FreeLibrary"), 0u);
    ExpectNothingLeftOpen();
}

TEST_F(ResourceText, EveryLookupFreesWhatItOpened) {
    PointLoaderAtLibrary();
    for (Long id : {110, 111, 112, 113, 114}) quibor15::ResourceText(*context, id);
    EXPECT_EQ(windows->CallCount(u"LoadLibraryA"), 5u);
    EXPECT_EQ(windows->CallCount(u"FreeLibrary"), 5u);
    EXPECT_EQ(windows->CallCount(u"LoadResource"), 5u);
    EXPECT_EQ(windows->CallCount(u"FreeResource"), 5u);
    ExpectNothingLeftOpen();
}

TEST_F(ResourceText, ABlockShorterThanItsEntriesIsReportedOnceAndGivesTheEmptyText) {
    PointLoaderAtLibrary();
    // Entries 112 ("Select Language") and 113 begin block 8; keep 10 bytes.
    windows->bytes_kept = 10;
    EXPECT_EQ(Read(113), u"");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].prompt, u"9 - Subscript out of range");
    EXPECT_EQ(Boxes()[0].flags, mb::kIconCritical);
    EXPECT_EQ(Boxes()[0].title, kAppTitle);
    ExpectNothingLeftOpen();
}

TEST_F(ResourceText, ASizeLargerThanTheBlockNeverReadsPastIt) {
    windows->SetString(kStringsModule, 20, kEnglish, u"twenty");
    windows->size_reported = 4096;
    EXPECT_EQ(ReadFrom(kStringsModule, 20), u"twenty");  // found before the end
    EXPECT_EQ(ReadFrom(kStringsModule, 31), u"");        // the last entry is empty: the walk ends cleanly
    EXPECT_TRUE(Boxes().empty());
    windows->bytes_kept = 6;  // the length of entry 20 but not its text
    EXPECT_EQ(ReadFrom(kStringsModule, 20), u"");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].prompt, u"9 - Subscript out of range");
}

TEST_F(ResourceText, ABlockOfSizeZeroHasNoEntriesToWalk) {
    PointLoaderAtLibrary();
    windows->size_reported = 0;
    EXPECT_EQ(Read(112), u"");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].prompt, u"9 - Subscript out of range");
    ExpectNothingLeftOpen();
}

TEST_F(ResourceText, APlatformErrorIsShownWithItsNumberAndDescription) {
    PointLoaderAtLibrary();
    windows->find_error = rt::kDllEntryPointNotFound;
    EXPECT_EQ(Read(112), u"");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].prompt, u"453 - " + RuntimeErrorDescription(453));
    EXPECT_EQ(Boxes()[0].title, kAppTitle);
    ExpectNothingLeftOpen();
}

TEST_F(ResourceText, AFailureThatRepeatsShowsOneBoxPerLookupAndEveryLookupEnds) {
    PointLoaderAtLibrary();
    windows->bytes_kept = 3;
    int answered = 0;
    runtime->ScriptedUser().OnMessageBox([&](const headless::MessageBoxCall&) {
        ++answered;
        return mb::kResultOk;
    });
    for (Long id : {110, 111, 112, 113}) EXPECT_EQ(quibor15::ResourceText(*context, id), u"");
    // 110 and 111 lie in block 7 of the library's table, 112 and 113 in
    // block 8: every block is cut short.
    EXPECT_EQ(answered, 4);
    EXPECT_EQ(Boxes().size(), 4u);
    ExpectNothingLeftOpen();
}

// --- the library's own module file

struct ModulePathCase {
    const char* name;
    String app_path;
    String exe_name;
    String expected;
};

class LibraryModulePathTest : public ::testing::TestWithParam<ModulePathCase> {};

TEST_P(LibraryModulePathTest, IsTheAppFolderTheModuleNameAndDll) {
    headless::HeadlessRuntime runtime;
    runtime.AppSettings()->SetPath(GetParam().app_path);
    runtime.AppSettings()->SetExeName(GetParam().exe_name);
    EXPECT_EQ(LibraryModulePath(runtime), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, LibraryModulePathTest,
    ::testing::Values(ModulePathCase{"WindowsFolder", u"C:\\Program Files\\quibor15", u"quibor15",
                                     u"C:\\Program Files\\quibor15\\quibor15.dll"},
                      ModulePathCase{"DriveRoot", u"C:\\", u"quibor15", u"C:\\quibor15.dll"},
                      ModulePathCase{"PosixFolder", u"/opt/quibor15/lib", u"libquibor15",
                                     u"/opt/quibor15/lib/libquibor15.dll"},
                      ModulePathCase{"PosixRoot", u"/", u"quibor15", u"/quibor15.dll"},
                      ModulePathCase{"TrailingSeparatorDropped", u"/srv/app/", u"q", u"/srv/app/q.dll"}),
    [](const ::testing::TestParamInfo<ModulePathCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quibor15::testing
