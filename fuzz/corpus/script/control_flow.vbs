' Every statement that steers the flow.
Dim i, j, s, n

For i = 1 To 3
    If i = 1 Then
        s = "one"
    ElseIf i = 2 Then
        s = "two"
    Else
        s = "many"
    End If
    WScript.Echo i, s
Next

If i > 3 Then WScript.Echo "after the loop i is", i Else WScript.Echo "never"
If False Then WScript.Echo "no" : WScript.Echo "not this either"
If True Then WScript.Echo "a" : WScript.Echo "b" Else WScript.Echo "c"
If False Then
ElseIf True Then WScript.Echo "elseif on one line"
End If

s = ""
For i = 10 To 1 Step -3 : s = s & i & " " : Next
WScript.Echo s
s = ""
For i = 0 To 1 Step 0.25 : s = s & i & " " : Next
WScript.Echo s, TypeName(i)
s = ""
For i = 5 To 1 : s = s & i : Next
WScript.Echo "empty loop [" & s & "]", i

s = ""
For i = 1 To 3
    For j = 1 To 3
        If j > i Then Exit For
        s = s & i & j & " "
    Next
Next
WScript.Echo s

Select Case "b"
    Case "a" : WScript.Echo "case a"
    Case "x", "b", "c" : WScript.Echo "case b in a list"
    Case Else : WScript.Echo "case else"
End Select
For Each n In Array(1, 5, 9)
    Select Case n
        Case 1
            WScript.Echo n, "is one"
        Case 2 + 3
            WScript.Echo n, "is five"
        Case Else
            WScript.Echo n, "is something else"
    End Select
Next
Select Case Null
    Case Null : WScript.Echo "Null never matches"
    Case Else : WScript.Echo "Null went to Case Else"
End Select

n = 0
Do While n < 3 : n = n + 1 : Loop
WScript.Echo "do while", n
Do Until n = 0 : n = n - 1 : Loop
WScript.Echo "do until", n
Do : n = n + 1 : Loop While n < 5
WScript.Echo "loop while", n
Do : n = n + 1 : Loop Until True
WScript.Echo "loop until runs once", n
Do
    n = n + 1
    If n >= 10 Then Exit Do
Loop
WScript.Echo "exit do", n
While n > 7 : n = n - 1 : Wend
WScript.Echo "while wend", n

s = ""
For Each i In Array("x", "y", "z") : s = s & i : Next
WScript.Echo s
Dim grid(1, 2)
For i = 0 To 1 : For j = 0 To 2 : grid(i, j) = i & j : Next : Next
s = ""
For Each n In grid : s = s & n & " " : Next
WScript.Echo s

Function FirstOver(limit)
    Dim k
    For k = 1 To 100
        If k * k > limit Then
            FirstOver = k
            Exit Function
        End If
    Next
    FirstOver = -1
End Function
WScript.Echo FirstOver(50), FirstOver(1000000)

Sub Countdown(k)
    Do
        If k = 0 Then Exit Sub
        WScript.Echo "countdown", k
        k = k - 1
    Loop
End Sub
Countdown 2
