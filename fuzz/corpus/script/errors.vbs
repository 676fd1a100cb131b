' On Error Resume Next, the Err object and Err.Raise.
Dim x, log

On Error Resume Next
x = 1 / 0
WScript.Echo "after 1/0:", Err.Number, Err.Description, "|", Err.Source
WScript.Echo "x is still empty:", IsEmpty(x)
Err.Clear
WScript.Echo "cleared:", Err.Number, "[" & Err.Description & "]"

x = CInt("not a number")
WScript.Echo Err.Number, Err.Description
x = CInt(40000)
WScript.Echo Err.Number, Err.Description
x = Array(1, 2)(5)
WScript.Echo Err.Number, Err.Description
Dim gone : Set gone = Nothing
x = gone.Foo
WScript.Echo Err.Number, Err.Description
x = UndefinedFunction(1)
WScript.Echo Err.Number, Err.Description
x = Mid("abc", 0)
WScript.Echo Err.Number, Err.Description
x = CreateObject("No.Such.Class")
WScript.Echo Err.Number, Err.Description

Err.Raise 1001
WScript.Echo Err.Number, Err.Description, "|", Err.Source
Err.Raise vbObjectError + 513, "MyScript", "Something custom"
WScript.Echo Err.Number, Err.Number - vbObjectError, Err.Source, Err.Description
Err.Raise 13
WScript.Echo Err.Number, Err.Description
WScript.Echo "Err alone is its Number:", Err

' On Error GoTo 0 clears Err and lets errors stop the script again.
On Error GoTo 0
WScript.Echo "after GoTo 0:", Err.Number

' An error in a procedure without a handler ends the procedure; the
' caller's Resume Next goes on with its next statement.
Sub Fails()
    log = log & "before "
    Err.Raise 7, "Fails", "deliberate"
    log = log & "never "
End Sub
Sub Guarded()
    On Error Resume Next
    Fails
    log = log & "after(" & Err.Number & ") "
End Sub
Guarded
WScript.Echo log

' A handler is local to its procedure: the caller's is not used inside.
Function SafeDivide(a, b)
    On Error Resume Next
    SafeDivide = a / b
    If Err.Number <> 0 Then SafeDivide = "n/a"
End Function
WScript.Echo SafeDivide(1, 4), SafeDivide(1, 0)

' A statement that fails inside a loop or If body skips only itself.
On Error Resume Next
Dim k, count
For k = 1 To 3
    count = count + 1
    x = 1 / (k - 2)
Next
WScript.Echo "loop ran", count, "times"
If True Then
    x = 1 / 0
    WScript.Echo "inside the If after the error"
End If
On Error GoTo 0

' Err can be set and read back.
Err.Number = 42
Err.Description = "set by hand"
WScript.Echo Err.Number, Err.Description
Err.Clear
