' Dates: building them, taking them apart, printing them in the system
' locale's short date and time.
Dim d : d = DateSerial(2010, 11, 26)
WScript.Echo d, TypeName(d), Year(d), Month(d), Day(d), Weekday(d), Weekday(d, vbMonday)
WScript.Echo DateSerial(2010, 13, 1), DateSerial(2010, 3, 0), DateSerial(10, 1, 1), DateSerial(99, 12, 31), DateSerial(2010, -1, 31)
Dim t : t = TimeSerial(13, 5, 9)
WScript.Echo t, Hour(t), Minute(t), Second(t), TimeSerial(25, 0, 0), TimeSerial(0, 90, 0)
WScript.Echo d + t, CDbl(d + t), Hour(d + t), Day(d + t)
WScript.Echo #1899-12-30#, CDbl(#1899-12-30#), #1899-12-29 6:00#, CDbl(#1899-12-29 6:00#)
WScript.Echo Year("2010-11-26"), Month("11/26/2010"), d = #11/26/2010#, d < #2011-01-01#
WScript.Echo DateSerial(2000, 2, 29), Day(DateSerial(2001, 2, 29)), Day(DateSerial(2100, 3, 0))
Dim today : today = Date
WScript.Echo TypeName(Now), TypeName(today), Int(Now) = today, Hour(today), Now >= today, TypeName(Time), Time < 1
On Error Resume Next
d = DateSerial(10000, 1, 1)
WScript.Echo Err.Number, Err.Description
