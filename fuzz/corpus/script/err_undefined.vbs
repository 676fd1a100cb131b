Option Explicit
Dim declared
declared = 1
WScript.Echo "declared is", declared
undeclared = 2
WScript.Echo "never printed"
