Sub Pair(a, b) : End Sub
Pair 1, 2
Call Pair(1, 2)
Pair(1, 2)
