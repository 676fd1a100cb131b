' The component driven late-bound: default members, enumeration,
' arguments by reference, results of every kind, and its errors.
Dim intl, locales, us, de, fmt, loc, n, text, sorted, code

Set intl = CreateObject("quibor15.clsQuiborInternationalA")
Set locales = intl.Locales
WScript.Echo TypeName(intl), TypeName(locales), locales.Count > 100

' obj(key) calls the default member; a property without parameters passes
' the arguments on to the default member of what it returns.
Set us = intl.Locales("ENU")
WScript.Echo us.LCID, us.AbbrevLangName, us.FullName, locales.Item("ENU").LCID, locales("DEU").NativeLangName
WScript.Echo us.DateFormats(1).DTFormat, TypeName(us.DateFormats(1)), us.TimeFormats.Count > 0

' For Each walks the collection through its enumerator.
n = 0
For Each loc In locales
    If loc.LCID = &H409 Or loc.LCID = &H407 Then WScript.Echo "found", loc.AbbrevLangName
    n = n + 1
Next
WScript.Echo n = locales.Count
For Each fmt In us.DateFormats : WScript.Echo "date picture:", fmt.DTFormat : Next

' Optional arguments left out take their defaults.
Set de = locales("DEU")
WScript.Echo us.FormatNumber(1234.567), us.FormatNumber(1234.567, 1), us.FormatNumber(1234.567, 0, False)
WScript.Echo de.FormatNumber(1234.567), de.FormatCurrency(1234.5), us.FormatCurrency(-5)
WScript.Echo us.FormatDate(#2010-11-26#), de.FormatDate(#2010-11-26#, 1), us.GetMonthName(11), de.GetDayName(6, True)
WScript.Echo us.LocaleCDate("11/26/2010"), TypeName(us.LocaleCDate("11/26/2010")), de.LocaleCCur("1.234,50")

' Variables go by reference, so the component reads them in place.
text = "Straße"
WScript.Echo de.LocaleUCase(text), text
sorted = us.ListSort(Array("pear", "Apple", "fig"))
WScript.Echo Join(sorted, ","), TypeName(sorted)

Set code = CreateObject("quibor15.clsQuiborWUIBCAT175A")
code.InputString = "HELLO WORLD"
WScript.Echo code.Length, code.FirstCharacter, code.LastCharacter, code.OutputCode, TypeName(code.OutputCode)

' The component's errors keep their number, source and description.
On Error Resume Next
text = us.GetMonthName(13)
WScript.Echo Hex(Err.Number), Err.Source, Err.Description
Err.Clear
us.NoSuchMember
WScript.Echo Err.Number, Err.Description
Err.Clear
text = us.FormatNumber()
WScript.Echo Err.Number, Err.Description
Err.Clear
Set text = CreateObject("quibor15.clsQuiborLocaleA")
WScript.Echo Err.Number, Err.Description
