' The monitor chooser on a desktop of three monitors, for the README's
' picture (scripts/pictures.sh runs it with --snapshots): the user picks the
' middle monitor, and the dialog shows it chosen.
Option Explicit

Dim mons
Sim.SetScreen 19200, 15360, 15, 15
Sim.ClearMonitors
Sim.AddMonitor 0, 0, 1280, 1024, 0, 0, 1280, 984
Sim.AddMonitor 1280, 0, 2560, 1024
Sim.AddMonitor 2560, 124, 3584, 892

Sub PickMiddle(dlg)
    User.Click dlg.Controls("cmdMonitor")(1)
    User.Click dlg.Controls("cmdAction")(0)
End Sub

Set mons = CreateObject("quibor15.clsQuiborMonitorsA")
User.OnModal "PickMiddle"
WScript.Echo "Chosen: " & mons.ShowMonitorDialog("Show the slides on:", "Choose a monitor")
