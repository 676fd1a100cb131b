// The manifest writer, its presence test, MainXp and the document launcher.
#include "system_fixture.hpp"

namespace quibor15 {
namespace {

using testing::ReadBytes;
namespace fs = std::filesystem;

// The manifest, byte for byte.
const std::string kManifestBytes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "<assemblyIdentity version=\"1.0.0.0\" processorArchitecture=\"x86\" name=\"prjThemed\" type=\"Win32\" />\r\n"
    "<dependency>\r\n"
    "<dependentAssembly>\r\n"
    "<assemblyIdentity type=\"Win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
    "processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\" />\r\n"
    "</dependentAssembly>\r\n"
    "</dependency>\r\n"
    "</assembly>\r\n";

class Manifest : public testing::ManifestFixture {
protected:
    fs::path OwnManifest() const { return component_folder / "quibor15.exe.MANIFEST"; }
    String Folder(const fs::path& path, char16_t separator) const { return path.u16string() + separator; }
};

TEST_F(Manifest, EmptyFolderWritesIntoTheComponentsFolderAndReturnsIt) {
    String folder;
    EXPECT_EQ(manifest->MakeMANIFESTfile(folder), kTrue);
    EXPECT_EQ(folder, component_folder.u16string() + u"/");
    EXPECT_EQ(ReadBytes(OwnManifest()), kManifestBytes);
    EXPECT_EQ(manifest->get_IsManifestFile(), kTrue);
}

TEST_F(Manifest, GivenFolderIsUsedAsItIsAndLeftUnchanged) {
    fs::create_directories(temp.Path() / "apps");
    const struct {
        String folder;
        fs::path written;
    } cases[] = {
        {Folder(temp.Path() / "apps", u'/'), temp.Path() / "apps" / "quibor15.exe.MANIFEST"},
        // A backslash separates folders here too.
        {Folder(temp.Path() / "apps", u'\\'), temp.Path() / "apps" / "quibor15.exe.MANIFEST"},
        // Without its separator the name runs on from the folder's name.
        {(temp.Path() / "apps").u16string(), temp.Path() / "appsquibor15.exe.MANIFEST"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written.string());
        String folder = c.folder;
        EXPECT_EQ(manifest->MakeMANIFESTfile(folder), kTrue);
        EXPECT_EQ(folder, c.folder);
        EXPECT_EQ(ReadBytes(c.written), kManifestBytes);
        fs::remove(c.written);
    }
    // The component's own folder has none.
    EXPECT_EQ(manifest->get_IsManifestFile(), kFalse);
    EXPECT_FALSE(fs::exists(OwnManifest()));
}

TEST_F(Manifest, SecondWriteOverwritesTheFirst) {
    {
        std::ofstream old(OwnManifest(), std::ios::binary);
        old << std::string(5000, 'x') << "\r\nline\r\n";
    }
    String folder;
    EXPECT_EQ(manifest->MakeMANIFESTfile(folder), kTrue);
    EXPECT_EQ(manifest->MakeMANIFESTfile(folder), kTrue);
    EXPECT_EQ(ReadBytes(OwnManifest()), kManifestBytes);
}

TEST_F(Manifest, FailureIsFalseNeverAnError) {
    String missing = Folder(temp.Path() / "no" / "such", u'/');
    EXPECT_EQ(manifest->MakeMANIFESTfile(missing), kFalse);
    EXPECT_EQ(missing, Folder(temp.Path() / "no" / "such", u'/'));
    // A folder where the file should be.
    fs::create_directories(OwnManifest());
    String folder;
    EXPECT_EQ(manifest->MakeMANIFESTfile(folder), kFalse);
    EXPECT_EQ(folder, component_folder.u16string() + u"/");  // set before the failure
    // A folder cannot be opened as the manifest either.
    EXPECT_EQ(manifest->get_IsManifestFile(), kFalse);
}

TEST_F(Manifest, NoFileNumberStaysOpen) {
    String missing = Folder(temp.Path() / "nowhere", u'/');
    const int32_t free_before = runtime->FreeFile();
    EXPECT_EQ(manifest->MakeMANIFESTfile(missing), kFalse);
    String folder;
    EXPECT_EQ(manifest->MakeMANIFESTfile(folder), kTrue);
    EXPECT_EQ(manifest->get_IsManifestFile(), kTrue);
    EXPECT_EQ(runtime->FreeFile(), free_before);
}

TEST_F(Manifest, IsManifestFileFollowsTheComponentsFolder) {
    EXPECT_EQ(manifest->get_IsManifestFile(), kFalse);
    std::ofstream(OwnManifest(), std::ios::binary) << "anything";
    EXPECT_EQ(manifest->get_IsManifestFile(), kTrue);
    runtime->AppSettings()->SetPath((temp.Path() / "elsewhere").u16string());
    EXPECT_EQ(manifest->get_IsManifestFile(), kFalse);
}

TEST_F(Manifest, LateBoundCallWithoutArgumentUsesTheComponentsFolder) {
    Ref<Object> object(manifest);
    EXPECT_EQ(LateCall(object, u"MakeMANIFESTfile"), Variant(kTrue));
    EXPECT_EQ(ReadBytes(OwnManifest()), kManifestBytes);
    fs::remove(OwnManifest());
    // The caller's variable, passed by reference, receives the folder.
    Variant folder(String{});
    Variant args[] = {Variant::ByRef(folder)};
    EXPECT_EQ(LateCall(object, u"makemanifestfile", args), Variant(kTrue));
    EXPECT_EQ(folder, Variant(component_folder.u16string() + u"/"));
    EXPECT_EQ(LateGet(object, u"IsManifestFile"), Variant(kTrue));
}

// --- MainXp

TEST_F(Manifest, MainXpInitialisesStandardClassesOnlyOnXp) {
    const struct {
        uint32_t platform, major, minor;
        bool fails;
        bool initialises;
    } cases[] = {
        {2, 5, 1, false, true},   {2, 5, 0, false, false}, {2, 5, 2, false, false},  {2, 6, 0, false, false},
        {2, 10, 0, false, false}, {2, 4, 0, false, false}, {1, 4, 90, false, false}, {1, 4, 10, false, false},
        {1, 4, 0, false, false},  {2, 5, 1, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.platform << " " << c.major << "." << c.minor << (c.fails ? " fails" : ""));
        windows->SetVersion(c.platform, c.major, c.minor);
        windows->SetVersionFails(c.fails);
        windows->ClearLog();
        manifest->MainXp();
        const auto calls = windows->Calls(u"InitCommonControlsEx");
        if (c.initialises) {
            ASSERT_EQ(calls.size(), 1u);
            EXPECT_EQ(calls[0].args, (std::vector<String>{u"dwSize=8", u"dwICC=0x800"}));
        } else {
            EXPECT_TRUE(calls.empty());
        }
        EXPECT_EQ(windows->CallCount(u"InitCommonControls"), 0u);
    }
    EXPECT_EQ(windows->InitializedControlClasses(), 0x800);
}

TEST_F(Manifest, MainXpSwallowsAMissingEntryPoint) {
    windows->SetVersion(2, 5, 1);
    windows->SetInitCommonControlsExMissing(true);
    EXPECT_NO_THROW(manifest->MainXp());
    EXPECT_EQ(windows->CallCount(u"InitCommonControlsEx"), 1u);
}

// --- ShellDocument

TEST_F(Manifest, ShellDocumentPassesItsArgumentsToTheShell) {
    String document = u"C:\\Docs\\report.txt";
    windows->AddKnownDocument(document);
    windows->ClearLog();
    EXPECT_EQ(manifest->ShellDocument(document, u"print", u"/q", u"C:\\Docs", START_MAXIMIZED), kTrue);
    EXPECT_EQ(document, u"C:\\Docs\\report.txt");
    ASSERT_EQ(windows->CallCount(u"ShellExecuteA"), 1u);
    EXPECT_EQ(windows->Calls(u"ShellExecuteA")[0].args,
              (std::vector<String>{u"0x0", u"print", u"C:\\Docs\\report.txt", u"/q", u"C:\\Docs", u"3"}));
}

TEST_F(Manifest, ShellDocumentDefaultsThroughLateBinding) {
    windows->AddKnownDocument(u"readme.txt");
    Ref<Object> object(manifest);
    Variant name(String(u"readme.txt"));
    Variant args[] = {Variant::ByRef(name)};
    EXPECT_EQ(LateCall(object, u"ShellDocument", args), Variant(kTrue));
    EXPECT_EQ(windows->Calls(u"ShellExecuteA").back().args,
              (std::vector<String>{u"0x0", u"Open", u"readme.txt", u"", u"", u"0"}));
    EXPECT_EQ(name, Variant(String(u"readme.txt")));

    Variant missing(String(u"no-such-document.txt"));
    Variant missing_args[] = {Variant::ByRef(missing)};
    EXPECT_EQ(LateCall(object, u"ShellDocument", missing_args), Variant(kFalse));
}

TEST_F(Manifest, ShellDocumentSucceedsAbove32) {
    const struct {
        int32_t result;
        Boolean expected;
    } cases[] = {{0, kFalse}, {2, kFalse}, {31, kFalse}, {32, kFalse}, {33, kTrue}, {42, kTrue}, {-1, kFalse}};
    for (const auto& c : cases) {
        windows->SetShellExecuteResult(c.result);
        String document = u"x.doc";
        EXPECT_EQ(manifest->ShellDocument(document, u"Open", u"", u"", START_NORMAL), c.expected) << c.result;
    }
}

}  // namespace
}  // namespace quibor15
