' The manifest writer: the file next to the component, its nine lines, and
' a folder given by the caller. The runner passes a scratch folder.
Option Explicit

Sub Check(name, actual, expected)
    If CStr(actual) = CStr(expected) Then
        WScript.Echo "ok - " & name
    Else
        WScript.Echo "not ok - " & name & ": got [" & CStr(actual) & "], expected [" & CStr(expected) & "]"
    End If
End Sub

Dim fso, manifest, folder, path, file, text, lines
Set fso = CreateObject("Scripting.FileSystemObject")
Set manifest = CreateObject("quibor15.clsQuiborWUIXPManifestA")
folder = WScript.Arguments(0)
If Right(folder, 1) <> "\" Then folder = folder & "\"
path = folder & "quibor15.exe.MANIFEST"
If fso.FileExists(path) Then fso.DeleteFile path

Check "MakeMANIFESTfile into a given folder", manifest.MakeMANIFESTfile(folder), True
Check "the file is there", fso.FileExists(path), True

Set file = fso.OpenTextFile(path, 1)
text = file.ReadAll
file.Close
lines = Split(text, vbCrLf)
' Nine lines, each ended by CR LF.
Check "nine lines", UBound(lines), 9
Check "last line ends the file", lines(9), ""
Check "XML declaration", lines(0), "<?xml version=""1.0"" encoding=""UTF-8"" standalone=""yes""?>"
Check "assembly identity", lines(2), "<assemblyIdentity version=""1.0.0.0"" processorArchitecture=""x86"" name=""prjThemed"" type=""Win32"" />"
Check "asks for the common controls 6", InStr(lines(5), "name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""") > 0, True
Check "closing line", lines(8), "</assembly>"

' Without an argument the file goes next to the component: its folder
' comes back in the by-reference argument when it was empty. The runner
' passes the component's folder second.
Dim given
given = ""
Check "MakeMANIFESTfile next to the component", manifest.MakeMANIFESTfile(given), True
' The component's folder, followed by the Windows folder separator.
Check "the empty folder argument is filled in", given, WScript.Arguments(1) & "\"
Check "the file next to the component", fso.FileExists(WScript.Arguments(1) & "\quibor15.exe.MANIFEST"), True
Check "IsManifestFile", manifest.IsManifestFile, True
WScript.Echo "DONE"
