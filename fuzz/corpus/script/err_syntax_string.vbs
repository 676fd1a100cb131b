WScript.Echo "fine"
WScript.Echo "this string never ends
