' FormatNumber, FormatCurrency and FormatPercent in the system locale, with
' each argument left to the locale or given.
WScript.Echo FormatNumber(1234567.891), FormatNumber(-1234.5), FormatNumber(0.5), FormatNumber(2.345, 2), FormatNumber(2.5, 0)
WScript.Echo FormatNumber(0.5, 2, vbFalse), FormatNumber(-0.5, 1, vbTrue, vbTrue), FormatNumber(1234.5, 1, , , vbFalse)
WScript.Echo FormatNumber("1234.5", 3), FormatNumber(1E+20, 0), FormatNumber(123, 0), FormatNumber(Empty), FormatNumber(True)
WScript.Echo FormatCurrency(1234.5), FormatCurrency(-1234.5), FormatCurrency(-1234.5, 0, , vbFalse), FormatCurrency(0.125), FormatCurrency(1000000, 0)
WScript.Echo FormatPercent(0.256), FormatPercent(1.5, 0), FormatPercent(-0.0125, 1), FormatPercent(0.256, 2, , vbTrue)
Sim.SystemLCID = &H407
WScript.Echo FormatNumber(1234567.891), FormatNumber(-1234.5, 1), FormatCurrency(1234.5), FormatCurrency(-1234.5), FormatPercent(0.256)
Sim.SystemLCID = &H40C
WScript.Echo FormatNumber(1234567.891), FormatCurrency(-1234.5)
Sim.SystemLCID = &H411
WScript.Echo FormatCurrency(1234.5), FormatCurrency(-1234.5)
Sim.SystemLCID = &H409
On Error Resume Next
WScript.Echo FormatNumber("abc")
WScript.Echo Err.Number : Err.Clear
WScript.Echo FormatNumber(1, -2)
WScript.Echo Err.Number : Err.Clear
WScript.Echo FormatNumber(1, 2, 5)
WScript.Echo Err.Number : Err.Clear
