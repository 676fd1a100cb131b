' Calling conventions through late binding: by-reference arguments,
' optional arguments, and errors with number, source and description.
Option Explicit
On Error Resume Next

Sub Check(name, actual, expected)
    If CStr(actual) = CStr(expected) Then
        WScript.Echo "ok - " & name
    Else
        WScript.Echo "not ok - " & name & ": got [" & CStr(actual) & "], expected [" & CStr(expected) & "]"
    End If
End Sub

' Checks the error the statement before raised, then clears it.
Sub CheckError(name, number, source, description)
    If Err.Number = number And Err.Source = source And Err.Description = description Then
        WScript.Echo "ok - " & name
    Else
        WScript.Echo "not ok - " & name & ": got [" & Err.Number & "] [" & Err.Source & "] [" & Err.Description & _
            "], expected [" & number & "] [" & source & "] [" & description & "]"
    End If
    Err.Clear
End Sub

Dim intl, us, number, movie, seconds, interplay, result
Set intl = CreateObject("quibor15.clsQuiborInternationalA")
Set us = intl.SystemDefault

' ---- by reference
' A variable of another type than the parameter's goes as a converted
' temporary: it keeps its value and its type. (The script cannot make a
' text outside the code page, which LocaleUCase would give back changed;
' the C++ client checks that.)
number = 5
Check "LocaleUCase of a number", us.LocaleUCase(number), "5"
Check "a converted temporary leaves the variable", TypeName(number), "Integer"

' setPositionTo multiplies its Long argument by 1000 in the caller's
' variable; a VBScript literal 5 is an Integer and goes as a temporary.
Set movie = CreateObject("quibor15.clsQuiborWUIMMMovieA")
seconds = CLng(5)
movie.setPositionTo seconds
Check "a Long variable is assigned", seconds, 5000
seconds = 5
movie.setPositionTo seconds
Check "an Integer variable is not", seconds, 5
Check "and keeps its type", TypeName(seconds), "Integer"

' A typed parameter takes a variable of another type through conversion.
number = CLng(3)
Check "a Long for an Integer parameter", us.GetDayName(number), "Wednesday"
number = "3"
Check "a String for an Integer parameter", us.GetDayName(number), "Wednesday"

' ---- optional arguments
Check "Abbreviate left out", us.GetDayName(2), "Tuesday"
Check "NumDecimalPlaces left out", us.FormatNumber(2.5), "2.50"
Check "FormatCurrency with both flags left out", us.FormatCurrency(2), "$2.00"
result = CreateObject("quibor15.clsQuiborWUIXPManifestA").MakeMANIFESTfile()
Check "MakeMANIFESTfile without its argument", result, True
Check "no error", Err.Number, 0

' ---- the classes without behaviour of their own
Set interplay = CreateObject("quibor15.clsQuiborInterplayA")
Check "PlayMethod starts at 0", interplay.PlayMethod, 0
interplay.PlayMethod = -123456
Check "PlayMethod keeps a negative value", interplay.PlayMethod, -123456
Check "ActiveUI returns Empty", IsEmpty(interplay.ActiveUI), True
Check "clsQuibor15A can be created", IsObject(CreateObject("quibor15.clsQuibor15A")), True
Check "clsQuiborWUIRunTimeB can be created", IsObject(CreateObject("quibor15.clsQuiborWUIRunTimeB")), True
Check "no error", Err.Number, 0

' ---- errors
us.GetDayName 0
CheckError "the component's own error", &H80040000, "Locale", "Day index out of range (1-7 only)"
us.GetMonthName 13
CheckError "month index", &H80040000, "Locale", "Month index out of range (1-12 only)"
us.LocaleCDate "2/30/2010"
CheckError "unparseable date", &H80040001, "Locale ENU", "Unable to parse date"
number = CLng(70000)
us.GetDayName number
CheckError "a Long that does not fit an Integer", 6, "quibor15", "Overflow"
us.GetDayName "Monday"
CheckError "text that is no number", 13, "quibor15", "Type mismatch"
us.GetDayName
Check "too few arguments", Err.Number, 450
Err.Clear
us.GetDayName 1, True, 3
Check "too many arguments", Err.Number, 450
Err.Clear
us.NoSuchMember
Check "an unknown member", Err.Number, 438
Err.Clear
Set result = CreateObject("quibor15.clsQuiborLocaleA")
Check "a class callers cannot create", Err.Number, 429
Err.Clear
WScript.Echo "DONE"
