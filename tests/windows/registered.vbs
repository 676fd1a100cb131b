' Whether the component can be created in this script host's bitness: the
' runner passes "yes" while that bitness's DLL is registered, "no" after
' it was unregistered.
Option Explicit
Dim code
On Error Resume Next
Set code = CreateObject("quibor15.clsQuiborWUIBCAT175A")
If WScript.Arguments(0) = "yes" Then
    code.InputString = "abc"
    If Err.Number = 0 And code.OutputCode = "1100102000593" Then
        WScript.Echo "ok - the class is created and works"
    Else
        WScript.Echo "not ok - the class is created and works: error " & Err.Number & " " & Err.Description
    End If
ElseIf Err.Number = 429 Then
    WScript.Echo "ok - the class cannot be created: error 429"
Else
    WScript.Echo "not ok - the class cannot be created: got error " & Err.Number
End If
WScript.Echo "DONE"
