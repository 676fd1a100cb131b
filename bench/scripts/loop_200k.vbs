' 200,000 rounds of the string building and arithmetic scripts are made of.
Dim i, line, text, total, count
total = 0
count = 0
For i = 1 To 200000
    text = "item " & i & ": " & (i * 3 Mod 7)
    total = total + Len(text) + i \ 3
    line = line & Chr(65 + i Mod 26)
    If Len(line) >= 64 Then
        count = count + 1
        line = ""
    End If
Next
WScript.Echo total, count
