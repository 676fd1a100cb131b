' Subs and Functions: arguments by reference unless ByVal, values in
' parentheses, Call, recursion, results.
Dim a, b, arr(2)

Sub Bump(x) : x = x + 1 : End Sub
Sub BumpByVal(ByVal x) : x = x + 1 : End Sub
Sub BumpExplicit(ByRef x) : x = x + 10 : End Sub

a = 1
Bump a : WScript.Echo "ByRef by default:", a
BumpByVal a : WScript.Echo "ByVal:", a
BumpExplicit a : WScript.Echo "ByRef:", a
Bump (a) : WScript.Echo "a value in parentheses:", a
Call Bump(a) : WScript.Echo "Call passes by reference:", a
Bump a + 0 : WScript.Echo "an expression:", a

arr(1) = 5
Bump arr(1) : WScript.Echo "an array element:", arr(1)

Sub Swap(p, q)
    Dim t : t = p : p = q : q = t
End Sub
a = "left" : b = "right"
Swap a, b
WScript.Echo a, b

Function Twice(ByVal n) : Twice = n * 2 : End Function
WScript.Echo Twice(21), Twice(Twice(5)), TypeName(Twice("4"))

Function Nothing_Returned() : End Function
WScript.Echo IsEmpty(Nothing_Returned()), TypeName(Nothing_Returned)

Function Fib(n)
    If n < 2 Then
        Fib = n
    Else
        Fib = Fib(n - 1) + Fib(n - 2)
    End If
End Function
WScript.Echo "fib", Fib(15)

Function Accumulate(n)
    Accumulate = 0
    Dim k
    For k = 1 To n : Accumulate = Accumulate + k : Next
End Function
WScript.Echo "result variable read inside:", Accumulate(10)

' A procedure sees the global variables; its own Dim hides them.
Dim shared : shared = "global"
Sub Shadow()
    Dim shared : shared = "local"
    WScript.Echo "inside:", shared
End Sub
Sub Touch() : shared = shared & " touched" : End Sub
Shadow : Touch
WScript.Echo "outside:", shared

' Without Option Explicit an undeclared name in a procedure is a new local.
Sub MakesLocal() : fresh = 42 : WScript.Echo "fresh inside:", fresh : End Sub
MakesLocal
WScript.Echo "fresh outside is empty:", IsEmpty(fresh)

' Procedures may be used before they are written.
WScript.Echo Later(3)
Function Later(x) : Later = x * 100 : End Function

Sub NoArgs() : WScript.Echo "no arguments" : End Sub
NoArgs
Call NoArgs
Call NoArgs()
