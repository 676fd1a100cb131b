' With blocks, Property Set, Exit Property, and limits that keep a script
' from exhausting the machine.
Dim frm
Set frm = Forms.Add("frmWith")
With frm
    .Caption = "Set in a With block"
    .Move 100, 200, 3000, 2000
    With .Controls.Add("VB.Label", "lblInfo")
        .Caption = "nested With: " & frm.Name
        WScript.Echo .Caption, TypeName(.Container)
    End With
    WScript.Echo .Caption, .Left, .Top, .Width, .Height, .Controls.Count
End With

Class Holder
    Private mItem
    Public Property Set Item(value) : Set mItem = value : End Property
    Public Property Get Item()
        If IsEmpty(mItem) Then
            Set Item = Nothing
            Exit Property
        End If
        Set Item = mItem
    End Property
End Class
Dim h : Set h = New Holder
WScript.Echo TypeName(h.Item)
Set h.Item = frm
WScript.Echo h.Item.Caption

On Error Resume Next
Dim huge
ReDim huge(100000000)
WScript.Echo "a huge array:", Err.Number, Err.Description
Err.Clear
huge = Space(1000000000)
WScript.Echo "a huge text:", Err.Number, Err.Description
Err.Clear
With Nothing
    WScript.Echo "never"
End With
WScript.Echo "With Nothing:", Err.Number, Err.Description
