' DateAdd, DateDiff, DatePart (first day of week, first week of year),
' MonthName, WeekdayName, DateValue, TimeValue and FormatDateTime (en-US).
Dim d
d = #1/31/1995 10:30:00#
WScript.Echo DateAdd("m", 1, d), DateAdd("m", 1, #1/31/1996#), DateAdd("yyyy", 1, #2/29/2000#), DateAdd("q", -1, d)
WScript.Echo DateAdd("d", 1, d), DateAdd("ww", 2, #12/25/1999#), DateAdd("h", 15, d), DateAdd("n", -31, d), DateAdd("s", 30, d)
WScript.Echo DateAdd("d", 1.6, #1/1/2000#), DateAdd("d", -1, #12/30/1899 6:00:00#), DateAdd("h", -12, #12/30/1899 6:00:00#)
WScript.Echo DateDiff("d", #1/1/2000#, #3/1/2000#), DateDiff("m", #1/31/2000#, #2/1/2000#), DateDiff("yyyy", #12/31/1999#, #1/1/2000#)
WScript.Echo DateDiff("q", #3/31/2000#, #4/1/2000#), DateDiff("h", #1/1/2000 23:59:00#, #1/2/2000 0:01:00#), DateDiff("d", #3/1/2000#, #1/1/2000#)
' "w" counts whole weeks; "ww" counts the first days of weeks in between.
WScript.Echo DateDiff("w", #1/3/2000#, #1/16/2000#), DateDiff("ww", #1/1/2000#, #1/2/2000#), DateDiff("ww", #1/1/2000#, #1/2/2000#, vbMonday)
WScript.Echo DateDiff("n", #10:00:00#, #10:59:59#), DateDiff("s", #10:00:00#, #10:01:00#)
d = #1/1/2005#  ' a Saturday
WScript.Echo DatePart("yyyy", d), DatePart("q", #8/15/2005#), DatePart("y", #12/31/2004#), DatePart("w", d), DatePart("w", d, vbMonday)
WScript.Echo DatePart("ww", d), DatePart("ww", #1/2/2005#), DatePart("ww", d, vbMonday, vbFirstFourDays), DatePart("ww", #1/3/2005#, vbMonday, vbFirstFourDays)
WScript.Echo DatePart("ww", #1/3/2005#, vbMonday, vbFirstFullWeek), DatePart("ww", #12/31/2005#), DatePart("h", #3:45:10 PM#), DatePart("n", #3:45:10 PM#), DatePart("s", #3:45:10 PM#)
WScript.Echo MonthName(1), MonthName(12, True), WeekdayName(1), WeekdayName(3, True), WeekdayName(1, False, vbMonday), WeekdayName(7, True, vbWednesday)
WScript.Echo DateValue("3/5/2010 2:00 PM"), TimeValue("2010-03-05 14:07:08"), TypeName(DateValue(#1/1/2000 5:00:00#)), CDbl(TimeValue(#1/1/2000 6:00:00#))
d = #11/26/2010 14:05:09#
WScript.Echo FormatDateTime(d), "|", FormatDateTime(d, vbLongDate), "|", FormatDateTime(d, vbShortDate), "|", _
             FormatDateTime(d, vbLongTime), "|", FormatDateTime(d, vbShortTime), "|", FormatDateTime(#11/26/2010#)
WScript.Echo IsNull(DateAdd("d", 1, Null)), IsNull(DatePart("d", Null)), IsNull(DateDiff("d", Null, Now))
On Error Resume Next
WScript.Echo DateAdd("x", 1, d)
WScript.Echo Err.Number : Err.Clear
WScript.Echo DateAdd("yyyy", 9000, d)
WScript.Echo Err.Number : Err.Clear
WScript.Echo MonthName(13)
WScript.Echo Err.Number : Err.Clear
WScript.Echo WeekdayName(0)
WScript.Echo Err.Number : Err.Clear
WScript.Echo FormatDateTime(d, 5)
WScript.Echo Err.Number : Err.Clear
