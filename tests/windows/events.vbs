' The wizard's events reaching the host. Wine's script host cannot connect
' WScript.CreateObject's event prefix, so the script takes the wizard's
' other way: a buddy object whose methods clsQuiborWizardA_<event> the
' wizard calls late-bound, with by-reference arguments. (The connection
' point itself is tested by the C++ client.)
Option Explicit

Sub Check(name, actual, expected)
    If CStr(actual) = CStr(expected) Then
        WScript.Echo "ok - " & name
    Else
        WScript.Echo "not ok - " & name & ": got [" & CStr(actual) & "], expected [" & CStr(expected) & "]"
    End If
End Sub

Class Host
    Public Log
    Public CancelIndex
    Public RedirectFrom
    Public RedirectTo

    Private Sub Class_Initialize()
        Log = ""
        CancelIndex = -1
        RedirectFrom = -1
    End Sub

    Public Sub clsQuiborWizardA_BeforeFrameShow(Index, Cancel)
        Log = Log & "before " & Index & ";"
        If Index = CancelIndex Then Cancel = True
        If Index = RedirectFrom Then Index = RedirectTo
    End Sub

    Public Sub clsQuiborWizardA_AfterFrameShow(Index)
        Log = Log & "after " & Index & ";"
    End Sub
End Class

Dim wizard, buddy
Set wizard = CreateObject("quibor15.clsQuiborWizardA")
Set buddy = New Host
Set wizard.BuddyObject = buddy
Check "the buddy is held", wizard.BuddyObject Is buddy, True
wizard.MaxFrameIndex = 5

wizard.GoToFrame 2
Check "BeforeFrameShow then AfterFrameShow", buddy.Log, "before 2;after 2;"
Check "CurrentFrame", wizard.CurrentFrame, 2

buddy.Log = ""
buddy.CancelIndex = 4
wizard.GoToFrame 4
Check "Cancel set to True by the host stops the show", buddy.Log, "before 4;"

buddy.Log = ""
buddy.CancelIndex = -1
buddy.RedirectFrom = 1
buddy.RedirectTo = 0
wizard.GoToFrame 1
Check "the host's Index comes back", buddy.Log, "before 1;after 0;"
WScript.Echo "DONE"
