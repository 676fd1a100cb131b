' Monitor list, desktop metrics and lookups on the system's display (Wine
' without a display server reports one 1024 x 768 monitor).
Option Explicit

Sub Check(name, actual, expected)
    If CStr(actual) = CStr(expected) Then
        WScript.Echo "ok - " & name
    Else
        WScript.Echo "not ok - " & name & ": got [" & CStr(actual) & "], expected [" & CStr(expected) & "]"
    End If
End Sub

Const MONITOR_DEFAULTTONULL = 0
Const MONITOR_DEFAULTTONEAREST = 2

Dim monitors, monitor, count, first
Set monitors = CreateObject("quibor15.clsQuiborMonitorsA")
Check "one monitor", monitors.Monitors.Count, 1
Check "DesktopLeft", monitors.DesktopLeft, 0
Check "DesktopTop", monitors.DesktopTop, 0
Check "DesktopWidth", monitors.DesktopWidth, 1024
Check "DesktopHeight", monitors.DesktopHeight, 768

count = 0
For Each monitor In monitors.Monitors
    count = count + 1
    If count = 1 Then Set first = monitor
Next
Check "For Each over the monitors", count, 1
Check "monitor width", first.Width, 1024
Check "monitor height", first.Height, 768
Check "monitor right", first.Right, 1024
Check "a monitor handle", first.Handle <> 0, True

Check "the monitor at a point on it", monitors.GetMonitorFromXYPoint(10, 10, MONITOR_DEFAULTTONULL), first.Handle
Check "no monitor far away", monitors.GetMonitorFromXYPoint(50000, 50000, MONITOR_DEFAULTTONULL), 0
Check "the nearest monitor far away", monitors.GetMonitorFromXYPoint(50000, 50000, MONITOR_DEFAULTTONEAREST), first.Handle

monitors.Refresh
Check "Refresh scans again", monitors.Monitors.Count, 1

' A monitor object on its own keeps what it is told.
Set monitor = CreateObject("quibor15.clsQuiborMonitorA")
monitor.Width = 800
Check "clsQuiborMonitorA keeps a value", monitor.Width, 800
WScript.Echo "DONE"
