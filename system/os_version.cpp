// The operating-system version tests of clsQuiborWUIXPManifestA. Every
// member asks the platform afresh.
#include "quibor15/convert.hpp"
#include "quibor15/primitives.hpp"
#include "system/xp_manifest.hpp"

namespace quibor15 {

namespace {

constexpr uint32_t kPlatformWindows = 1;  // the 95 family
constexpr uint32_t kPlatformNt = 2;
constexpr int64_t kAnyMinor = -1;

}  // namespace

clsQuiborWUIXPManifestA::Version clsQuiborWUIXPManifestA::ReadVersion() {
    OsVersionInfo info;  // dwOSVersionInfoSize 148
    Version version;
    version.read = Windows().GetVersionExA(info) == 1;
    version.platform = info.platform_id;
    version.major = info.major;
    version.minor = info.minor;
    return version;
}

bool clsQuiborWUIXPManifestA::IsExactly(uint32_t platform, uint32_t major, int64_t minor) {
    const Version v = ReadVersion();
    return v.read && v.platform == platform && v.major == major && (minor == kAnyMinor || v.minor == minor);
}

Long clsQuiborWUIXPManifestA::Win32Ver() {
    const Version v = ReadVersion();
    if (!v.read) return UnknownOS;
    const uint32_t p = v.platform, m = v.major, n = v.minor;
    // The first rule that matches decides; the order matters (4.90 on the
    // 95 platform is ME, not 98).
    if (p == kPlatformNt && m == 5 && n == 1) return WinXP;
    if (p == kPlatformNt && m == 5 && n == 0) return Win2k;
    if (p == kPlatformNt && m == 4) return WinNT4;
    if (p == kPlatformWindows && m == 4 && n == 90) return WinME;
    if ((p == kPlatformWindows && m > 4) || (m == 4 && n > 0)) return Win98;
    if (p == kPlatformWindows && m == 4 && n == 0) return Win95;
    return UnknownOS;  // later NT releases included
}

Boolean clsQuiborWUIXPManifestA::isNT() {
    const Long v = Win32Ver();
    return Boolean::From(v == WinNT4 || v == Win2k || v == WinXP);
}

Boolean clsQuiborWUIXPManifestA::is9x() {
    const Long v = Win32Ver();
    return Boolean::From(v == Win95 || v == Win98 || v == WinME);
}

Boolean clsQuiborWUIXPManifestA::isWinXP() { return Boolean::From(IsExactly(kPlatformNt, 5, 1)); }
Boolean clsQuiborWUIXPManifestA::isWin2k() { return Boolean::From(IsExactly(kPlatformNt, 5, 0)); }
Boolean clsQuiborWUIXPManifestA::isWinNT4() { return Boolean::From(IsExactly(kPlatformNt, 4, kAnyMinor)); }
Boolean clsQuiborWUIXPManifestA::isWinME() { return Boolean::From(IsExactly(kPlatformWindows, 4, 90)); }
Boolean clsQuiborWUIXPManifestA::isWin95() { return Boolean::From(IsExactly(kPlatformWindows, 4, 0)); }

// Unlike Win32Ver's classification this is also true on ME (4.90), and on
// any platform reporting 4.x with x above 0.
Boolean clsQuiborWUIXPManifestA::isWin98() {
    const Version v = ReadVersion();
    if (!v.read) return kFalse;
    return Boolean::From((v.major == 4 && v.minor > 0) || (v.major > 4 && v.platform == kPlatformWindows));
}

// Here any non-zero answer of GetVersionExA counts as success, and the
// fields take the record's numbers even after a failure (0 then).
String clsQuiborWUIXPManifestA::GetOSVersion() {
    OsVersionInfo info;
    const int32_t answer = Windows().GetVersionExA(info);
    const Long major = static_cast<Long>(info.major);
    const Long minor = static_cast<Long>(info.minor);
    ver_major_ = CheckedNarrow(major);
    ver_minor_ = CheckedNarrow(minor);
    if (answer == 0) return u"0";
    return DecimalText(major) + u"." + DecimalText(minor);
}

}  // namespace quibor15
