' The locale catalogue and formatting on the system's own locale database
' (Wine's, in US English).
Option Explicit

Sub Check(name, actual, expected)
    If CStr(actual) = CStr(expected) Then
        WScript.Echo "ok - " & name
    Else
        WScript.Echo "not ok - " & name & ": got [" & CStr(actual) & "], expected [" & CStr(expected) & "]"
    End If
End Sub

Dim intl, us, locales, loc, count, german, valid
Set intl = CreateObject("quibor15.clsQuiborInternationalA")
Set us = intl.SystemDefault
Check "system default LCID", us.LCID, 1033
Check "TypeName", TypeName(us) = "clsQuiborLocaleA" Or TypeName(us) = "_clsQuiborLocaleA", True
Check "AbbrevLangName", us.AbbrevLangName, "ENU"
Check "FullName", us.FullName, "English (United States)"
Check "NativeCountryName", us.NativeCountryName, "United States"
Check "IntlCurrencyCode", us.IntlCurrencyCode, "USD"
Check "CurrencyString", us.CurrencyString, "$"
Check "DecimalSeparator", us.DecimalSeparator, "."
Check "isValid", us.isValid, True
Check "ShortDateFormat", us.ShortDateFormat, "M/d/yyyy"
Check "LongDateFormat", us.LongDateFormat, "dddd, MMMM d, yyyy"

Check "FormatNumber with the default of 2 places", us.FormatNumber(1234.5), "1,234.50"
Check "FormatNumber with 0 places", us.FormatNumber(1234.5, 0), "1,235"
Check "FormatCurrency", us.FormatCurrency(1234.5), "$1,234.50"
Check "FormatCurrency negative", us.FormatCurrency(-5), "($5.00)"
Check "FormatCurrency without grouping or symbol", us.FormatCurrency(1234.5, False, False), "1234.50"
Check "FormatDate short", us.FormatDate(DateSerial(2024, 3, 5)), "3/5/2024"
Check "FormatDate long", us.FormatDate(DateSerial(2024, 3, 5), 1), "Tuesday, March 5, 2024"
Check "FormatTime", us.FormatTime(TimeSerial(13, 5, 9)), "1:05:09 PM"
Check "FormatTime with a picture", us.FormatTime(TimeSerial(13, 5, 9), "HH:mm"), "13:05"
Check "GetDayName 1 is Monday", us.GetDayName(1), "Monday"
Check "GetDayName 7 abbreviated", us.GetDayName(7, True), "Sun"
Check "GetMonthName", us.GetMonthName(12), "December"
Check "GetMonthName abbreviated", us.GetMonthName(2, True), "Feb"
Check "LocaleUCase", us.LocaleUCase("abc"), "ABC"
Check "LocaleLCase", us.LocaleLCase("ABC"), "abc"
Check "LocaleCDate", us.LocaleCDate("3/5/2024"), DateSerial(2024, 3, 5)
Check "LocaleCCur", us.LocaleCCur("$1,234.50"), 1234.5
Check "LocaleCCur gives a Currency", TypeName(us.LocaleCCur("$1,234.50")), "Currency"
' A String array comes back as one (VT_ARRAY | VT_BSTR).
Check "ListSort gives a String array", VarType(us.ListSort(Array("pear", "Apple", "banana"))), 8200

Check "date pictures", us.DateFormats.Count > 0, True
Check "the first date picture", us.DateFormats.Item(1).DTFormat, "M/d/yyyy"
Check "the first date picture's type", us.DateFormats(1).DTFType, 1
Check "time pictures", us.TimeFormats.Count > 0, True

' The catalogue: every installed locale once, reached by For Each too.
Set locales = intl.Locales
count = 0
valid = 0
For Each loc In locales
    count = count + 1
    If loc.isValid Then valid = valid + 1
    If loc.AbbrevLangName = "DEU" Then Set german = loc
Next
Check "For Each reaches every catalogued locale", count, locales.Count
Check "many locales", locales.Count > 100, True
Check "each one is valid", valid, count
Check "German is catalogued", IsObject(german), True
Check "German number format", german.FormatNumber(1234.5), "1.234,50"
Check "German day name", german.GetDayName(1), "Montag"
Check "German upper case through the code page", german.LocaleUCase("stra" & Chr(223) & "e"), "STRA" & Chr(223) & "E"
WScript.Echo "DONE"
