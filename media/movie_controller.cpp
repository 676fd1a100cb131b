#include "media/movie_controller.hpp"

#include <new>

#include "media/clock_text.hpp"
#include "media/mci_channel.hpp"
#include "media/skip_errors.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr Long kMillisecondsPerSecond = 1000;
constexpr int32_t kOutOfMemory = 7;

String Number(Long value) { return DecimalText(value); }

}  // namespace

clsQuiborWUIMMMovieA::clsQuiborWUIMMMovieA(ContextPtr context)
    : _clsQuiborWUIMMMovieA(std::move(context)), reply_buffer_(kReplyLength, u'\0') {}

// --- sending

Variant clsQuiborWUIMMMovieA::Command(const String& command) {
    error_ = static_cast<Long>(media::SendCommand(Windows(), command));
    return Variant();
}

const String& clsQuiborWUIMMMovieA::Query(const String& command) {
    error_ = static_cast<Long>(media::SendQuery(Windows(), command, reply_buffer_));
    return reply_buffer_;
}

Long clsQuiborWUIMMMovieA::NumericQuery(const String& command) { return ToLong(LeadingNumber(Query(command))); }

Variant clsQuiborWUIMMMovieA::PlayFrom(Long target) { return Command(u"play movie from " + Number(target)); }

// --- commands with numbers

Variant clsQuiborWUIMMMovieA::stepFrames(Long& Value) { return Command(u"step movie by " + Number(Value)); }

Variant clsQuiborWUIMMMovieA::setVolume(Long& Value) { return Command(u"setaudio movie volume to " + Number(Value)); }

Variant clsQuiborWUIMMMovieA::setSpeed(Long& Value) { return Command(u"set movie speed " + Number(Value)); }

Variant clsQuiborWUIMMMovieA::setLeftVolume(Long& Value) {
    return Command(u"setaudio movie left volume to " + Number(Value));
}

Variant clsQuiborWUIMMMovieA::setRightVolume(Long& Value) {
    return Command(u"setaudio movie right volume to " + Number(Value));
}

Variant clsQuiborWUIMMMovieA::sizeLocateMovie(Long& Left, Long& Top, Long& Width, Long& Height) {
    return Command(u"put movie window at " + Number(Left) + u" " + Number(Top) + u" " + Number(Width) + u" " +
                   Number(Height));
}

// --- opening

Variant clsQuiborWUIMMMovieA::Open(const String& tail) {
    // The quoted name is kept in the property: a caller opening twice sets
    // Filename again in between.
    filename_ = u"\"" + filename_ + u"\"";
    Command(u"close movie");
    return Command(u"open " + filename_ + u" type mpegvideo alias movie" + tail);
}

Variant clsQuiborWUIMMMovieA::openMovie() { return Open(String()); }

Variant clsQuiborWUIMMMovieA::openMovieWindow(Long& hWnd, String& WindowStyle) {
    return Open(u" parent " + Number(hWnd) + u" style " + WindowStyle + u" ");
}

// --- plain commands

Variant clsQuiborWUIMMMovieA::restoreSizeDefault() { return Command(u"put movie window"); }
Variant clsQuiborWUIMMMovieA::minimizeMovie() { return Command(u"window movie state minimized"); }
Variant clsQuiborWUIMMMovieA::playMovie() { return Command(u"play movie"); }
Variant clsQuiborWUIMMMovieA::hideMovie() { return Command(u"window movie state hide"); }
Variant clsQuiborWUIMMMovieA::showMovie() { return Command(u"window movie state show"); }
Variant clsQuiborWUIMMMovieA::restoreMovie() { return Command(u"window movie state restore"); }
Variant clsQuiborWUIMMMovieA::stopMovie() { return Command(u"stop movie"); }
Variant clsQuiborWUIMMMovieA::playFullScreen() { return Command(u"play movie fullscreen"); }
Variant clsQuiborWUIMMMovieA::setVideoOff() { return Command(u"set all video off"); }
Variant clsQuiborWUIMMMovieA::setVideoOn() { return Command(u"set all video on"); }
Variant clsQuiborWUIMMMovieA::pauseMovie() { return Command(u"pause movie"); }
Variant clsQuiborWUIMMMovieA::resumeMovie() { return Command(u"resume movie"); }
Variant clsQuiborWUIMMMovieA::closeMovie() { return Command(u"close all"); }
Variant clsQuiborWUIMMMovieA::setAudioOff() { return Command(u"set movie audio all off"); }
Variant clsQuiborWUIMMMovieA::setAudioOn() { return Command(u"set movie audio all on"); }
Variant clsQuiborWUIMMMovieA::setLeftOff() { return Command(u"set movie audio left off"); }
Variant clsQuiborWUIMMMovieA::setRightOff() { return Command(u"set movie audio right off"); }
Variant clsQuiborWUIMMMovieA::setLeftOn() { return Command(u"set movie audio left on"); }
Variant clsQuiborWUIMMMovieA::setRightOn() { return Command(u"set movie audio right on"); }
Variant clsQuiborWUIMMMovieA::setDoorOpen() { return Command(u"set cdaudio door open"); }
Variant clsQuiborWUIMMMovieA::setDoorClosed() { return Command(u"set cdaudio door closed"); }

// --- size extraction

void clsQuiborWUIMMMovieA::ExtractSize(const String& reply, Long& width, Long& height) {
    // The reply reads "left top width height". The search runs over the
    // whole buffer; the numbers themselves end at the reply's NUL.
    Long first_blank = 0, second_blank = 0, third_blank = 0;
    String rest;
    media::IgnoreErrors([&] { first_blank = FindText(1, reply, u" ", false); });
    media::IgnoreErrors([&] { second_blank = FindText(CheckedAdd(first_blank, 1), reply, u" ", false); });
    media::IgnoreErrors([&] { rest = MidFrom(reply, CheckedAdd(second_blank, 1)); });
    media::IgnoreErrors([&] { third_blank = FindText(1, rest, u" ", false); });
    media::IgnoreErrors([&] { width = ToLong(LeadingNumber(LeftText(rest, third_blank))); });
    // Without a blank the start position is 0, which is refused: the height
    // keeps its value.
    media::IgnoreErrors([&] { height = ToLong(LeadingNumber(MidFrom(rest, third_blank))); });
}

Variant clsQuiborWUIMMMovieA::extractCurrentMovieSize(Long&, Long&, Long& wWidth, Long& wHeight) {
    String reply;
    media::IgnoreErrors([&] { reply = getCurrentSize(); });
    ExtractSize(reply, wWidth, wHeight);
    return Variant();
}

Variant clsQuiborWUIMMMovieA::extractDefaultMovieSize(Long& wWidth, Long& wHeight) {
    String reply;
    media::IgnoreErrors([&] { reply = getDefaultSize(); });
    ExtractSize(reply, wWidth, wHeight);
    return Variant();
}

// --- text queries

String clsQuiborWUIMMMovieA::getMovieInput() { return Query(u"status movie monitor input"); }
String clsQuiborWUIMMMovieA::getMovieOutput() { return Query(u"status movie monitor output"); }
String clsQuiborWUIMMMovieA::getAudioStatus() { return Query(u"status movie audio"); }
String clsQuiborWUIMMMovieA::getDeviceName() { return Query(u"info movie product"); }
String clsQuiborWUIMMMovieA::getDeviceVersion() { return Query(u"info movie version"); }
String clsQuiborWUIMMMovieA::getCurrentSize() { return Query(u"where movie destination max"); }
String clsQuiborWUIMMMovieA::getDefaultSize() { return Query(u"where movie source"); }
String clsQuiborWUIMMMovieA::getVideoStatus() { return Query(u"status movie video"); }
String clsQuiborWUIMMMovieA::getTimeFormat() { return Query(u"status movie time format"); }
String clsQuiborWUIMMMovieA::checkDeviceReady() { return Query(u"status movie ready"); }
String clsQuiborWUIMMMovieA::getStatus() { return ProperCase(Query(u"status movie mode")); }

Boolean clsQuiborWUIMMMovieA::isMoviePlaying() {
    return Boolean::From(media::ReportsPlaying(Query(u"status movie mode")));
}

// --- numeric queries

Variant clsQuiborWUIMMMovieA::getBitsPerPixel() { return Variant(LeadingNumber(Query(u"status movie bitsperpel"))); }

Long clsQuiborWUIMMMovieA::getNominalFrameRate() { return NumericQuery(u"status movie nominal frame rate wait"); }

Long clsQuiborWUIMMMovieA::getFramePerSecRate() { return NumericQuery(u"status movie frame rate") / 1000; }

Long clsQuiborWUIMMMovieA::getRate() { return NumericQuery(u"status movie speed"); }
Long clsQuiborWUIMMMovieA::getVolume() { return NumericQuery(u"status movie volume"); }
Long clsQuiborWUIMMMovieA::getLeftVolume() { return NumericQuery(u"status movie left volume"); }

Long clsQuiborWUIMMMovieA::getRightVolume() {
    return ToLong(StrictNumber(Query(u"status movie right volume"), ArgumentNumberFormat()));
}

Long clsQuiborWUIMMMovieA::getLengthInFrames() {
    Command(u"set movie time format frames");
    return NumericQuery(u"status movie length");
}

Long clsQuiborWUIMMMovieA::getLengthInMS() {
    Command(u"set movie time format ms");
    return NumericQuery(u"status movie length");
}

Long clsQuiborWUIMMMovieA::getPositionInMS() {
    Command(u"set movie time format ms");
    return NumericQuery(u"status movie position wait");
}

Long clsQuiborWUIMMMovieA::getPositionInFrames() {
    Command(u"set movie time format frames wait");
    return NumericQuery(u"status movie position");
}

Long clsQuiborWUIMMMovieA::getLengthInSec() { return getLengthInMS() / kMillisecondsPerSecond; }
Long clsQuiborWUIMMMovieA::getPositionInSec() { return getPositionInMS() / kMillisecondsPerSecond; }

String clsQuiborWUIMMMovieA::getFormatLength() { return formatTime(getLengthInMS()); }
String clsQuiborWUIMMMovieA::getFormatPosition() { return formatTime(getPositionInMS()); }

String clsQuiborWUIMMMovieA::formatTime(Long milliseconds) {
    String description;
    try {
        return media::MovieClockText(milliseconds);
    } catch (const AutomationError& e) {
        description = e.Description();
    } catch (const std::bad_alloc&) {
        description = RuntimeErrorDescription(kOutOfMemory);
    }
    Host().MsgBox(description, mb::kOk, u" Error");
    return String();
}

// --- error text

String clsQuiborWUIMMMovieA::checkError() {
    String text(kErrorTextLength, u' ');
    Windows().mciGetErrorStringA(static_cast<uint32_t>(error_), text, kErrorTextLength);
    return text;
}

// --- positioning

Variant clsQuiborWUIMMMovieA::setPositionTo(Long& Second) {
    Second = CheckedMul(Second, kMillisecondsPerSecond);
    if (isMoviePlaying().IsTrue()) return PlayFrom(Second);
    if (!isMoviePlaying().IsTrue()) return Command(u"seek movie to " + Number(Second));
    // It began to play between the two questions: it plays on from the
    // position instead of losing the move.
    return PlayFrom(Second);
}

Variant clsQuiborWUIMMMovieA::restartMovie() {
    Command(u"seek movie to start");
    return playMovie();
}

Variant clsQuiborWUIMMMovieA::rewindByMS(Long& numMS) {
    Command(u"set movie time format ms");
    const Long position = getPositionInMS();
    return PlayFrom(CheckedSub(position, numMS));
}

Variant clsQuiborWUIMMMovieA::rewindByFrames(Long& numFrames) {
    Command(u"set movie time format frames");
    const Long position = getPositionInFrames();
    return PlayFrom(CheckedSub(position, numFrames));
}

Variant clsQuiborWUIMMMovieA::rewindBySeconds(Long& numSec) {
    Command(u"set movie time format ms");
    const Long position = getPositionInMS();
    return PlayFrom(CheckedSub(position, CheckedMul(numSec, kMillisecondsPerSecond)));
}

Variant clsQuiborWUIMMMovieA::forwardByFrames(Long& numFrames) {
    Command(u"set movie time format frames");
    const Long position = getPositionInFrames();
    return PlayFrom(CheckedAdd(position, numFrames));
}

Variant clsQuiborWUIMMMovieA::forwardByMS(Long& numMS) {
    Command(u"set movie time format ms");
    const Long position = getPositionInMS();
    return PlayFrom(CheckedAdd(position, numMS));
}

Variant clsQuiborWUIMMMovieA::forwardBySeconds(Long& numSec) {
    Command(u"set movie time format ms");
    const Long position = getPositionInMS();
    return PlayFrom(CheckedAdd(position, CheckedMul(numSec, kMillisecondsPerSecond)));
}

// --- waiting

void clsQuiborWUIMMMovieA::timeOut(Variant& duration) {
    // The clock restarts at midnight. A reading more than half a day below
    // the one before means the day turned over, and the readings after it
    // count from a day later.
    const NumberFormat fmt = ArgumentNumberFormat();
    double reading = Host().SecondsSinceMidnight();
    const double start = RoundHalfEven(reading);
    double day_offset = 0;
    for (;;) {
        const double now = Host().SecondsSinceMidnight();
        if (now < reading - kSecondsPerDay / 2) day_offset += kSecondsPerDay;
        reading = now;
        const double elapsed = now + day_offset - start;
        // The caller's variable is read on every pass, as a handler run
        // from the event loop may change it; Null never compares below.
        if (duration.Deref().IsNull()) return;
        if (!(elapsed < VariantToDouble(duration, fmt))) return;
        Host().PumpEvents();
    }
}

}  // namespace quibor15
