' WScript: named and unnamed arguments, standard error, Sleep.
Dim named, a
Set named = WScript.Arguments.Named
WScript.Echo WScript.Arguments.Count, named.Count, WScript.Arguments.Unnamed.Count
WScript.Echo named.Exists("verbose"), IsEmpty(named("verbose")), named("OUT"), named.Item("out"), named.Exists("quiet"), IsEmpty(named("quiet"))
For Each a In named : WScript.Echo "named", a : Next
For Each a In WScript.Arguments.Unnamed : WScript.Echo "unnamed", a : Next
WScript.Echo WScript.Arguments.Unnamed(1), WScript.Arguments(1)
WScript.StdErr.WriteLine "to standard error"
WScript.StdErr.Write "no line end"
WScript.Echo TypeName(WScript.StdErr)
' Sleep lets the world's events run; a held clock moves on by the time slept.
Sim.Clock = 3600
WScript.Sleep 1500
WScript.Echo Timer >= 3601 And Timer < 3602
WScript.Sleep 0
On Error Resume Next
WScript.Sleep -1
WScript.Echo Err.Number
