' A syntax error stops the script before its first statement runs.
WScript.Echo "never printed"
If True Then
    WScript.Echo "inside"
Sub Misplaced()
End Sub
