' Literals, their subtypes, comments, separators and line continuation.
Rem A Rem line is a comment too.
WScript.Echo 1, TypeName(1), TypeName(32767), TypeName(32768), TypeName(2147483647), TypeName(2147483648)
WScript.Echo 1.5, TypeName(1.5), 1E3, TypeName(1E3), .25, 2.5e-3
WScript.Echo &HFF, &HFFFF, TypeName(&HFFFF), &HFFFF&, &H10000, TypeName(&H10000), &HFFFFFFFF, &O17
WScript.Echo "say ""hi""", Len(""""), "" = vbNullString
WScript.Echo #2010-11-26#, TypeName(#11/26/2010#), #2010-11-26 13:05:09#, #1:30 PM#, #11/26/10#
WScript.Echo True, False, TypeName(True), CInt(True), Empty = 0, IsNull(Null), IsEmpty(Empty)
WScript.Echo TypeName(Nothing), Nothing Is Nothing
Dim total : total = 1 + _
    2 + _
    3 ' continued over three lines
WScript.Echo total : WScript.Echo "two statements" : WScript.Echo "on one line"
WScript.Echo vbTab = Chr(9), Len(vbCrLf), Asc(vbLf), vbObjectError, vbYesNo, vbString, vbArray
WScript.Echo [total] * 2
