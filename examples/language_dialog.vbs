' The language selection dialog, answered by a scripted user.
'   quibor15 run examples/language_dialog.vbs
' The dialog lists every installed locale by its full name, preselects the
' system default and shows the chosen identifier in decimal and in "&H"
' hexadecimal. After it closes, CommandButtonPress tells which button ended
' it, and an OK hands the chosen identifier to LCIDSelected.
Option Explicit

Dim lang
Set lang = CreateObject("quibor15.clsQuiborWUillsA")

' The user looks at the dialog, types "Ge" and presses Enter.
Sub TypeGermanAndPressEnter(dlg)
    Dim combo
    Set combo = dlg.Controls("cmblstLocales")
    WScript.Echo "Dialog:          " & dlg.Caption
    WScript.Echo "Prompt:          " & dlg.Controls("Label1").Caption
    WScript.Echo "Preselected:     " & combo.Text & " (" & dlg.Controls("txtLID1").Text & ", " & _
                 dlg.Controls("txtLID2").Text & ")"
    WScript.Echo "Languages:       " & combo.ListCount
    User.Type combo, "Ge"
    WScript.Echo "After typing Ge: " & combo.Text
    WScript.Echo "Caption:         " & dlg.Caption
    WScript.Echo "Tooltip:         " & combo.ToolTipText
    User.Press combo, 13
End Sub

' The user picks French from the list, then changes their mind.
Sub PickFrenchThenCancel(dlg)
    Dim combo, i
    Set combo = dlg.Controls("cmblstLocales")
    For i = 0 To combo.ListCount - 1
        If combo.List(i) = "French (France)" Then User.Select combo, i
    Next
    WScript.Echo "Picked:          " & dlg.Caption & " (" & dlg.Controls("txtLID1").Text & ")"
    User.Click dlg.Controls("Command1")(1)
End Sub

' The user closes the dialog through its close box.
Sub CloseIt(dlg)
    User.Close dlg
End Sub

Sub Report(what)
    WScript.Echo what & ": CommandButtonPress = """ & lang.CommandButtonPress & """, LCIDSelected = " & _
                 lang.LCIDSelected
    WScript.Echo
End Sub

User.OnModal "TypeGermanAndPressEnter"
lang.UIShowLLS
Report "Enter"

User.OnModal "PickFrenchThenCancel"
lang.UIShowLLS
Report "Cancel"

' The close box sets no command: the last dialog's one stays.
User.OnModal "CloseIt"
lang.UIShowLLS
Report "Close box"
