WScript.Echo "Hello from a one-line script", 1 + 1
