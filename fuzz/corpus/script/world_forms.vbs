' The headless forms runtime: host forms, controls, control arrays, and
' the user acting on them, with the controls' events reaching the script.
Dim frm, ok, txt, steps, log
Set frm = Forms.Add("frmMain")
frm.Caption = "Main window"
WScript.Echo TypeName(frm), frm.Name, frm.Caption, Forms.Count, Forms(0).Name

Set ok = frm.Controls.Add("VB.CommandButton", "cmdOK")
ok.Caption = "&OK"
ok.Visible = True
Set txt = frm.Controls.Add("VB.TextBox", "txtName")
txt.Visible = True
Set steps = frm.Controls.AddArray("VB.Frame", "fraStep", 3)
WScript.Echo TypeName(ok), ok.Caption, TypeName(txt), frm.Controls.Count, steps.UBound
WScript.Echo frm.Controls("cmdOK").Caption, TypeName(frm.Controls("fraStep")(2)), frm.Controls("fraStep")(1).Index

WScript.ConnectObject ok, "cmdOK_"
WScript.ConnectObject txt, "txtName_"
WScript.ConnectObject steps, "fraStep_"
Sub cmdOK_Click() : log = log & "[OK clicked]" : End Sub
Sub txtName_KeyPress(KeyAscii)
    ' Digits are swallowed; everything else is typed in upper case.
    If KeyAscii >= Asc("0") And KeyAscii <= Asc("9") Then
        KeyAscii = 0
    Else
        KeyAscii = Asc(UCase(Chr(KeyAscii)))
    End If
End Sub
Sub fraStep_Click(Index) : log = log & "[frame " & Index & "]" : End Sub

frm.Show
WScript.Echo "clicked:", User.Click(ok), log
User.Type txt, "ab1c2"
WScript.Echo "typed:", txt.Text
steps(2).Visible = True
User.Click steps(2)
WScript.Echo log

ok.Enabled = False
WScript.Echo "a disabled button does not click:", User.Click(ok)

Set frm = Forms.Add("frmSecond")
WScript.Echo Forms.Count, Forms(1).Name
Dim f
For Each f In Forms : WScript.Echo "loaded:", f.Name : Next
User.Close Forms(1)
WScript.Echo "after closing:", Forms.Count
