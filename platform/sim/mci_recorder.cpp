#include "platform/sim/mci_recorder.hpp"

namespace quibor15::sim {

void MciRecorder::SetReply(const String& command, MciReply answer) { fixed_[command] = std::move(answer); }

void MciRecorder::QueueReplies(const String& command, std::vector<MciReply> answers) {
    auto& queue = queued_[command];
    for (MciReply& a : answers) queue.push_back(std::move(a));
}

void MciRecorder::ClearStaging() {
    fixed_.clear();
    queued_.clear();
    default_ = MciReply{};
}

MciReply MciRecorder::Send(const String& command, bool has_buffer, uint32_t reply_length, Handle callback) {
    MciReply answer = default_;
    if (auto q = queued_.find(command); q != queued_.end() && !q->second.empty()) {
        answer = std::move(q->second.front());
        q->second.pop_front();
    } else if (auto f = fixed_.find(command); f != fixed_.end()) {
        answer = f->second;
    }
    calls_.push_back(MciCall{command, has_buffer, reply_length, callback, answer});
    return answer;
}

std::vector<String> MciRecorder::Commands() const {
    std::vector<String> out;
    out.reserve(calls_.size());
    for (const MciCall& c : calls_) out.push_back(c.command);
    return out;
}

std::optional<String> MciRecorder::ErrorText(uint32_t code) {
    switch (code) {
        case 0:
            return u"The command completed without error.";
        case mcierr::kInvalidDeviceId:
            return u"The device identifier is not valid.";
        case mcierr::kUnrecognizedKeyword:
            return u"The command contains a keyword the device does not understand.";
        case mcierr::kUnrecognizedCommand:
            return u"The device does not know this command.";
        case mcierr::kHardware:
            return u"The media device reported a hardware problem.";
        case mcierr::kInvalidDeviceName:
            return u"The specified device is not open or is not recognized.";
        case mcierr::kOutOfMemory:
            return u"There is not enough memory for this command.";
        case mcierr::kDeviceOpen:
            return u"The alias is already in use by an open device.";
        case mcierr::kCannotLoadDriver:
            return u"The driver for the device could not be loaded.";
        case mcierr::kMissingCommandString:
            return u"No command was given.";
        case mcierr::kBadInteger:
            return u"A number in the command is not valid.";
        case mcierr::kMissingParameter:
            return u"The command is missing a parameter it needs.";
        case mcierr::kUnsupportedFunction:
            return u"The device cannot carry out this command.";
        case mcierr::kFileNotFound:
            return u"The file could not be found.";
        case mcierr::kDeviceNotReady:
            return u"The device is not ready.";
        case mcierr::kOutOfRange:
            return u"A value in the command lies outside the allowed range.";
        case mcierr::kDuplicateAlias:
            return u"Another device already uses this alias.";
        case mcierr::kBadTimeFormat:
            return u"The time format is not valid for this device.";
        case mcierr::kNoClosingQuote:
            return u"A quoted text in the command has no closing quote.";
        case mcierr::kInvalidFile:
            return u"The file is not in a format the device can play.";
        case mcierr::kExtraCharacters:
            return u"Text in quotes must stand alone in the command.";
        case mcierr::kDeviceNotInstalled:
            return u"The device is not installed on this system.";
        default:
            return std::nullopt;
    }
}

String MciRecorder::UnknownErrorText() { return u"Unknown error code."; }

}  // namespace quibor15::sim
