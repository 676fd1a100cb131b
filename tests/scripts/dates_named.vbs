' Dates written with the month's name, as texts and as literals.
WScript.Echo CDate("October 19, 1962"), CDate("26 Nov 2010"), CDate("26-Nov-2010"), CDate("nov 26, 2010 3:04 PM")
WScript.Echo IsDate("Nov 26, 2010"), IsDate("26 November 2010"), IsDate("Foo 26, 2010"), IsDate("Feb 30, 2010")
WScript.Echo #January 2, 2003#, Month(#January 2, 2003#), Year(#2 Jan 2003#), TypeName(#Dec 31, 1999#)
