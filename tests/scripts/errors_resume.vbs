' Under On Error Resume Next, a failing If or loop condition goes on inside
' the block; Err.Description is the plain description.
On Error Resume Next
Dim s, i
If s.Missing Then
    WScript.Echo "inside If", Err.Number, Err.Description
Else
    WScript.Echo "in Else"
End If
Err.Clear
i = 0
Do While s.Missing
    i = i + 1
    If i = 3 Then Exit Do
Loop
WScript.Echo "loop ran", i, Err.Number
Err.Clear
Do
    i = i + 1
Loop Until s.Missing
WScript.Echo "after Loop Until", i, Err.Number
Err.Clear
WScript.Echo Replace(Null, "a", "b")
WScript.Echo Err.Number, Err.Description
Err.Clear
x = Undefined(1)
WScript.Echo Err.Number, Err.Description
Class Holder
    Public Default Property Get Value() : Value = 42 : End Property
End Class
Class Plain
    Public Name
End Class
WScript.Echo VarType(New Holder), VarType(New Plain), VarType(Nothing), TypeName(New Holder)
