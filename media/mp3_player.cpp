#include "media/mp3_player.hpp"

#include "media/clock_text.hpp"
#include "media/mci_channel.hpp"
#include "media/skip_errors.hpp"
#include "media/variant_math.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

using media::IgnoreErrors;

namespace {

constexpr double kMillisecondsPerSecond = 1000.0;

}  // namespace

clsQuiborWUIMMMP3A::clsQuiborWUIMMMP3A(ContextPtr context)
    : _clsQuiborWUIMMMP3A(std::move(context)),
      playing_buffer_(kStatusLength, u'\0'),
      position_sec_buffer_(kStatusLength, u'\0'),
      position_ms_buffer_(kStatusLength, u'\0'),
      position_buffer_(kStatusLength, u'\0') {}

void clsQuiborWUIMMMP3A::RenameDevice() { device_name_ = u"\"" + TrimBlanks(mp3_file_) + u"\""; }

void clsQuiborWUIMMMP3A::Command(const String& command) { media::SendCommand(Windows(), command); }

void clsQuiborWUIMMMP3A::QueryPosition(String& buffer) {
    IgnoreErrors([&] { Command(u"set " + device_name_ + u" time format milliseconds"); });
    IgnoreErrors([&] { media::SendQuery(Windows(), u"status " + device_name_ + u" position", buffer); });
}

String clsQuiborWUIMMMP3A::QueryLength() {
    // The fresh buffer goes with the time-format command too, so its empty
    // reply is there until the length replaces it. The device is left at
    // frames.
    String buffer(kLengthReplyLength, u'\0');
    IgnoreErrors([&] { media::SendQuery(Windows(), u"set " + device_name_ + u" time format ms", buffer); });
    IgnoreErrors([&] { media::SendQuery(Windows(), u"status " + device_name_ + u" length", buffer); });
    IgnoreErrors([&] { Command(u"set " + device_name_ + u" time format frames"); });
    return buffer;
}

String clsQuiborWUIMMMP3A::MP3FormatTime(Long milliseconds) {
    String text;
    IgnoreErrors([&] { RenameDevice(); });
    IgnoreErrors([&] { text = media::PlayerClockText(milliseconds); });
    return text;
}

// --- state queries

Boolean clsQuiborWUIMMMP3A::MP3Playing() {
    bool playing = false;
    IgnoreErrors([&] { media::SendQuery(Windows(), u"status " + device_name_ + u" mode", playing_buffer_); });
    IgnoreErrors([&] { playing = media::ReportsPlaying(playing_buffer_); });
    return Boolean::From(playing);
}

Variant clsQuiborWUIMMMP3A::MP3ChangePositionTo(Variant& Second) {
    const NumberFormat fmt = ArgumentNumberFormat();
    auto position_text = [&] { return media::ConcatenationText(Second, fmt); };
    bool play_sent = false;
    IgnoreErrors([&] { RenameDevice(); });
    // A value that cannot be multiplied stays as it was, and the commands
    // below use it unchanged.
    IgnoreErrors([&] { Second.Assign(media::TimesThousand(Second, fmt)); });
    IgnoreErrors([&] { Command(u"set " + device_name_ + u" time format milliseconds"); });
    IgnoreErrors([&] {
        if (MP3Playing().IsTrue()) {
            Command(u"play " + device_name_ + u" from " + position_text());
            play_sent = true;
        }
    });
    IgnoreErrors([&] {
        if (!MP3Playing().IsTrue()) {
            Command(u"seek " + device_name_ + u" to " + position_text());
        } else if (!play_sent) {
            // It began to play between the two questions: it plays on from
            // the position instead of losing the move.
            Command(u"play " + device_name_ + u" from " + position_text());
        }
    });
    return Variant();
}

Variant clsQuiborWUIMMMP3A::MP3PositionInSec() {
    const NumberFormat fmt = ArgumentNumberFormat();
    Variant result;
    Variant seconds;  // stays Empty when the reply is no number
    IgnoreErrors([&] { RenameDevice(); });
    QueryPosition(position_sec_buffer_);
    IgnoreErrors(
        [&] { seconds = Variant(RoundHalfEven(StrictNumber(position_sec_buffer_, fmt) / kMillisecondsPerSecond)); });
    IgnoreErrors([&] {
        const double value = seconds.IsEmpty() ? 0.0 : *seconds.As<Double>();
        // Values up to 9 become two characters wide.
        if (value <= 9) {
            result = Variant(u"0" + media::ConcatenationText(seconds, fmt));
        } else {
            result = seconds;
        }
    });
    return result;
}

Variant clsQuiborWUIMMMP3A::MP3PositionInMS() {
    Variant result;
    IgnoreErrors([&] { RenameDevice(); });
    QueryPosition(position_ms_buffer_);
    IgnoreErrors([&] { result = Variant(LeadingNumber(position_ms_buffer_)); });
    return result;
}

Variant clsQuiborWUIMMMP3A::MP3Position() {
    Variant result;
    Long seconds = 0;
    IgnoreErrors([&] { RenameDevice(); });
    QueryPosition(position_buffer_);
    IgnoreErrors([&] {
        seconds =
            ToLong(RoundHalfEven(StrictNumber(position_buffer_, ArgumentNumberFormat()) / kMillisecondsPerSecond));
    });
    IgnoreErrors([&] { result = Variant(media::PlayerPositionText(seconds)); });
    return result;
}

Variant clsQuiborWUIMMMP3A::MP3Duration() {
    Variant result;
    IgnoreErrors([&] { RenameDevice(); });
    const String reply = QueryLength();
    IgnoreErrors([&] { result = Variant(MP3FormatTime(ToLong(LeadingNumber(reply)))); });
    return result;
}

Variant clsQuiborWUIMMMP3A::MP3DurationInSec() {
    Variant result;
    IgnoreErrors([&] { RenameDevice(); });
    const String reply = QueryLength();
    IgnoreErrors(
        [&] { result = Variant(RoundHalfEven(StrictNumber(reply, ArgumentNumberFormat()) / kMillisecondsPerSecond)); });
    return result;
}

Variant clsQuiborWUIMMMP3A::MP3DurationInMs() {
    Variant result;
    IgnoreErrors([&] { RenameDevice(); });
    const String reply = QueryLength();
    IgnoreErrors([&] { result = Variant(LeadingNumber(reply)); });
    return result;
}

// --- playback

void clsQuiborWUIMMMP3A::MP3Play() {
    // The close still names the device of the previous operation ("close "
    // alone on first use); the file is opened afresh, so it plays from its
    // beginning.
    Command(u"close " + device_name_);
    RenameDevice();
    Command(u"open " + device_name_);
    Command(u"play " + device_name_);
}

void clsQuiborWUIMMMP3A::MP3Stop() {
    IgnoreErrors([&] { RenameDevice(); });
    IgnoreErrors([&] { Command(u"close " + device_name_); });
}

void clsQuiborWUIMMMP3A::MP3Resume() {
    IgnoreErrors([&] { RenameDevice(); });
    IgnoreErrors([&] { Command(u"play " + device_name_); });
}

void clsQuiborWUIMMMP3A::MP3Pause() {
    IgnoreErrors([&] { RenameDevice(); });
    IgnoreErrors([&] { Command(u"Stop " + device_name_); });
}

}  // namespace quibor15
