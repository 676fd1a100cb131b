' A script class as the wizard's BuddyObject: the wizard calls its
' clsQuiborWizardA_ methods late-bound, by-reference arguments included.
Class SetupHost
    Public Log
    Public Sub clsQuiborWizardA_BeforeFrameShow(Index, Cancel)
        Log = Log & "Before(" & Index & ") "
        If Index = 4 Then Index = 1   ' show step 1 instead of step 4
    End Sub
    Public Sub clsQuiborWizardA_AfterFrameShow(Index) : Log = Log & "After(" & Index & ") " : End Sub
    Public Sub clsQuiborWizardA_NextFrameButtonClick() : Log = Log & "Next " : End Sub
    Public Sub clsQuiborWizardA_CancelFrameButtonClick() : Log = Log & "Cancel " : End Sub
    Public Sub clsQuiborWizardA_FinishFrameButtonClick(Cancel) : Log = Log & "Finish " : End Sub
End Class

Dim frm, wiz, buddy
Set frm = Forms.Add("frmSetup")
Set buddy = New SetupHost
Set wiz = CreateObject("quibor15.clsQuiborWizardA")
Set wiz.WindowObject = frm
Set wiz.FrameObject = frm.Controls.AddArray("VB.Frame", "fraStep", 6)
Set wiz.BuddyObject = buddy
wiz.MaxFrameIndex = 5
WScript.Echo TypeName(wiz.BuddyObject), wiz.BuddyObject Is buddy
wiz.Create
frm.Show
User.Click frm.Controls("moNextFrameButton")
WScript.Echo buddy.Log
buddy.Log = ""
wiz.GoToFrame 4
WScript.Echo buddy.Log, "/ CurrentFrame", wiz.CurrentFrame
buddy.Log = ""
User.Click frm.Controls("moCancelButton")
WScript.Echo buddy.Log
