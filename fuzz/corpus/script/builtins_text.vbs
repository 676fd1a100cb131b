' The text functions.
Dim s : s = "Hello, World"
WScript.Echo Len(s), Left(s, 5), Right(s, 5), Mid(s, 8), Mid(s, 8, 3), Mid(s, 50), "[" & Left(s, 0) & "]"
WScript.Echo InStr(s, "o"), InStr(6, s, "o"), InStr(s, "xyz"), InStr(s, ""), InStr(1, s, "WORLD", vbTextCompare), InStr(20, s, "o")
WScript.Echo InStrRev(s, "o"), InStrRev(s, "o", 8), InStrRev(s, "zz"), InStrRev("abcabc", "bc")
WScript.Echo Replace(s, "o", "0"), Replace(s, "O", "0", 1, -1, vbTextCompare), Replace(s, "l", "L", 1, 2), Replace(s, "l", "", 5)
WScript.Echo LCase(s), UCase(s), "[" & Trim("  pad  ") & "]", "[" & LTrim("  pad  ") & "]", "[" & RTrim("  pad  ") & "]"
WScript.Echo "[" & Space(3) & "]", String(4, "ab"), String(3, 65), StrReverse("stressed")
WScript.Echo Chr(65), Asc("a"), ChrW(8364), AscW(ChrW(8364)), Chr(128) = ChrW(8364), Asc(ChrW(8364))
WScript.Echo StrComp("a", "B"), StrComp("a", "A", vbTextCompare), StrComp("b", "a"), IsNull(StrComp(Null, "a"))
WScript.Echo Len(12345), Len(Empty), IsNull(Len(Null)), IsNull(Left(Null, 2)), IsNull(UCase(Null))
WScript.Echo "Ünïcödé ✓ 日本", Len("日本"), UCase("straße")
WScript.Echo Hex(255), Hex(-1), Hex(-1&), Hex(65536), Oct(8), Oct(-1), Hex(1.5)
