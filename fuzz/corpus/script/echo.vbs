x = 1 + 2
WScript.Echo x & "!"
