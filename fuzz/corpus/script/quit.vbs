' WScript.Quit ends the script at once with its exit code; objects still
' held are released on the way out.
Class Witness
    Private Sub Class_Terminate() : WScript.Echo "released on quit" : End Sub
End Class
Dim w : Set w = New Witness
Sub Deep()
    On Error Resume Next
    WScript.Echo "quitting from inside a procedure"
    WScript.Quit 3
    WScript.Echo "never printed"
End Sub
Deep
WScript.Echo "never printed either"
