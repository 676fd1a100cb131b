' Form utilities on a host form reached late-bound, the tooltip manager on
' a real tooltip window, and the media classes on the system's media
' command interface.
Option Explicit

Sub Check(name, actual, expected)
    If CStr(actual) = CStr(expected) Then
        WScript.Echo "ok - " & name
    Else
        WScript.Echo "not ok - " & name & ": got [" & CStr(actual) & "], expected [" & CStr(expected) & "]"
    End If
End Sub

' What the form utilities read and write of a form.
Class HostForm
    Public Left
    Public Top
    Public Width
    Public Height
    Public hWnd
End Class

Dim runtime, form, tooltip, movie, player
Set runtime = CreateObject("quibor15.clsQuiborWUIRunTimeA")
Set form = New HostForm
form.Left = 0
form.Top = 0
form.Width = 4800
form.Height = 3600
form.hWnd = 0
' The screen is 1024 x 768 pixels of 15 twips: 15360 x 11520 twips.
runtime.FormCenter form
Check "FormCenter: Top in the upper 85 % of the screen", form.Top, 3096
Check "FormCenter: Left", form.Left, 5280

' The tooltip window keeps what it is told.
Set tooltip = CreateObject("quibor15.clsQuiborWUITooltipA")
tooltip.TxtColor = &HFF
tooltip.BkColor = &HFFFF00
tooltip.DelayTime = 300
tooltip.VisibleTime = 4000
tooltip.TipWidth = 200
Check "TxtColor", tooltip.TxtColor, 255
Check "BkColor", tooltip.BkColor, 16776960
Check "DelayTime", tooltip.DelayTime, 300
Check "VisibleTime", tooltip.VisibleTime, 4000
Check "TipWidth", tooltip.TipWidth, 200
Check "Style is standard", tooltip.Style, 1
Check "no font of its own yet", tooltip.Font Is Nothing, True

' A file the media service cannot open: its error code is kept and its
' text comes from the system.
Set movie = CreateObject("quibor15.clsQuiborWUIMMMovieA")
movie.Filename = "C:\no such folder\no such movie.avi"
movie.openMovie
Check "openMovie keeps the error code", movie.Error <> 0, True
Check "checkError gives the system's text", Len(movie.checkError) > 0, True

Set player = CreateObject("quibor15.clsQuiborWUIMMMP3A")
Check "GetLastBackSlash", player.GetLastBackSlash("C:\music\album\song.mp3"), "song.mp3"

' The two dialogs, closed by a helper process clicking their buttons.
' The helper is in the folder the runner passes (the DLL's).
Dim shell, language, monitors, helper
helper = WScript.Arguments(0) & "\dialogs_test.exe"
Set shell = CreateObject("WScript.Shell")
Set language = CreateObject("quibor15.clsQuiborWUillsA")
shell.Run helper & " press &OK", 0, False
language.UIShowLLS
Check "the language dialog closed with OK", language.CommandButtonPress, "ok"
Check "and the language it showed picked", language.LCIDSelected <> 0, True
Set monitors = CreateObject("quibor15.clsQuiborMonitorsA")
shell.Run helper & " press Cancel", 0, False
Check "the monitor chooser closed with Cancel", monitors.ShowMonitorDialog("Prompt", "Caption"), 0

WScript.Echo "DONE"
