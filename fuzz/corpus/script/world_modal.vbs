' User.OnModal: the script answers message boxes and acts on modal dialogs.
Function Answer(what)
    If IsObject(what) Then
        WScript.Echo "dialog:", TypeName(what), "[" & what.Caption & "]"
        User.Close what
    Else
        WScript.Echo "message box:", what
        Answer = vbNo
    End If
End Function
User.OnModal "Answer"
WScript.Echo "answered", MsgBox("Overwrite the file?", vbYesNo, "Save")

Dim mons, chosen
Set mons = CreateObject("quibor15.clsQuiborMonitorsA")
On Error Resume Next
chosen = mons.ShowMonitorDialog("Pick a monitor", "Monitors")
If Err.Number <> 0 Then WScript.Echo "ShowMonitorDialog:", Err.Description Else WScript.Echo "chosen", chosen
On Error GoTo 0

User.OnModal ""
WScript.Echo "no handler: answered", MsgBox("Again?", vbYesNo)

On Error Resume Next
User.OnModal "NoSuchSub"
WScript.Echo Err.Number, Err.Description
