' Code made while the script runs: Eval, Execute, ExecuteGlobal, GetRef.
Dim x, total
x = 6
WScript.Echo Eval("x * 7"), Eval("x = 6"), TypeName(Eval("""a"" & x"))
Execute "x = x + 1 : total = x * 2"
WScript.Echo x, total
ExecuteGlobal "Function Twice(n) : Twice = n * 2 : End Function"
ExecuteGlobal "Dim made : made = Twice(21)"
WScript.Echo Twice(4), made
Sub Scoped()
    Dim y
    y = 5
    Execute "y = y * 3 : Dim z : z = y + 1"
    WScript.Echo "local", y, Eval("y + z"), IsEmpty(Eval("x"))
    ExecuteGlobal "Dim fromSub : fromSub = 99"
End Sub
Scoped
WScript.Echo fromSub
Function Add(a, b) : Add = a + b : End Function
Sub Bump(n) : n = n + 1 : End Sub
Dim f, g, k
Set f = GetRef("Add")
Set g = GetRef("Bump")
k = 1
g k
WScript.Echo f(2, 3), TypeName(f), k
On Error Resume Next
Eval "1 +"
WScript.Echo Err.Number, Err.Description
Err.Clear
' Each compile error keeps its own number.
Dim bad
For Each bad In Array("x = (1", "For i = 1", "Dim", "x = 1 2", "s = ""abc", "If x Then", "Sub S(", "x = 1 $")
    Execute bad
    WScript.Echo Err.Number, Err.Description
    Err.Clear
Next
Set f = GetRef("NoSuchProc")
WScript.Echo Err.Number
Err.Clear
Execute "Err.Raise 7"
WScript.Echo Err.Number
