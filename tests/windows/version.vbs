' The OS version tests on what the system reports. The runner passes the
' version Wine was set to: "winxp" or "win7" (a Wine's default differs
' between its versions).
Option Explicit

Sub Check(name, actual, expected)
    If CStr(actual) = CStr(expected) Then
        WScript.Echo "ok - " & name
    Else
        WScript.Echo "not ok - " & name & ": got [" & CStr(actual) & "], expected [" & CStr(expected) & "]"
    End If
End Sub

Dim expected, manifest
expected = WScript.Arguments(0)
Set manifest = CreateObject("quibor15.clsQuiborWUIXPManifestA")

If expected = "winxp" Then
    Check "Win32Ver is WinXP", manifest.Win32Ver, 6
    Check "GetOSVersion", manifest.GetOSVersion, "5.1"
    Check "isWinXP", manifest.isWinXP, True
    Check "isNT", manifest.isNT, True
    Check "is9x", manifest.is9x, False
    Check "isWin2k", manifest.isWin2k, False
    Check "intVer_major", manifest.intVer_major, 5
    Check "intVer_minor", manifest.intVer_minor, 1
Else
    ' A later NT release: none of the known systems.
    Check "Win32Ver is UnknownOS", manifest.Win32Ver, 0
    Check "GetOSVersion", manifest.GetOSVersion, "6.1"
    Check "isWinXP", manifest.isWinXP, False
    Check "isNT", manifest.isNT, False
    Check "is9x", manifest.is9x, False
    Check "intVer_major", manifest.intVer_major, 6
End If
WScript.Echo "DONE"
