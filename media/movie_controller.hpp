// clsQuiborWUIMMMovieA: one movie at a time through the multimedia command
// service, opened under the alias "movie" as an mpegvideo device. Each
// member sends one or a few command strings, keeps the service's return
// code in Error and, for queries, reads the reply from one 128-character
// buffer that lives as long as the object and is never cleared (a shorter
// reply leaves the tail of a longer earlier one after its NUL). Position,
// mode, time format and window live in the service and are asked for anew.
#pragma once

#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborWUIMMMovieA final : public _clsQuiborWUIMMMovieA {
public:
    static constexpr size_t kReplyLength = 128;
    static constexpr size_t kErrorTextLength = 255;

    explicit clsQuiborWUIMMMovieA(ContextPtr context);

    // Plain fields: the code of the last stored command (0 on a new object)
    // and the movie file (the open members store it back quoted).
    Long get_Error() override { return error_; }
    void let_Error(Long value) override { error_ = value; }
    String get_Filename() override { return filename_; }
    void let_Filename(String value) override { filename_ = std::move(value); }

    // Commands with a number; no range check.
    Variant stepFrames(Long& Value) override;
    Variant setVolume(Long& Value) override;
    Variant setSpeed(Long& Value) override;
    Variant setLeftVolume(Long& Value) override;
    Variant setRightVolume(Long& Value) override;
    Variant sizeLocateMovie(Long& Left, Long& Top, Long& Width, Long& Height) override;

    // Encloses Filename in double quotes (stored back, so each call adds a
    // pair), closes the alias, then opens the file under it; the window
    // form names the parent window and passes the style verbatim.
    Variant openMovie() override;
    Variant openMovieWindow(Long& hWnd, String& WindowStyle) override;

    // Plain commands.
    Variant restoreSizeDefault() override;
    Variant minimizeMovie() override;
    Variant playMovie() override;
    Variant hideMovie() override;
    Variant showMovie() override;
    Variant restoreMovie() override;
    Variant stopMovie() override;
    Variant playFullScreen() override;
    Variant setVideoOff() override;
    Variant setVideoOn() override;
    Variant pauseMovie() override;
    Variant resumeMovie() override;
    // "close all": every device the process has open, not only the alias.
    Variant closeMovie() override;
    Variant setAudioOff() override;
    Variant setAudioOn() override;
    Variant setLeftOff() override;
    Variant setRightOff() override;
    Variant setLeftOn() override;
    Variant setRightOn() override;
    // The CD audio device's door.
    Variant setDoorOpen() override;
    Variant setDoorClosed() override;

    // Width and height from the four numbers of the size reply; left and
    // top stay as they were. Never raises: a failing step leaves its
    // output unchanged.
    Variant extractCurrentMovieSize(Long& wLeft, Long& wTop, Long& wWidth, Long& wHeight) override;
    Variant extractDefaultMovieSize(Long& wWidth, Long& wHeight) override;

    // Text queries: the whole reply buffer (reply, NUL, older tail).
    String getMovieInput() override;
    String getMovieOutput() override;
    String getAudioStatus() override;
    String getDeviceName() override;
    String getDeviceVersion() override;
    String getCurrentSize() override;
    String getDefaultSize() override;
    String getVideoStatus() override;
    String getTimeFormat() override;
    String checkDeviceReady() override;
    // The mode buffer in proper case.
    String getStatus() override;
    // The mode reply begins with "playing".
    Boolean isMoviePlaying() override;

    // Numeric queries: the number at the start of the reply, rounded half
    // to even (error 6 outside the Long range).
    Variant getBitsPerPixel() override;
    Long getNominalFrameRate() override;
    // The nominal rate divided by 1000, truncated.
    Long getFramePerSecRate() override;
    Long getRate() override;
    Long getVolume() override;
    Long getLeftVolume() override;
    // The reply up to its NUL must be a number: error 13 otherwise.
    Long getRightVolume() override;
    Long getLengthInFrames() override;
    Long getLengthInMS() override;
    Long getPositionInMS() override;
    Long getPositionInFrames() override;
    // Milliseconds divided by 1000, truncated (1999 ms gives 1).
    Long getLengthInSec() override;
    Long getPositionInSec() override;
    // Clock texts of the length and position ([h:]m:ss, seconds rounded).
    String getFormatLength() override;
    String getFormatPosition() override;

    // The message text of Error in 255 characters: text, NUL, blanks.
    String checkError() override;

    // Second becomes Second * 1000 in the caller's variable (error 6 and
    // nothing sent when the product leaves the Long range); a playing movie
    // plays on from there, any other is positioned there. Error holds the
    // code of the play or seek command.
    Variant setPositionTo(Long& Second) override;
    Variant restartMovie() override;

    // Play from the current position moved by the amount, with Long
    // arithmetic (error 6 before the play command when it overflows); the
    // target is not clamped.
    Variant rewindByMS(Long& numMS) override;
    Variant rewindByFrames(Long& numFrames) override;
    Variant rewindBySeconds(Long& numSec) override;
    Variant forwardByFrames(Long& numFrames) override;
    Variant forwardByMS(Long& numMS) override;
    Variant forwardBySeconds(Long& numSec) override;

    // Blocks for about `duration` seconds (within half a second, the start
    // being rounded to a whole second), letting the host handle its events
    // once per pass; a wait across midnight ends on time too. Null returns
    // at once; text that is no number raises 13.
    void timeOut(Variant& duration) override;

private:
    // Sends a command without a reply and stores its code.
    Variant Command(const String& command);
    // Sends a query into the reply buffer, stores its code and returns the
    // whole buffer.
    const String& Query(const String& command);
    // A number read from the start of the reply to `command`, rounded.
    Long NumericQuery(const String& command);
    // The clock text of a millisecond count; a run-time error inside shows
    // a message box and gives "".
    String formatTime(Long milliseconds);
    // Width and height from a size reply.
    static void ExtractSize(const String& reply, Long& width, Long& height);
    // Opens Filename (quoted first) with the text after the file name.
    Variant Open(const String& tail);
    Variant PlayFrom(Long target);

    Long error_ = 0;
    String filename_;
    String reply_buffer_;
};

}  // namespace quibor15
