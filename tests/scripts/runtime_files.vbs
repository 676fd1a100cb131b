' Scripting.FileSystemObject and TextStream: path texts, folders and files,
' text in ANSI and Unicode, the modes, and the errors of each.
Const ForReading = 1, ForWriting = 2, ForAppending = 8
Dim fso, root, ts, f, folder, item, names
Set fso = CreateObject("Scripting.FileSystemObject")
WScript.Echo fso.BuildPath("C:\data", "a.txt"), fso.BuildPath("C:\data\", "a.txt"), fso.BuildPath("/tmp", "b")
WScript.Echo fso.GetFileName("C:\data\report.final.txt"), fso.GetBaseName("C:\data\report.final.txt"), _
             fso.GetExtensionName("C:\data\report.final.txt"), "[" & fso.GetExtensionName("C:\data\README") & "]"
WScript.Echo fso.GetParentFolderName("C:\data\sub\a.txt"), fso.GetParentFolderName("C:\a.txt"), _
             fso.GetParentFolderName("/srv/x"), "[" & fso.GetParentFolderName("a.txt") & "]", fso.GetFileName("C:\data\sub\")
WScript.Echo Len(fso.GetTempName()), Right(fso.GetTempName(), 4), Left(fso.GetTempName(), 3)

root = fso.BuildPath(fso.GetSpecialFolder(2).Path, fso.GetTempName())
WScript.Echo fso.FolderExists(root), TypeName(fso.CreateFolder(root)), fso.FolderExists(root)
fso.CreateFolder fso.BuildPath(root, "sub")

' Writing and reading ANSI text: lines end in CR LF.
Set ts = fso.CreateTextFile(fso.BuildPath(root, "a.txt"))
ts.WriteLine "first line"
ts.Write "caf" & ChrW(233) & " "
WScript.Echo ts.Line, ts.Column
ts.WriteLine "second"
ts.WriteBlankLines 1
ts.Write "last"
ts.Close
Set f = fso.GetFile(fso.BuildPath(root, "a.txt"))
WScript.Echo TypeName(f), f.Name, f.Size, fso.FileExists(f.Path), f.ParentFolder.Name = fso.GetFileName(root)
Set ts = fso.OpenTextFile(f.Path)
Do Until ts.AtEndOfStream
    WScript.Echo ts.Line & ": [" & ts.ReadLine & "]"
Loop
ts.Close
Set ts = f.OpenAsTextStream(ForReading)
WScript.Echo ts.Read(5), ts.Column, ts.AtEndOfLine
ts.SkipLine
WScript.Echo ts.ReadLine
WScript.Echo Len(ts.ReadAll), ts.AtEndOfStream
ts.Close

' Appending, and Unicode text (UTF-16 with its byte order mark).
Set ts = fso.OpenTextFile(f.Path, ForAppending)
ts.Write "+more"
ts.Close
WScript.Echo Right(fso.OpenTextFile(f.Path).ReadAll, 9)
Set ts = fso.CreateTextFile(fso.BuildPath(root, "u.txt"), True, True)
ts.WriteLine "Gr" & ChrW(246) & ChrW(223) & "e " & ChrW(8364)
ts.Close
WScript.Echo fso.GetFile(fso.BuildPath(root, "u.txt")).Size
Set ts = fso.OpenTextFile(fso.BuildPath(root, "u.txt"), ForReading, False, -1)
WScript.Echo AscW(Mid(ts.ReadLine, 3, 1)), ts.AtEndOfStream
ts.Close
' Read as ANSI, the same file shows its bytes.
WScript.Echo Len(fso.OpenTextFile(fso.BuildPath(root, "u.txt")).ReadAll)

' Copy, move, delete, and the folder's collections.
fso.CopyFile fso.BuildPath(root, "a.txt"), fso.BuildPath(root, "b.txt")
fso.CopyFile fso.BuildPath(root, "*.txt"), fso.BuildPath(root, "sub") & "\"
fso.MoveFile fso.BuildPath(root, "b.txt"), fso.BuildPath(root, "c.log")
Set folder = fso.GetFolder(root)
names = ""
For Each item In folder.Files
    names = names & item.Name & " "
Next
WScript.Echo TypeName(folder), folder.Files.Count, names, folder.SubFolders.Count, folder.SubFolders("sub").Files.Count
WScript.Echo folder.Files("c.log").Size = f.Size, folder.IsRootFolder, IsObject(folder.ParentFolder)
fso.DeleteFile fso.BuildPath(root, "sub\*.txt")
WScript.Echo folder.SubFolders("sub").Files.Count
f.Name = "renamed.txt"
WScript.Echo fso.FileExists(fso.BuildPath(root, "a.txt")), fso.FileExists(fso.BuildPath(root, "renamed.txt")), f.Name

On Error Resume Next
fso.OpenTextFile fso.BuildPath(root, "missing.txt")
WScript.Echo "open missing:", Err.Number, Err.Description
Err.Clear
fso.CreateTextFile fso.BuildPath(root, "c.log"), False
WScript.Echo "create existing:", Err.Number, Err.Description
Err.Clear
fso.CreateFolder fso.BuildPath(root, "sub")
WScript.Echo "folder exists:", Err.Number
Err.Clear
fso.GetFolder fso.BuildPath(root, "nowhere")
WScript.Echo "no folder:", Err.Number, Err.Description
Err.Clear
fso.GetFile fso.BuildPath(root, "nofile")
WScript.Echo "no file:", Err.Number
Err.Clear
Set ts = fso.OpenTextFile(fso.BuildPath(root, "c.log"))
ts.Write "x"
WScript.Echo "write a reader:", Err.Number, Err.Description
Err.Clear
ts.ReadAll
ts.ReadLine
WScript.Echo "read past the end:", Err.Number, Err.Description
Err.Clear
ts.Close
fso.OpenTextFile fso.BuildPath(root, "c.log"), 3
WScript.Echo "bad mode:", Err.Number
Err.Clear
On Error GoTo 0

fso.DeleteFolder root
WScript.Echo fso.FolderExists(root)
