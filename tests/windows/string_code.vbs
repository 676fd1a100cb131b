' The thirteen-digit string code through the registered DLL, late-bound.
Option Explicit

Sub Check(name, actual, expected)
    If CStr(actual) = CStr(expected) Then
        WScript.Echo "ok - " & name
    Else
        WScript.Echo "not ok - " & name & ": got [" & CStr(actual) & "], expected [" & CStr(expected) & "]"
    End If
End Sub

Dim code
Set code = CreateObject("quibor15.clsQuiborWUIBCAT175A")
Check "a new object has no code", IsEmpty(code.OutputCode), True

code.InputString = "abc"
Check "abc gives 1100102000593", code.OutputCode, "1100102000593"
Check "first character", code.FirstCharacter, "a"
Check "last character", code.LastCharacter, "c"
Check "length", code.Length, 3
Check "first part", code.Code1, "1100102"
Check "second part", code.Code2, "000593"

code.InputString = "Hi!"
Check "Hi! gives 1075036000384", code.OutputCode, "1075036000384"

' Chr(128) is the euro sign of the Western code page the system uses, and
' goes back to 128 on its way to the code.
code.InputString = Chr(128) & "1"
Check "euro sign through the ANSI code page", code.OutputCode, "1130051000228"

code.InputString = "123"
Check "GuessInputString", code.GuessInputString, "0000000011233"

code.ClearAll
Check "ClearAll empties the code", IsEmpty(code.OutputCode), True

' Names are matched without regard to case.
code.inputstring = "abc"
Check "member names in any case", code.OUTPUTCODE, "1100102000593"

WScript.Echo "DONE"
