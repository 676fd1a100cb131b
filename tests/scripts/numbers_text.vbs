' Numeric texts with the locale's group separators, numbers written with a
' leading period, and Currency arithmetic.
WScript.Echo CDbl("1,234.5"), CLng("12,345"), CCur("1,234.5678"), IsNumeric("1,000"), "1,000" + 1
WScript.Echo .5, -.25 + 1, TypeName(.5), 2 * .5
Dim c : c = CCur(1.5)
WScript.Echo c + 0.25, TypeName(c + 0.25), TypeName(c - CSng(1)), TypeName(c * 2.5), c * 2.5, TypeName(c / 2)
WScript.Echo CCur(922337203685477), CCur(-922337203685477), CCur(0.00005), CCur(0.00015)
