' RegExp: Test, Execute with Matches, Match and SubMatches, Replace with
' $ references, the flags, and the dialect's \d, \w, \b and $.
Dim re, m, ms, s
Set re = New RegExp
re.Pattern = "(\w+)@(\w+)\.com"
WScript.Echo TypeName(re), re.Global, re.IgnoreCase, re.Multiline, re.Test("mail bob@example.com now")
Set ms = re.Execute("bob@example.com, ann@test.com")
WScript.Echo TypeName(ms), ms.Count
re.Global = True
Set ms = re.Execute("bob@example.com, ann@test.com")
WScript.Echo ms.Count
For Each m In ms
    WScript.Echo m.Value, m.FirstIndex, m.Length, m.SubMatches.Count, m.SubMatches(0), m.SubMatches(1), m
Next
WScript.Echo ms(1).SubMatches(0)
' Replace: every match with Global, the first without; $1, $&, $$.
re.Pattern = "(\S+)(\s+)(\S+)"
re.Global = False
WScript.Echo re.Replace("The quick brown fox", "$3$2$1")
re.Pattern = "o"
re.Global = True
WScript.Echo re.Replace("foo boo", "0"), re.Replace("boo", "[$&$$]")
re.Pattern = "(a)(b)?"
WScript.Echo re.Replace("ac", "<$1|$2|$3>")
Set m = re.Execute("ac")(0)
WScript.Echo IsEmpty(m.SubMatches(1)), m.SubMatches.Count
' IgnoreCase and Multiline.
re.Pattern = "^line\d$"
WScript.Echo re.Test("Line1" & vbCrLf & "line2")
re.IgnoreCase = True
re.Multiline = True
WScript.Echo re.Execute("Line1" & vbLf & "line2").Count
re.Multiline = False
WScript.Echo re.Test("line1" & vbLf), re.Test("line1")
' The dialect: \d and \w are ASCII, \b is the ASCII word boundary.
re.Pattern = "\d+"
WScript.Echo re.Execute(ChrW(1634) & "12").Count, re.Execute(ChrW(1634) & "12")(0).Value
re.Pattern = "\bcat\b"
WScript.Echo re.Replace("cat concat cat.", "dog")
re.Pattern = "[\d,]+"
WScript.Echo re.Execute("total 1,234 ok")(0).Value
' Empty matches move on by one.
re.Pattern = "x*"
WScript.Echo re.Replace("abc", "-")
' A bad pattern raises when it is used.
re.Pattern = "(unclosed"
On Error Resume Next
re.Test "x"
WScript.Echo Err.Number, Err.Description
Err.Clear
re.Pattern = "[a-"
re.Test "x"
WScript.Echo Err.Number, Err.Description
Err.Clear
re.Pattern = "[z-a]"
re.Test "x"
WScript.Echo Err.Number, Err.Description
Err.Clear
On Error GoTo 0
' The ProgID makes the same object.
Set re = CreateObject("VBScript.RegExp")
re.Pattern = "b+"
WScript.Echo TypeName(re), re.Replace("abbbc", "B")
