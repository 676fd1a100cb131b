' Comparing a number with a text: a number held in a variable is less than
' any text; a literal takes the type of the other side.
Dim n, s, typed, e
n = 10 : s = "9" : typed = "41"
WScript.Echo n < s, n = s, n > s, s > n, s = n
WScript.Echo n < "9", n = "10", 10 = s, 9 = s, s < 10
WScript.Echo typed < typed + 1, typed + 1, CLng(typed) < CLng(typed) + 1
WScript.Echo e = 0, e = "", e < 1, e < "a", -1 < e
Select Case s
    Case 9 : WScript.Echo "case 9 as text"
    Case Else : WScript.Echo "else"
End Select
Select Case n
    Case "10" : WScript.Echo "case ""10"" as number"
    Case Else : WScript.Echo "else"
End Select
