' The smaller classes of the component, late-bound.
Option Explicit
Dim o, tip, frm, btn, mp3, list, code

Set o = CreateObject("quibor15.clsQuiborInterplayA")
WScript.Echo TypeName(o), o.PlayMethod, IsEmpty(o.ActiveUI), IsEmpty(o.PlayUI)
o.PlayMethod = -5
WScript.Echo o.PlayMethod
WScript.Echo TypeName(CreateObject("quibor15.clsQuibor15A")), TypeName(CreateObject("quibor15.clsQuiborWUIRunTimeB"))

Set frm = Forms.Add("frmTips")
Set btn = frm.Controls.Add("VB.CommandButton", "cmdGo")
Set tip = CreateObject("quibor15.clsQuiborWUITooltipA")
WScript.Echo "tooltip style", tip.Style, "delay", tip.DelayTime, "font", TypeName(tip.Font)
tip.Style = 2
tip.SetToolTipObj btn.hWnd, "Starts the job", True
WScript.Echo "tooltip style now", tip.Style

Set mp3 = CreateObject("quibor15.clsQuiborWUIMMMP3A")
WScript.Echo "last part:", mp3.GetLastBackSlash("C:\music\album\song.mp3")
Sim.MciReply "status ""C:\music\song.mp3"" mode", "playing"
mp3.MP3File = "C:\music\song.mp3"
mp3.MP3Play
WScript.Echo "playing:", mp3.MP3Playing
WScript.Echo Join(Sim.MciLog, " | ")

Set code = CreateObject("quibor15.clsQuiborWUIBCAT175A")
code.InputString = String(80, "x")
WScript.Echo "refused:", "[" & code.OutputCode & "]", Join(Sim.MessageBoxes, vbLf)
