// The multimedia command service as a recorder: every command is kept, and
// the replies and return codes are staged per exact command text. The
// texts of the common MCI error codes are plain English of this module.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <vector>

#include "quibor15/windows_services.hpp"

namespace quibor15::sim {

// MCI error codes (MCIERR_BASE 256 plus the offset).
namespace mcierr {
inline constexpr uint32_t kInvalidDeviceId = 257;
inline constexpr uint32_t kUnrecognizedKeyword = 259;
inline constexpr uint32_t kUnrecognizedCommand = 261;
inline constexpr uint32_t kHardware = 262;
inline constexpr uint32_t kInvalidDeviceName = 263;
inline constexpr uint32_t kOutOfMemory = 264;
inline constexpr uint32_t kDeviceOpen = 265;
inline constexpr uint32_t kCannotLoadDriver = 266;
inline constexpr uint32_t kMissingCommandString = 267;
inline constexpr uint32_t kBadInteger = 270;
inline constexpr uint32_t kMissingParameter = 273;
inline constexpr uint32_t kUnsupportedFunction = 274;
inline constexpr uint32_t kFileNotFound = 275;
inline constexpr uint32_t kDeviceNotReady = 276;
inline constexpr uint32_t kOutOfRange = 282;
inline constexpr uint32_t kDuplicateAlias = 289;
inline constexpr uint32_t kBadTimeFormat = 293;
inline constexpr uint32_t kNoClosingQuote = 294;
inline constexpr uint32_t kInvalidFile = 296;
inline constexpr uint32_t kExtraCharacters = 305;
inline constexpr uint32_t kDeviceNotInstalled = 306;
}  // namespace mcierr

struct MciReply {
    String reply;
    uint32_t code = 0;
    friend bool operator==(const MciReply&, const MciReply&) = default;
};

// One command as the service received it.
struct MciCall {
    String command;
    bool has_buffer = false;  // a reply buffer was passed
    uint32_t reply_length = 0;
    Handle callback = 0;
    MciReply answer;  // what the service answered
};

class MciRecorder {
public:
    // The reply and code for one exact command text, on every send.
    void SetReply(const String& command, MciReply answer);
    // Replies consumed one per send, before the fixed reply of SetReply (or
    // the default) answers again.
    void QueueReplies(const String& command, std::vector<MciReply> answers);
    // The answer to a command nothing was staged for (initially "" and 0).
    void SetDefault(MciReply answer) { default_ = std::move(answer); }
    void ClearStaging();

    // Records a command and returns its answer.
    MciReply Send(const String& command, bool has_buffer, uint32_t reply_length, Handle callback);

    const std::vector<MciCall>& Calls() const noexcept { return calls_; }
    std::vector<String> Commands() const;
    void ClearCalls() noexcept { calls_.clear(); }

    // The message text of an error code; nullopt for a code without one.
    static std::optional<String> ErrorText(uint32_t code);
    // The text for a code without one.
    static String UnknownErrorText();

private:
    std::map<String, MciReply> fixed_;
    std::map<String, std::deque<MciReply>> queued_;
    MciReply default_;
    std::vector<MciCall> calls_;
};

}  // namespace quibor15::sim
