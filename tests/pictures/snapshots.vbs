' Pictures taken while a script runs with --snapshots: when a form comes on
' screen, when a modal dialog opens, after each action of the user that
' reaches a form; Sim.Snapshot takes one on request.
Option Explicit
Dim frm, btn, dlg
Set frm = Forms.Add("frmFirst")
Set btn = frm.Controls.Add("VB.CommandButton", "cmdGo")
btn.Visible = True
frm.Show
User.Click btn
btn.Enabled = False
User.Click btn

Sub Look(dialog)
    User.Type dialog, "ab"
End Sub
Set dlg = Forms.Add("frmDialog")
User.OnModal "Look"
dlg.Show 1

Sim.Snapshot frm, WScript.Arguments(0) & "/asked.png"
On Error Resume Next
Sim.Snapshot btn, WScript.Arguments(0) & "/button.png"
WScript.Echo "a control:", Err.Number
Err.Clear
Sim.Snapshot frm, WScript.Arguments(0) & "/no/such/folder.png"
WScript.Echo "no folder:", Err.Number
