' A monthly sales report: reads sales.csv next to this script with the
' FileSystemObject, totals the amounts per region in a Dictionary, formats
' the totals for three countries with the component's locales, and writes
' the report to a text file in the temporary folder.
Option Explicit

Const ForReading = 1
Dim fso, here, csv, header, line, fields, region, amount, totals, counts, grandTotal

Set fso = CreateObject("Scripting.FileSystemObject")
here = fso.GetParentFolderName(WScript.ScriptFullName)

' Splits one CSV line; a field in double quotes may hold commas.
Function SplitCsv(text)
    Dim parts, field, quoted, i, c
    Set parts = CreateObject("Scripting.Dictionary")
    field = ""
    quoted = False
    For i = 1 To Len(text)
        c = Mid(text, i, 1)
        If c = """" Then
            quoted = Not quoted
        ElseIf c = "," And Not quoted Then
            parts.Add parts.Count, field
            field = ""
        Else
            field = field & c
        End If
    Next
    parts.Add parts.Count, field
    SplitCsv = parts.Items
End Function

Set totals = CreateObject("Scripting.Dictionary")
Set counts = CreateObject("Scripting.Dictionary")
Set csv = fso.OpenTextFile(fso.BuildPath(here, "sales.csv"), ForReading)
header = csv.ReadLine
Do Until csv.AtEndOfStream
    line = Trim(csv.ReadLine)
    If line <> "" Then
        fields = SplitCsv(line)
        region = fields(1)
        ' The file writes its prices with a period, whatever the locale.
        amount = CCur(fields(3)) * CCur(Replace(fields(4), ".", Mid(CStr(1.5), 2, 1)))
        totals(region) = totals(region) + amount
        counts(region) = counts(region) + 1
        grandTotal = grandTotal + amount
    End If
Loop
csv.Close
WScript.Echo "Read " & counts.Count & " regions from sales.csv (columns: " & header & ")"

' Sorts the regions by name (a Dictionary keeps them in the order found).
Function SortedKeys(dict)
    Dim keys, i, j, t
    keys = dict.Keys
    For i = 0 To UBound(keys) - 1
        For j = i + 1 To UBound(keys)
            If StrComp(keys(i), keys(j), vbTextCompare) > 0 Then t = keys(i) : keys(i) = keys(j) : keys(j) = t
        Next
    Next
    SortedKeys = keys
End Function

Dim intl, abbrev, loc, report, reportPath, key, caption
Set intl = CreateObject("quibor15.clsQuiborInternationalA")
reportPath = fso.BuildPath(fso.GetSpecialFolder(2).Path, "quibor15_sales_report.txt")
Set report = fso.CreateTextFile(reportPath, True)
report.WriteLine "Sales report, November 2010"
report.WriteLine String(40, "=")
For Each abbrev In Array("ENU", "DEU", "FRA")
    Set loc = intl.Locales(abbrev)
    report.WriteLine
    report.WriteLine loc.FullName & " (" & loc.IntlCurrencyCode & ")"
    For Each key In SortedKeys(totals)
        caption = Left(key & Space(8), 8) & Right(Space(4) & counts(key), 4) & " sales  "
        report.WriteLine "  " & caption & loc.FormatCurrency(CDbl(totals(key)))
    Next
    report.WriteLine "  " & Left("Total" & Space(20), 20) & loc.FormatCurrency(CDbl(grandTotal)) & _
                     "  (" & loc.FormatNumber(CDbl(grandTotal), 1) & ")"
Next
report.Close

' Shows what was written.
Dim written
Set written = fso.OpenTextFile(reportPath, ForReading)
Do Until written.AtEndOfStream
    WScript.Echo written.ReadLine
Loop
written.Close
WScript.Echo "Report written to " & fso.GetFileName(reportPath) & " in the temporary folder (" & _
             fso.GetFile(reportPath).Size & " bytes)"
