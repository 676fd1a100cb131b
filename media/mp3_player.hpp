// clsQuiborWUIMMMP3A: plays one audio file through the multimedia command
// service, addressing the device by the file name itself in double quotes
// (no alias), and reports position and length as numbers or clock texts.
// Service return codes are dropped, and every member but MP3Play goes on
// past a failing statement. The same class keeps a playlist in a list box
// (mp3_playlist.cpp); those members use none of the player's state.
#pragma once

#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborWUIMMMP3A final : public _clsQuiborWUIMMMP3A {
public:
    static constexpr size_t kStatusLength = 30;
    static constexpr size_t kLengthReplyLength = 128;

    explicit clsQuiborWUIMMMP3A(ContextPtr context);

    // The file to play; the class never changes it.
    String get_MP3File() override { return mp3_file_; }
    void let_MP3File(String value) override { mp3_file_ = std::move(value); }

    // --- playlists and list helpers

    // The text after the last backslash (all of it without one, "" when it
    // ends with one). Error 6 for a backslash after position 32767.
    String GetLastBackSlash(String& text) override;
    // Appends to List1 the bare file name (no folder, no extension) of each
    // entry of List2, in order; a name without an extension is kept whole.
    // Errors reach the caller.
    void ListNoChar(ObjectRef& List1, ObjectRef& List2) override;
    // Appends the lines of a playlist file to the list box (trailing blanks
    // dropped); reports nothing.
    Variant MP3OpenPlayList(String& TheFile, Variant& TheListBox) override;
    // Writes the entries of the list box to a playlist file, one line each
    // ending in CR LF, in the ANSI code page; reports nothing.
    Variant MP3SavePlayList(String& TheFile, Variant& TheListBox) override;

    // --- the player

    // The status reply begins with "playing"; addresses the device named by
    // the last member that named one. False on any failure.
    Boolean MP3Playing() override;
    // Second (seconds) becomes Second * 1000 in the caller's variable, by
    // the runtime's Variant multiplication; a playing file plays on from
    // there, any other is positioned there.
    Variant MP3ChangePositionTo(Variant& Second) override;
    // The position in seconds rounded half to even: "00" to "09" as text
    // up to 9 s, a Double above ("0" alone when the reply is no number).
    Variant MP3PositionInSec() override;
    // The position in milliseconds, as a Double.
    Variant MP3PositionInMS() override;
    // The length as [h:]mm:ss; Empty when it does not fit a Long.
    Variant MP3Duration() override;
    // The length in seconds rounded half to even, as a Double; Empty when
    // the reply is no number.
    Variant MP3DurationInSec() override;
    // The length in milliseconds, as a Double.
    Variant MP3DurationInMs() override;
    // The position as m:ss below a minute, else mm:ss with the minutes
    // unsplit ("62:05").
    Variant MP3Position() override;
    // Closes the device last named, then opens and plays the file from its
    // beginning. Run-time errors reach the caller.
    void MP3Play() override;
    void MP3Stop() override;
    // Plays on from the current position.
    void MP3Resume() override;
    // Stops the device (it stays open and keeps its position).
    void MP3Pause() override;

private:
    // DeviceName from MP3File: blanks around removed, in double quotes.
    void RenameDevice();
    // A command without a reply; its code is dropped.
    void Command(const String& command);
    // The time format set to milliseconds, then the position asked into
    // `buffer`.
    void QueryPosition(String& buffer);
    // The length asked into a fresh buffer (time format ms), then the time
    // format left at frames. Returns the buffer.
    String QueryLength();
    // The clock text of a length: [h:]mm:ss.
    String MP3FormatTime(Long milliseconds);

    String mp3_file_;
    String device_name_;
    String playing_buffer_;
    String position_sec_buffer_;
    String position_ms_buffer_;
    String position_buffer_;
};

}  // namespace quibor15
