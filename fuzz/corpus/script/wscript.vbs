' WScript: Echo, Arguments, ScriptName.
WScript.Echo "Echo joins", "its arguments", 1, True, Null, Empty, "with blanks"
WScript.Echo
WScript.Echo WScript.ScriptName, WScript.Arguments.Count, WScript.Arguments.Length
Dim i
For i = 0 To WScript.Arguments.Count - 1
    WScript.Echo i, "[" & WScript.Arguments(i) & "]", WScript.Arguments.Item(i)
Next
Dim a
For Each a In WScript.Arguments : WScript.Echo "each", a : Next
On Error Resume Next
WScript.Echo WScript.Arguments(9)
WScript.Echo Err.Number, Err.Description
WScript.StdOut.Write "written "
WScript.StdOut.Write "in parts"
WScript.StdOut.WriteLine
WScript.StdOut.WriteLine "a line of its own"
WScript.StdOut.WriteBlankLines 2
WScript.Echo TypeName(WScript.StdOut), WScript.Name
