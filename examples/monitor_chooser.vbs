' The monitor chooser, answered by a scripted user.
'   quibor15 run examples/monitor_chooser.vbs
' ShowMonitorDialog draws the virtual desktop with one button per monitor,
' placed and sized like the monitor; the user clicks one and confirms. The
' result is the monitor's position in Monitors, or 0.
Option Explicit

Dim mons, owner, choice, m

' Two 1280 x 1024 monitors side by side, the task bar on the first.
Sim.SetScreen 19200, 15360, 15, 15
Sim.ClearMonitors
Sim.AddMonitor 0, 0, 1280, 1024, 0, 0, 1280, 984
Sim.AddMonitor 1280, 0, 2560, 1024

Set mons = CreateObject("quibor15.clsQuiborMonitorsA")
WScript.Echo "Desktop: " & mons.DesktopWidth & " x " & mons.DesktopHeight & ", " & mons.Monitors.Count & " monitors"
For Each m In mons.Monitors
    WScript.Echo "  monitor at " & m.Left & "," & m.Top & " size " & m.Width & " x " & m.Height
Next
WScript.Echo

' The user reads the dialog, picks the second monitor and clicks OK.
Sub PickSecond(dlg)
    Dim buttons, ok
    Set buttons = dlg.Controls("cmdMonitor")
    Set ok = dlg.Controls("cmdAction")(0)
    WScript.Echo "Dialog:       " & dlg.Caption & " - " & dlg.Controls("lblPrompt").Caption
    WScript.Echo "Buttons:      " & buttons(0).Caption & ", " & buttons(1).Caption
    WScript.Echo "Dialog at:    " & dlg.Left & ", " & dlg.Top & " (twips)"
    WScript.Echo "OK enabled:   " & ok.Enabled
    User.Click buttons(1)
    WScript.Echo "After a pick: OK enabled " & ok.Enabled & ", bold " & buttons(0).FontBold & "/" & buttons(1).FontBold
    User.Click ok
End Sub

' The user picks a monitor, then presses Esc.
Sub PickThenEsc(dlg)
    User.Click dlg.Controls("cmdMonitor")(0)
    User.KeyDown dlg, 27
End Sub

User.OnModal "PickSecond"
choice = mons.ShowMonitorDialog("Show the slides on:", "Choose a monitor")
WScript.Echo "Chosen:       " & choice
WScript.Echo

' With an owner form on the second monitor the dialog is centred there.
Set owner = Forms.Add("frmMain")
owner.Move 21000, 1500, 6000, 4000
choice = mons.ShowMonitorDialog("Show the slides on:", "Choose a monitor", owner)
WScript.Echo "Chosen:       " & choice
WScript.Echo

User.OnModal "PickThenEsc"
choice = mons.ShowMonitorDialog("Show the slides on:", "Choose a monitor")
WScript.Echo "After Esc:    " & choice
