' Conversions, type tests and the number functions.
Dim v
For Each v In Array(Empty, Null, 1, 100000, 1.5, CSng(2.5), CCur(3.25), #2010-11-26#, "text", True, CByte(7), Nothing, Array(1))
    WScript.Echo TypeName(v), VarType(v), IsNumeric(v), IsEmpty(v), IsNull(v), IsObject(v), IsArray(v)
Next
WScript.Echo CInt(2.5), CInt(3.5), CInt(-2.5), CInt("12"), CLng(" 42 "), CLng("&H1F"), CDbl("1e3"), CSng(0.1)
WScript.Echo CBool(0), CBool(-5), CBool("true"), CBool("False"), CStr(True), CStr(12.5), CStr(CCur(1) / 3)
WScript.Echo CCur(1.23456), CCur("12.5") * 2, CByte(255), CDate("2010-11-26"), CDate(40508.5)
WScript.Echo CCur("922337203685477.5807"), CCur("-1,234.56785")
WScript.Echo IsNumeric("12.5"), IsNumeric("1e5"), IsNumeric("abc"), IsNumeric(""), IsNumeric("&HFF"), IsNumeric(#1/1/2000#)
WScript.Echo IsDate("2010-11-26"), IsDate("nope"), IsDate(12)
WScript.Echo Abs(-3), Abs(-2.5), TypeName(Abs(-32768)), Abs(-32768), Sgn(-7), Sgn(0), Sgn(0.1), IsNull(Abs(Null))
WScript.Echo Int(2.7), Int(-2.7), Fix(2.7), Fix(-2.7), TypeName(Int(5)), TypeName(Int(2.5)), Int("3.9")
WScript.Echo Round(2.5), Round(3.5), Round(-2.5), Round(2.567, 2), Round(2.675, 2), Round(1234.5678, 1), TypeName(Round(7))
WScript.Echo Sqr(16), Round(Exp(1), 6), Round(Log(100) / Log(10), 10), Round(Atn(1) * 4, 8), Sin(0), Cos(0), Tan(0)
WScript.Echo RGB(255, 0, 0), RGB(0, 0, 255), RGB(300, -5, 1)
WScript.Echo 1E15, 1E16, 123456789012345678, 0.0001, 0.00001, 1/7, CSng(1)/3, -0.5
