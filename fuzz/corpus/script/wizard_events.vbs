' The wizard's events reach the script's Subs named prefix + event name,
' and a by-reference Cancel set by a handler flows back to the wizard.
Option Explicit
Dim frm, wiz, titles, t, finishes, nextButton, previousButton
Set frm = Forms.Add("frmSetup")
Set wiz = WScript.CreateObject("quibor15.clsQuiborWizardA", "wiz_")
Set wiz.WindowObject = frm
Set wiz.FrameObject = frm.Controls.AddArray("VB.Frame", "fraStep", 6)
wiz.MaxFrameIndex = 5
wiz.Title = "Setup"
Set titles = CreateObject("VBA.Collection")
For Each t In Array("Welcome", "Licence", "Folder", "Ready") : titles.Add t : Next
Set wiz.mcolFrameObjectTitles = titles

Sub wiz_BeforeFrameShow(Index, Cancel)
    WScript.Echo "BeforeFrameShow", Index, TypeName(Index), Cancel
    If Index = 2 Then Cancel = True
End Sub
Sub wiz_AfterFrameShow(Index)
    WScript.Echo "AfterFrameShow", Index
End Sub
Sub wiz_NextFrameButtonClick() : WScript.Echo "NextFrameButtonClick" : End Sub
Sub wiz_PreviousFrameButtonClick() : WScript.Echo "PreviousFrameButtonClick" : End Sub
Sub wiz_FinishFrameButtonClick(Cancel)
    finishes = finishes + 1
    WScript.Echo "FinishFrameButtonClick", finishes
    If finishes = 1 Then Cancel = True
End Sub

wiz.Create
frm.Show
Set nextButton = frm.Controls("moNextFrameButton")
Set previousButton = frm.Controls("moPreviousFrameButton")
User.Click nextButton
WScript.Echo "current", wiz.CurrentFrame
User.Click nextButton
WScript.Echo "refused: CurrentFrame holds the request", wiz.CurrentFrame
wiz.GoToFrame 3
WScript.Echo nextButton.Caption
User.Click nextButton
WScript.Echo "first Finish refused, form loaded:", Forms.Count
User.Click nextButton
WScript.Echo "second Finish accepted, forms:", Forms.Count
