' Operator precedence and the result subtypes of each operator.
WScript.Echo 2 + 3 * 4, (2 + 3) * 4, 2 ^ 3 ^ 2, -2 ^ 2, 2 ^ -1, 10 - 4 - 3
WScript.Echo 7 \ 2 * 3, 7 \ (2 * 3), 10 Mod 4 * 2, 1 + 10 Mod 4, 2 * 3 Mod 4
WScript.Echo "a" & 1 + 2, 1 + 2 & 3, "x" & -1
WScript.Echo 1 < 2 = True, Not 1 = 2, Not True And False, True Or False And False
WScript.Echo 5 And 3, 5 Or 3, 5 Xor 3, Not 5, True Xor True, True Eqv False, False Imp True
' Integer sums that leave their range move to the next wider subtype.
WScript.Echo 32767 + 1, TypeName(32767 + 1), TypeName(32766 + 1), 2147483647 + 1, TypeName(2147483647 + 1)
WScript.Echo TypeName(-32768), TypeName(-(-32768)), 200 * 200, TypeName(200 * 200)
WScript.Echo 10 / 4, TypeName(10 / 4), 10 / 5, TypeName(10 / 5), 7.5 \ 2, -7 \ 2, -7 Mod 3, 7.5 Mod 2
WScript.Echo TypeName(1 + 1.5), TypeName(CSng(1) + 1), TypeName(CSng(1) + 100000), TypeName(CCur(1) + 1)
WScript.Echo CCur(1.25) * 3, TypeName(CCur(1.25) * 3), CByte(200) + CByte(55), TypeName(CByte(200) + CByte(55))
WScript.Echo CByte(200) + CByte(56), TypeName(CByte(200) + CByte(56)), True + True, TypeName(True + True)
WScript.Echo "3" + 4, TypeName("3" + 4), "3" + "4", "3" & 4, 4 - "1.5"
WScript.Echo #2010-11-26# + 1, #2010-11-26# - #2010-11-20#, TypeName(#2010-11-26# - 1)
' Comparisons: texts case-sensitively, numbers against texts as numbers.
WScript.Echo "abc" < "abd", "B" < "a", "a" = "A", 10 = "10", 9 < "10", "10" < "9", Empty = "", Empty = 0
' Null propagates through arithmetic and comparisons but not through &.
WScript.Echo IsNull(Null + 1), IsNull(Null = Null), "[" & Null & "]", IsNull(Null & Null)
WScript.Echo Null And False, IsNull(Null And True), Null Or True, IsNull(Null Or False)
Dim o1, o2 : Set o1 = CreateObject("VBA.Collection") : Set o2 = o1
WScript.Echo o1 Is o2, o1 Is CreateObject("VBA.Collection"), o1 Is Nothing
