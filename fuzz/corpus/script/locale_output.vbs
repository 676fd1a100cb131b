' Values print in the system locale: dates as its short date and time,
' numbers with its decimal separator; texts read as numbers the same way.
Dim d : d = #2010-11-26 13:45:00#
WScript.Echo Sim.SystemLCID, d, 1.5, CStr(1234.5), CDbl("2.5") * 2
Sim.SystemLCID = &H407
WScript.Echo Sim.SystemLCID, d, 1.5, CStr(1234.5), CDbl("2,5") * 2, #2010-11-26#, #13:45:00#
Sim.SystemLCID = &H411
WScript.Echo Sim.SystemLCID, d
Sim.SystemLCID = &H809
WScript.Echo Sim.SystemLCID, d
On Error Resume Next
Sim.SystemLCID = 12345
WScript.Echo Err.Number, Sim.SystemLCID
