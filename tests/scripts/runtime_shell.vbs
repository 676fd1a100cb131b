' WScript.Shell: the current folder, the process environment and its
' expansion; Run and Exec raise, since the headless world runs no programs.
Dim sh, env, fso
Set sh = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
WScript.Echo sh.CurrentDirectory = fso.GetAbsolutePathName("."), fso.GetFileName(sh.CurrentDirectory)
Set env = sh.Environment("PROCESS")
env("QUIBOR15_GREETING") = "hello"
WScript.Echo env("QUIBOR15_GREETING"), env.Item("quibor15_greeting"), "[" & env("QUIBOR15_NO_SUCH") & "]"
WScript.Echo sh.ExpandEnvironmentStrings("say %QUIBOR15_GREETING%, %QUIBOR15_NO_SUCH% 100%")
env.Remove "QUIBOR15_GREETING"
WScript.Echo "[" & env("QUIBOR15_GREETING") & "]"
On Error Resume Next
sh.Run "notepad.exe"
WScript.Echo Err.Number, Err.Description
Err.Clear
sh.Exec "cmd /c dir"
WScript.Echo Err.Number, Err.Description
Err.Clear
sh.Environment("SYSTEM")
WScript.Echo Err.Number, Err.Description
Err.Clear
Dim x
Set x = CreateObject("Scripting.NoSuchThing")
WScript.Echo Err.Number, Err.Description
