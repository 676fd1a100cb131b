' s = s & x grows s where it is; what it gives must not change with that.
Dim s, calls
Function Touch()
    s = "changed"
    calls = calls + 1
    Touch = "!"
End Function
Sub AppendTo(ByRef t, x)
    t = t & x
End Sub

s = "ab" : s = s & s : WScript.Echo s
s = "ab" : s = s & Null : WScript.Echo s, TypeName(s)
s = "ab" : s = s & 12 & 3.5 : WScript.Echo s
s = "ab" : s = s & Touch() : WScript.Echo s, calls
s = 12 : s = s & "x" : WScript.Echo s, TypeName(s)
s = Null : s = s & Null : WScript.Echo TypeName(s)
s = "ab" : AppendTo s, "cd" : WScript.Echo s
Dim a(1) : a(0) = "ab" : AppendTo a(0), "cd" : WScript.Echo a(0)
s = "ab" : t = s : s = s & "x" : WScript.Echo s, t
s = "ab" : s = "x" & s & s : WScript.Echo s
On Error Resume Next
s = "ab" : s = s & Array(1)
WScript.Echo Err.Number, s
