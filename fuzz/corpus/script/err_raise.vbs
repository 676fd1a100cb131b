On Error Resume Next
Err.Raise 5
WScript.Echo "handled:", Err.Description
On Error GoTo 0
Err.Raise vbObjectError + 1, "Inventory", "Item not in stock"
