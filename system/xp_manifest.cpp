// The manifest writer and the document launcher.
#include "system/xp_manifest.hpp"

#include <array>
#include <string_view>

#include "quibor15/convert.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

// Asks for the version-6 common controls, which bring the visual styles.
constexpr std::array<std::u16string_view, 9> kManifestLines = {
    u"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>",
    u"<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">",
    u"<assemblyIdentity version=\"1.0.0.0\" processorArchitecture=\"x86\" name=\"prjThemed\" type=\"Win32\" />",
    u"<dependency>",
    u"<dependentAssembly>",
    u"<assemblyIdentity type=\"Win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
    u"processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\" />",
    u"</dependentAssembly>",
    u"</dependency>",
    u"</assembly>",
};

constexpr int32_t kIccStandardClasses = 0x800;
constexpr int32_t kShellExecuteLastError = 32;  // results up to 32 are errors

String AppText(HostRuntime& host, std::u16string_view member) { return VariantToString(LateGet(host.App(), member)); }

// A file opened by number, closed again however the caller leaves.
class OpenedFile {
public:
    OpenedFile(HostRuntime& host, const String& path, FileMode mode) : host_(host), number_(host.FreeFile()) {
        host_.OpenFile(number_, path, mode);
        open_ = true;
    }
    ~OpenedFile() {
        if (!open_) return;
        try {
            host_.FileClose(number_);
        } catch (const AutomationError&) {
            // Already failing; the first error is the one that counts.
        }
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    int32_t Number() const noexcept { return number_; }
    // Closes now, so that a failure to finish the file is seen.
    void Close() {
        open_ = false;
        host_.FileClose(number_);
    }

private:
    HostRuntime& host_;
    int32_t number_;
    bool open_ = false;
};

}  // namespace

Integer clsQuiborWUIXPManifestA::get_intVer_major() { return ver_major_; }
void clsQuiborWUIXPManifestA::let_intVer_major(Integer value) { ver_major_ = value; }
Integer clsQuiborWUIXPManifestA::get_intVer_minor() { return ver_minor_; }
void clsQuiborWUIXPManifestA::let_intVer_minor(Integer value) { ver_minor_ = value; }

String clsQuiborWUIXPManifestA::OwnManifestPath() {
    return FolderPrefix(AppText(Host(), u"Path")) + AppText(Host(), u"EXEName") + kManifestSuffix;
}

Boolean clsQuiborWUIXPManifestA::MakeMANIFESTfile(String& sPathWithSlash) {
    try {
        if (sPathWithSlash.empty()) sPathWithSlash = FolderPrefix(AppText(Host(), u"Path"));
        // The folder is taken as given: without its trailing separator the
        // component's name runs on from the folder's last name.
        const String path = sPathWithSlash + AppText(Host(), u"EXEName") + kManifestSuffix;
        OpenedFile file(Host(), path, FileMode::Output);
        for (std::u16string_view line : kManifestLines) Host().FileWriteLine(file.Number(), String(line));
        file.Close();
        return kTrue;
    } catch (const AutomationError&) {
        // A missing folder, no write access or a full disk: false, and the
        // file may stay behind partly written.
        return kFalse;
    }
}

Boolean clsQuiborWUIXPManifestA::get_IsManifestFile() {
    try {
        OpenedFile file(Host(), OwnManifestPath(), FileMode::Input);
        file.Close();
        return kTrue;
    } catch (const AutomationError&) {
        return kFalse;
    }
}

void clsQuiborWUIXPManifestA::MainXp() {
    try {
        if (Win32Ver() > Win2k) Windows().InitCommonControlsEx(quibor15::InitCommonControlsEx{8, kIccStandardClasses});
    } catch (const AutomationError&) {
        // Visual styles are a nicety: nothing here may stop the host.
    }
}

Boolean clsQuiborWUIXPManifestA::ShellDocument(String& sDocName, String Action, String Parameters, String Directory,
                                               Long WindowState) {
    // Empty parameters and folder mean none: the shell then passes no
    // arguments and starts in its default folder.
    const int32_t result = Windows().ShellExecuteA(0, Action, sDocName, Parameters, Directory, WindowState);
    return Boolean::From(result > kShellExecuteLastError);
}

}  // namespace quibor15
