' Filter, Rnd and Randomize, Escape and Unescape, and the engine's name.
Dim a, i, first, again, r
a = Array("apple", "Banana", "cherry", "grape")
WScript.Echo Join(Filter(a, "an"), ","), Join(Filter(a, "AN", True, vbTextCompare), ","), Join(Filter(a, "a", False), ",")
WScript.Echo UBound(Filter(a, "zzz")), Join(Filter(Array(1, 12, 3), "1"), ",")
' The generator: the first numbers of a fresh script are fixed, a negative
' argument reseeds, zero repeats the last number.
WScript.Echo Rnd, Rnd(), Rnd(1)
WScript.Echo Rnd(0), Rnd(0)
first = Rnd(-1)
again = Rnd(-1)
WScript.Echo first, first = again, Rnd(-2) = Rnd(-2), Rnd(-1) = Rnd(-2)
' Rnd(-1) then Randomize with the same number repeats a sequence.
Rnd -1 : Randomize 42 : first = Rnd & " " & Rnd
Rnd -1 : Randomize 42 : again = Rnd & " " & Rnd
WScript.Echo first = again
Randomize
For i = 1 To 1000
    r = Rnd
    If r < 0 Or r >= 1 Then WScript.Echo "out of range", r
Next
WScript.Echo TypeName(r), Int(Rnd(-3) * 6) + 1
WScript.Echo Escape("Hello World!"), Escape("a+b=c/d@e.f*g_h-i"), Escape("caf" & ChrW(233) & " " & ChrW(8364))
WScript.Echo Unescape("Hello%20World%21"), AscW(Unescape("%u20AC")), Unescape("100%"), Unescape("%zz%4"), Unescape(Escape("x y" & ChrW(960))) = "x y" & ChrW(960)
WScript.Echo ScriptEngine, ScriptEngineMajorVersion & "." & ScriptEngineMinorVersion & "." & ScriptEngineBuildVersion, TypeName(ScriptEngineMajorVersion)
On Error Resume Next
Filter "text", "t"
WScript.Echo Err.Number : Err.Clear
Filter Null, "t"
WScript.Echo Err.Number : Err.Clear
