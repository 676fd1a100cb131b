// clsQuiborWUIXPManifestA: the visual-styles manifest writer, the document
// launcher and the operating-system version tests.
//
// Folders: a folder that this class builds itself (App.Path) is joined with
// the platform's separator "/". A folder the caller passes to
// MakeMANIFESTfile is used exactly as given, "/" or "\" alike: nothing is
// added to it or changed in it, so it should end with its separator, and the
// host runtime's files read either separator as a folder separator.
#pragma once

#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborWUIXPManifestA final : public _clsQuiborWUIXPManifestA {
public:
    using _clsQuiborWUIXPManifestA::_clsQuiborWUIXPManifestA;

    // What follows the component's name in the manifest's file name.
    static constexpr char16_t kManifestSuffix[] = u".exe.MANIFEST";

    // Plain fields, 0 on a new object; GetOSVersion overwrites both.
    Integer get_intVer_major() override;
    void let_intVer_major(Integer value) override;
    Integer get_intVer_minor() override;
    void let_intVer_minor(Integer value) override;

    // Initialises the standard common-control classes on the system that
    // introduced visual styles (Win32Ver = WinXP); does nothing elsewhere.
    // Never fails.
    void MainXp() override;
    // Writes the nine-line manifest to folder + App.EXEName + ".exe.MANIFEST";
    // an empty folder becomes App.Path + "/", stored back into the caller's
    // variable. False on any failure, never an error.
    Boolean MakeMANIFESTfile(String& sPathWithSlash) override;
    // Whether the manifest file of the component's own folder can be opened.
    Boolean get_IsManifestFile() override;
    // Opens a document or program through the shell; true when the shell
    // answers above 32.
    Boolean ShellDocument(String& sDocName, String Action, String Parameters, String Directory,
                          Long WindowState) override;

    // The system's family (cnWin32Ver), UnknownOS when the version cannot
    // be read or is none of the known ones.
    Long Win32Ver() override;
    Boolean isNT() override;
    Boolean is9x() override;
    // The single-system tests read the version themselves.
    Boolean isWinXP() override;
    Boolean isWin2k() override;
    Boolean isWinNT4() override;
    Boolean isWinME() override;
    Boolean isWin98() override;
    Boolean isWin95() override;
    // "major.minor", or "0" when the version cannot be read; sets
    // intVer_major and intVer_minor either way.
    String GetOSVersion() override;

private:
    struct Version {
        bool read = false;  // GetVersionExA answered exactly 1
        uint32_t platform = 0, major = 0, minor = 0;
    };
    Version ReadVersion();
    // True when the version was read and matches platform and major (and
    // minor unless it is negative).
    bool IsExactly(uint32_t platform, uint32_t major, int64_t minor);
    // App.Path + "/" + App.EXEName + ".exe.MANIFEST"
    String OwnManifestPath();

    Integer ver_major_ = 0;
    Integer ver_minor_ = 0;
};

}  // namespace quibor15
