' Fixed and dynamic arrays, ReDim, several dimensions, and the array
' functions.
Dim fixed(3), dynamic(), grid(2, 4), copy, i, s

WScript.Echo UBound(fixed), LBound(fixed), TypeName(fixed), VarType(fixed), IsArray(fixed), IsEmpty(fixed(0))
For i = 0 To 3 : fixed(i) = i * 10 : Next
WScript.Echo Join(fixed, "-")

ReDim dynamic(2)
dynamic(0) = "a" : dynamic(1) = "b" : dynamic(2) = "c"
ReDim Preserve dynamic(4)
dynamic(4) = "e"
WScript.Echo UBound(dynamic), Join(dynamic, ","), IsEmpty(dynamic(3))
ReDim Preserve dynamic(1)
WScript.Echo Join(dynamic, ",")
ReDim dynamic(1)
WScript.Echo "ReDim without Preserve empties:", IsEmpty(dynamic(0))

WScript.Echo UBound(grid, 1), UBound(grid, 2), LBound(grid, 2)
grid(2, 4) = "corner"
WScript.Echo grid(2, 4)

' Arrays are values: assignment copies them.
copy = fixed
copy(0) = "changed"
WScript.Echo fixed(0), copy(0)

' ...but they go to procedures by reference like any variable.
Sub Fill(target, value)
    Dim k
    For k = LBound(target) To UBound(target) : target(k) = value : Next
End Sub
Fill fixed, 7
WScript.Echo Join(fixed, "")

Function MakeList(n)
    Dim result()
    ReDim result(n - 1)
    Dim k
    For k = 0 To n - 1 : result(k) = Chr(65 + k) : Next
    MakeList = result
End Function
WScript.Echo Join(MakeList(5), ""), UBound(MakeList(2))

s = Array(1, "two", 3.5, Array("nested", "array"))
WScript.Echo UBound(s), s(1), s(3)(0), TypeName(s(3)), UBound(Array())

Dim parts : parts = Split("alpha,beta,,gamma", ",")
WScript.Echo UBound(parts), "[" & parts(2) & "]", parts(3)
WScript.Echo UBound(Split("")), UBound(Split("no delimiter here", "|")), Split("a b c")(2)
WScript.Echo Join(Split("a-b-c-d", "-", 2), "|"), Join(Split("aXbxc", "x", -1, vbTextCompare), "|")
WScript.Echo Join(Array("x", "y"))

Erase fixed
WScript.Echo "after Erase:", UBound(fixed), IsEmpty(fixed(2))
