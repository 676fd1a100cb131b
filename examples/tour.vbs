' A short tour of quibor15, driven late-bound as any VB program would:
'     quibor15 run examples/tour.vbs
' Each section runs on its own: one that stops on an error says why (a
' member whose class has not arrived in this build says it is not
' available yet) and the tour goes on with the next.

Option Explicit

Sub Section(title, procName)
    WScript.Echo
    WScript.Echo "== " & title
    On Error Resume Next
    Select Case procName
        Case "Catalogue" : Catalogue
        Case "Formatting" : Formatting
        Case "Parsing" : Parsing
        Case "StringCode" : StringCode
        Case "Wizard" : Wizard
    End Select
    If Err.Number <> 0 Then WScript.Echo "   (stopped: " & Err.Source & ": " & Err.Description & ")"
End Sub

' ---- 1. The locale catalogue: every locale the system has installed.
Dim intl
Sub Catalogue()
    Set intl = CreateObject("quibor15.clsQuiborInternationalA")
    WScript.Echo "Installed locales:", intl.Locales.Count
    WScript.Echo "System default:", intl.SystemDefault.FullName, "(LCID " & intl.SystemDefault.LCID & ")"
    Dim abbrev, loc
    For Each abbrev In Array("ENU", "ENG", "DEU", "FRA", "ESN", "ITA")
        Set loc = intl.Locales(abbrev)
        WScript.Echo "  " & abbrev & "  " & Hex(loc.LCID) & "  " & loc.FullName & " / " & loc.NativeLangName & _
                     " (" & loc.NativeCountryName & "), currency " & loc.IntlCurrencyCode
    Next
End Sub

' ---- 2. Formatting numbers, amounts, dates and times in a few locales.
Sub Formatting()
    Dim abbrev, loc, moment
    moment = #2010-11-26 14:30:00#
    For Each abbrev In Array("ENU", "ENG", "DEU", "ESN")
        Set loc = intl.Locales(abbrev)
        WScript.Echo "  " & abbrev & ":  " & loc.FormatNumber(1234567.891) & "  |  " & _
                     loc.FormatCurrency(-1234.5) & "  |  " & loc.FormatDate(moment) & "  |  " & _
                     loc.FormatDate(moment, 1) & "  |  " & loc.FormatTime(moment)
    Next
    Set loc = intl.Locales("DEU")
    WScript.Echo "  German month names:", loc.GetMonthName(1), loc.GetMonthName(2, True), _
                 "/ day names:", loc.GetDayName(1), loc.GetDayName(2, True)
    Dim fmt
    WScript.Echo "  The short date pictures of ENU:"
    For Each fmt In intl.Locales("ENU").DateFormats
        WScript.Echo "    " & fmt.DTFormat
    Next
End Sub

' ---- 3. Parsing what people type, as each locale writes it.
Sub Parsing()
    Dim us, de, amount, text
    Set us = intl.Locales("ENU")
    Set de = intl.Locales("DEU")
    WScript.Echo "  ENU reads ""11/26/2010"" as", us.LocaleCDate("11/26/2010")
    WScript.Echo "  DEU reads ""26.11.2010"" as", de.LocaleCDate("26.11.2010")
    amount = de.LocaleCCur("1.234,56 €")
    WScript.Echo "  DEU reads ""1.234,56 €"" as", amount, "(" & TypeName(amount) & ")"
    text = "Größe"
    WScript.Echo "  Case mapping in DEU:", de.LocaleUCase(text), de.LocaleLCase(text)
    WScript.Echo "  Sorted by ENU rules:", Join(us.ListSort(Array("pear", "Apple", "fig", "apple")), ", ")
    On Error Resume Next
    us.LocaleCDate "13/45/2010"
    WScript.Echo "  ""13/45/2010"" is no date:", Err.Source & ": " & Err.Description
    Err.Clear
End Sub

' ---- 4. The thirteen-digit string code.
Sub StringCode()
    Dim code, text
    Set code = CreateObject("quibor15.clsQuiborWUIBCAT175A")
    For Each text In Array("HELLO WORLD", "quibor15", "A")
        code.InputString = text
        WScript.Echo "  " & Left(text & Space(12), 12) & " -> " & code.OutputCode & _
                     "  (Code1 " & code.Code1 & ", Code2 " & code.Code2 & ")"
    Next
End Sub

' ---- 5. A wizard walked through on a headless form.
Dim wiz, frm, refusedOnce
Sub Wizard()
    Dim frames, titles, messages, i, nextButton
    Set frm = Forms.Add("frmSetup")
    Set frames = frm.Controls.AddArray("VB.Frame", "fraStep", 6)
    Set wiz = WScript.CreateObject("quibor15.clsQuiborWizardA", "wiz_")
    Set wiz.WindowObject = frm
    Set wiz.FrameObject = frames
    wiz.MaxFrameIndex = 5
    wiz.Title = "Setup of the tour"
    wiz.AddTopPane = True
    Set titles = CreateObject("VBA.Collection")
    Set messages = CreateObject("VBA.Collection")
    For Each i In Array("Welcome", "Licence", "Folder", "Ready")
        titles.Add i
        messages.Add "This is the " & LCase(i) & " step."
    Next
    Set wiz.mcolFrameObjectTitles = titles
    Set wiz.mcolFrameObjectMessages = messages
    wiz.Create
    frm.Show
    WScript.Echo "  The form:", frm.Caption, "with", frm.Controls.Count, "controls"
    Set nextButton = frm.Controls("moNextFrameButton")
    For i = 1 To 5
        WScript.Echo "  The user clicks " & Replace(nextButton.Caption, "&", "")
        User.Click nextButton
        If Forms.Count = 0 Then Exit For
    Next
    WScript.Echo "  Forms still open:", Forms.Count
End Sub

Sub wiz_NextFrameButtonClick()
    WScript.Echo "    event NextFrameButtonClick"
End Sub

Sub wiz_BeforeFrameShow(Index, Cancel)
    ' The host may refuse a step: the licence step is refused once.
    If Index = 1 And Not refusedOnce Then
        refusedOnce = True
        Cancel = True
        WScript.Echo "    event BeforeFrameShow(" & Index & ") -> refused"
    Else
        WScript.Echo "    event BeforeFrameShow(" & Index & ")"
    End If
End Sub

Sub wiz_AfterFrameShow(Index)
    WScript.Echo "    event AfterFrameShow(" & Index & "): " & wiz.TopPaneTitleObject.Caption & " - " & _
                 wiz.TopPaneMessageObject.Caption
End Sub

Sub wiz_FinishFrameButtonClick(Cancel)
    WScript.Echo "    event FinishFrameButtonClick: the wizard closes its form"
End Sub

WScript.Echo "quibor15 tour"
Section "1. The locale catalogue", "Catalogue"
Section "2. Formatting in a few locales", "Formatting"
Section "3. Parsing in a few locales", "Parsing"
Section "4. The thirteen-digit string code", "StringCode"
Section "5. A wizard on a headless form", "Wizard"
