' The simulated Windows: version, screen, monitors, MCI, message boxes,
' recent documents and the shell, set up and read through Sim.
On Error Resume Next
Dim xp, mons, m, movie, rt, answer

Sim.SetVersion 1, 4, 10
Set xp = CreateObject("quibor15.clsQuiborWUIXPManifestA")
WScript.Echo "Win32Ver on 4.10 (Windows 98):", xp.Win32Ver, xp.is9x, xp.isNT
Sim.SetVersion 2, 5, 1
WScript.Echo "Win32Ver on NT 5.1 (Windows XP):", xp.Win32Ver, xp.isWinXP
Sim.VersionFails = True
WScript.Echo "when GetVersionEx fails:", xp.Win32Ver, Sim.VersionFails
Sim.VersionFails = False
If Err.Number <> 0 Then WScript.Echo "manifest:", Err.Description : Err.Clear

Sim.ClearMonitors
WScript.Echo Sim.AddMonitor(0, 0, 1024, 768, 0, 0, 1024, 740), Sim.AddMonitor(1024, 0, 2304, 1024)
Set mons = CreateObject("quibor15.clsQuiborMonitorsA")
WScript.Echo "monitors:", mons.Monitors.Count, mons.DesktopWidth, mons.DesktopHeight
For Each m In mons.Monitors
    WScript.Echo " ", m.Handle, m.Left, m.Top, m.Width, m.Height, m.WorkBottom
Next
If Err.Number <> 0 Then WScript.Echo "monitors:", Err.Description : Err.Clear

Sim.MciReply "status movie length", "12000"
Set movie = CreateObject("quibor15.clsQuiborWUIMMMovieA")
movie.Filename = "C:\clips\intro.avi"
movie.openMovie
WScript.Echo "length in ms:", movie.getLengthInMS
Dim cmd
For Each cmd In Sim.MciLog : WScript.Echo "mci:", cmd : Next
If Err.Number <> 0 Then WScript.Echo "movie:", Err.Description : Err.Clear

answer = MsgBox("Save changes?", vbYesNo + vbQuestion, "Editor")
WScript.Echo "MsgBox answered", answer
WScript.Echo Join(Sim.MessageBoxes, vbLf)

Set rt = CreateObject("quibor15.clsQuiborWUIRunTimeA")
WScript.Echo "added:", rt.AddToDocumentsList("C:\docs\report.txt")
WScript.Echo Join(Sim.RecentDocuments, ";")
If Err.Number <> 0 Then WScript.Echo "runtime:", Err.Description : Err.Clear

WScript.Echo "shell:", xp.ShellDocument("C:\docs\report.txt")
WScript.Echo Join(Sim.ShellLog, vbLf)
If Err.Number <> 0 Then WScript.Echo "shell:", Err.Description : Err.Clear

Sim.ClearLogs
WScript.Echo "after ClearLogs:", UBound(Sim.MciLog), UBound(Sim.MessageBoxes), UBound(Sim.ShellLog)
Sim.Clock = 3600 * 10
WScript.Echo "clock:", Sim.Clock, Hour(Time)
