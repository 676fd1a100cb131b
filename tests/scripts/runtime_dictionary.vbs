' Scripting.Dictionary: keys in the order added, numbers and texts as
' different keys, CompareMode, Key renaming and the errors of each member.
Dim d, k, i
Set d = CreateObject("Scripting.Dictionary")
d.Add "apple", 3
d.Add 1, "one"
d.Add "1", "text one"
d("pear") = 5
d.Item("apple") = d.Item("apple") + 1
WScript.Echo TypeName(d), d.Count, d("apple"), d(1), d(1.0), d("1"), d.Exists("Apple"), d.Exists("pear")
For Each k In d
    WScript.Echo "key", k, TypeName(k), d(k)
Next
WScript.Echo Join(d.Keys, "|"), Join(d.Items, "|"), UBound(d.Keys)
' Reading a missing key adds it, empty.
WScript.Echo IsEmpty(d("plum")), d.Count, d.Exists("plum")
d.Key("plum") = "prune"
WScript.Echo d.Exists("plum"), d.Exists("prune"), Join(d.Keys, "|")
d.Remove "prune"
d.Remove 1
WScript.Echo d.Count, Join(d.Keys, "|")
' Objects are keys by identity; items may be objects.
Dim inner
Set inner = CreateObject("Scripting.Dictionary")
Set d("nested") = inner
inner.Add "x", 42
WScript.Echo d("nested")("x"), d.Exists(inner)
On Error Resume Next
d.Add "apple", 0
WScript.Echo Err.Number, Err.Description
Err.Clear
d.Remove "nothing"
WScript.Echo Err.Number, Err.Description
Err.Clear
d.CompareMode = 1
WScript.Echo Err.Number, d.CompareMode
Err.Clear
d.Key("none") = "x"
WScript.Echo Err.Number
Err.Clear
d.Key("apple") = "pear"
WScript.Echo Err.Number
Err.Clear
On Error GoTo 0
d.RemoveAll
WScript.Echo d.Count, UBound(d.Keys)
' Text comparison: keys match whatever their case.
Set d = CreateObject("Scripting.Dictionary")
d.CompareMode = vbTextCompare
d.Add "Key", 1
WScript.Echo d.Exists("KEY"), d("kEy"), d.CompareMode
' Counting words, the everyday use.
Set d = CreateObject("Scripting.Dictionary")
For Each k In Split("a b a c b a")
    d(k) = d(k) + 1
Next
For Each k In d.Keys
    WScript.Echo k & "=" & d(k)
Next
