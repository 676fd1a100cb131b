' ReDim refuses a fixed-size array; Erase empties a fixed array and frees
' a dynamic one.
Dim fixed(2), dynamic()
On Error Resume Next
ReDim fixed(5)
WScript.Echo Err.Number, Err.Description, UBound(fixed)
Err.Clear
ReDim dynamic(3)
dynamic(1) = "x"
Erase dynamic
WScript.Echo IsArray(dynamic), Err.Number
WScript.Echo UBound(dynamic)
WScript.Echo Err.Number, Err.Description
Err.Clear
fixed(1) = "y"
Erase fixed
WScript.Echo UBound(fixed), "[" & fixed(1) & "]", Err.Number
ReDim dynamic(1)
dynamic(1) = "back"
WScript.Echo UBound(dynamic), dynamic(1)
Sub Local()
    Dim inner(1)
    ReDim Preserve inner(4)
    WScript.Echo "never printed"
End Sub
Local
WScript.Echo "after Sub:", Err.Number
