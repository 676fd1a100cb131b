' A setup wizard on a headless form, walked through by the scripted user.
'
' The form holds a control array of six frames; the wizard adds a title pane
' and a button pane around them, and the user clicks Next through the steps
' to the closing page, where Next reads "&Finish".
Option Explicit

Dim frm, steps, wiz, titles, messages, finishAttempts
finishAttempts = 0

Set frm = Forms.Add("frmSetup")
Set steps = frm.Controls.AddArray("VB.Frame", "fraStep", 6)

' The wizard's events arrive in the Subs named wiz_EventName below.
Set wiz = WScript.CreateObject("quibor15.clsQuiborWizardA", "wiz_")
Set wiz.WindowObject = frm
Set wiz.FrameObject = steps
wiz.MaxFrameIndex = 5
wiz.Title = "Setup"
wiz.AddTopPane = True
wiz.KeyPreview = True
wiz.ShowFirstFrameButton = True

Set titles = CreateObject("VBA.Collection")
titles.Add "Welcome"
titles.Add "Licence"
titles.Add "Destination"
Set wiz.mcolFrameObjectTitles = titles
Set messages = CreateObject("VBA.Collection")
messages.Add "This wizard installs the product."
messages.Add "Please read the licence."
messages.Add "Choose where to install."
Set wiz.mcolFrameObjectMessages = messages

' What each step shows, placed inside its frame.
Function Place(progid, name, frame, l, t, w, h)
    Dim c
    Set c = frm.Controls.Add(progid, name, steps(frame))
    c.Move l, t, w, h
    c.Visible = True
    Set Place = c
End Function
Place("VB.Label", "lblWelcome", 0, 500, 400, 7000, 900).Caption = _
    "Welcome to Setup. Click Next to continue, or Cancel to leave Setup."
With Place("VB.ListBox", "lstLicence", 1, 500, 300, 7400, 2000)
    .AddItem "1. You may install the product on one computer."
    .AddItem "2. You may make one copy for backup."
    .AddItem "3. The product comes without warranty."
    .ListIndex = 0
End With
Place("VB.Label", "lblFolder", 2, 500, 400, 1500, 300).Caption = "&Folder:"
Place("VB.TextBox", "txtFolder", 2, 2000, 360, 5000, 315).Text = "C:\Program Files\Setup"
Place("VB.Label", "lblDone", 5, 3000, 1500, 5000, 900).Caption = _
    "Setup has everything it needs. Click Finish to install the product."

wiz.Create
frm.Show
WScript.Echo "Form:", frm.Caption, frm.Width & " x " & frm.Height, "twips"

Dim btnNext
Set btnNext = frm.Controls("moNextFrameButton")

' Next, Next: steps 1 and 2. The step after them is the closing page
' (MaxFrameIndex - 2), which shows the last frame across the window.
User.Click btnNext
User.Click btnNext
User.Click btnNext
WScript.Echo "Next button reads", btnNext.Caption

' Page Down goes back one step, Page Up forward again.
User.KeyDown frm, 34
User.KeyDown frm, 33

' Finish: refused the first time, accepted the second.
User.Click btnNext
WScript.Echo "Forms loaded:", Forms.Count
User.Click btnNext
WScript.Echo "Forms loaded:", Forms.Count

Sub wiz_NextFrameButtonClick()
    WScript.Echo "Next clicked on step", wiz.CurrentFrame
End Sub

Sub wiz_BeforeFrameShow(Index, Cancel)
    WScript.Echo "  about to show step", Index
End Sub

Sub wiz_AfterFrameShow(Index)
    If Index = wiz.MaxFrameIndex - 2 Then
        WScript.Echo "  showing the closing page (frame", steps.UBound & ")"
    Else
        WScript.Echo "  showing step", Index & ":", wiz.TopPaneTitleObject.Caption, "-", _
            wiz.TopPaneMessageObject.Caption
    End If
End Sub

Sub wiz_FinishFrameButtonClick(Cancel)
    finishAttempts = finishAttempts + 1
    If finishAttempts = 1 Then
        WScript.Echo "Finish clicked: not yet"
        Cancel = True
    Else
        WScript.Echo "Finish clicked: done"
    End If
End Sub
