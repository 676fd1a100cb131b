' Dates written with the month's name, as texts and as literals.
WScript.Echo CDate("October 19, 1962"), CDate("26 Nov 2010"), CDate("26-Nov-2010"), CDate("nov 26, 2010 3:04 PM")
WScript.Echo IsDate("Nov 26, 2010"), IsDate("26 November 2010"), IsDate("Foo 26, 2010"), IsDate("Feb 30, 2010")
WScript.Echo #January 2, 2003#, Month(#January 2, 2003#), Year(#2 Jan 2003#), TypeName(#Dec 31, 1999#)
' The system locale's month names count too, beside the English ones.
Sim.SystemLCID = &H407
WScript.Echo Month(CDate("26. März 2010")), Month(CDate("3 Okt 2010")), Month(CDate("1 Dezember 2010")), IsDate("26 Nov 2010")
Sim.SystemLCID = &H40C
WScript.Echo Month(CDate("12 févr. 2011")), Month(CDate("12 FÉVRIER 2011")), IsDate("12 Février 2011"), IsDate("12 Frimaire 2011")
Sim.SystemLCID = &H409
WScript.Echo IsDate("26 März 2010")
