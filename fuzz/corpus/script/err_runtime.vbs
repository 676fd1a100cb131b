' An uncaught run-time error names the line and column where it arose
' (inside the procedure), prints nothing more and exits with 1.
WScript.Echo "before"
Sub Divide(a, b)
    WScript.Echo "dividing"
    WScript.Echo a / b
End Sub
Divide 1, 0
WScript.Echo "never printed"
