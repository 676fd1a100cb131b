' The members of the component's global classes are called without an
' object, as a program that references the library calls them.
Option Explicit
Dim frm
Set frm = Forms.Add("frmCentred")
frm.Move 0, 0, 4800, 3600
frm.Show
FormCenter frm
WScript.Echo "centred at", frm.Left, frm.Top
WScript.Echo "added to the recent documents:", AddToDocumentsList("C:\docs\a.txt"), Join(Sim.RecentDocuments, ";")
' The same members through an object of their own.
Dim rt : Set rt = CreateObject("quibor15.clsQuiborWUIRunTimeA")
frm.Move 0, 0
rt.FormCenter frm
WScript.Echo "centred again at", frm.Left, frm.Top
' A variable of the script hides a global member of the same name.
Dim OnTop : OnTop = "a variable"
WScript.Echo OnTop
