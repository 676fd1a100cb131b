' An error raised inside the component keeps its source and description.
Dim intl, us
Set intl = CreateObject("quibor15.clsQuiborInternationalA")
Set us = intl.Locales("ENU")
WScript.Echo us.GetDayName(1)
WScript.Echo us.GetDayName(9)
