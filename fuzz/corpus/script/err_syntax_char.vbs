Dim x
x = 5 @ 3
