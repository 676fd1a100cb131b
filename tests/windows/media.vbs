' The movie controller and the MP3 player against the system's real
' multimedia service: a 5-second tone as WAV and as MP3 in the folder the
' runner passes, played into a sound device that discards it.
Option Explicit

Sub Check(name, actual, expected)
    If CStr(actual) = CStr(expected) Then
        WScript.Echo "ok - " & name
    Else
        WScript.Echo "not ok - " & name & ": got [" & CStr(actual) & "], expected [" & CStr(expected) & "]"
    End If
End Sub

' The text of a reply buffer up to its terminating NUL.
Function Reply(buffer)
    Dim nul
    nul = InStr(buffer, Chr(0))
    If nul > 0 Then Reply = Left(buffer, nul - 1) Else Reply = buffer
End Function

Function Near(actual, expected, tolerance)
    Near = Abs(actual - expected) <= tolerance
End Function

Dim folder, movie, length, p1, p2, seconds
folder = WScript.Arguments(0)

' ---- the movie controller on the WAV, opened as an MPEG video device
Set movie = CreateObject("quibor15.clsQuiborWUIMMMovieA")
movie.Filename = folder & "\tone.wav"
movie.openMovie
Check "openMovie opens the WAV", movie.Error, 0
Check "Filename keeps the quoted name", movie.Filename, """" & folder & "\tone.wav"""
length = movie.getLengthInMS
Check "getLengthInMS is the file's length (" & length & ")", Near(length, 5000, 50), True
Check "getLengthInSec", movie.getLengthInSec, 5
Check "getFormatLength", movie.getFormatLength, "0:05"
' Replies go into one 128-character buffer up to their NUL; the rest of
' an earlier, longer reply stays behind it.
Check "the reply buffer keeps its size", Len(movie.getTimeFormat), 128
Check "getTimeFormat after the length in ms", Reply(movie.getTimeFormat), "milliseconds"
Check "getStatus of an opened file, tail included", Replace(Left(movie.getStatus, 12), Chr(0), "|"), "Stopped|Onds"
Check "isMoviePlaying before play", movie.isMoviePlaying, False

movie.playMovie
Check "playMovie", movie.Error, 0
Check "isMoviePlaying", movie.isMoviePlaying, True
Check "getStatus while playing", Reply(movie.getStatus), "Playing"
WScript.Sleep 700
p1 = movie.getPositionInMS
Check "the position advances while playing (" & p1 & ")", p1 > 200 And p1 < 5000, True

movie.pauseMovie
Check "pauseMovie", movie.Error, 0
Check "getStatus when paused", Reply(movie.getStatus), "Paused"
p1 = movie.getPositionInMS
WScript.Sleep 400
p2 = movie.getPositionInMS
Check "the position stands while paused", p2, p1
movie.resumeMovie
Check "resumeMovie", movie.isMoviePlaying, True
WScript.Sleep 400
Check "the position advances again", movie.getPositionInMS > p2, True

' Playing: setPositionTo plays on from the new position, its argument
' now in milliseconds.
seconds = CLng(3)
movie.setPositionTo seconds
Check "setPositionTo while playing", movie.Error, 0
Check "its argument in milliseconds", seconds, 3000
Check "it plays on", movie.isMoviePlaying, True
p1 = movie.getPositionInMS
Check "from the new position (" & p1 & ")", p1 >= 3000 And p1 < 5000, True
Check "getFormatPosition", movie.getFormatPosition, "0:03"

movie.stopMovie
Check "stopMovie", movie.isMoviePlaying, False
' Not playing: setPositionTo seeks. Some versions of the service cannot
' seek a stream to a position and say so; the code is kept either way.
seconds = CLng(2)
movie.setPositionTo seconds
If movie.Error = 0 Then
    Check "setPositionTo seeks when stopped", movie.getPositionInMS, 2000
Else
    Check "setPositionTo keeps the service's refusal", Len(Trim(Replace(movie.checkError, Chr(0), ""))) > 0, True
End If

movie.closeMovie
Check "closeMovie", movie.Error, 0
Check "a closed movie answers with an error", movie.getStatus = "" Or movie.Error <> 0, True
Check "whose text comes from the system", Len(Trim(Replace(movie.checkError, Chr(0), ""))) > 0, True

' ---- the MP3 player on the MP3
Dim player, ms, second
Set player = CreateObject("quibor15.clsQuiborWUIMMMP3A")
player.MP3File = folder & "\tone.mp3"
player.MP3Play
Check "MP3Playing after MP3Play", player.MP3Playing, True
ms = player.MP3DurationInMs
Check "MP3DurationInMs is the file's length (" & ms & ")", Near(ms, 5000, 150), True
Check "MP3DurationInSec", player.MP3DurationInSec, 5
Check "MP3Duration", player.MP3Duration, "00:05"
WScript.Sleep 700
ms = player.MP3PositionInMS
Check "MP3PositionInMS advances (" & ms & ")", ms > 200 And ms < 5000, True
Check "MP3PositionInSec is two characters", Len(player.MP3PositionInSec), 2
Check "MP3Position", Left(player.MP3Position, 3), "0:0"

player.MP3Pause
Check "MP3Pause stops it", player.MP3Playing, False
ms = player.MP3PositionInMS
WScript.Sleep 400
Check "the position stands while paused", player.MP3PositionInMS, ms
player.MP3Resume
Check "MP3Resume plays on", player.MP3Playing, True
Check "from where it was", player.MP3PositionInMS >= ms, True

second = 3
player.MP3ChangePositionTo second
Check "MP3ChangePositionTo's argument in milliseconds", second, 3000
Check "MP3ChangePositionTo while playing plays on", player.MP3Playing, True
Check "from the new position", player.MP3PositionInMS >= 3000, True

' Stopped first: Wine's service can crash closing a device that plays.
player.MP3Pause
player.MP3Stop
Check "MP3Stop closes it", player.MP3Playing, False
WScript.Echo "DONE"
