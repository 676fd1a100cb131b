// How the media classes talk to the multimedia command service: a command
// without a reply, or a query whose reply lands at the start of a buffer the
// caller keeps. Every call names callback window 0.
#pragma once

#include <cstdint>
#include <string_view>

#include "quibor15/windows_services.hpp"

namespace quibor15::media {

// Sends a command that wants no reply: the buffer is the one-character text
// "0" with length 0, so the service writes nothing. Returns the service's
// code.
uint32_t SendCommand(WindowsServices& windows, const String& command);

// Sends a query with `buffer` and its whole size as the reply length. The
// reply and its NUL are written from the buffer's first character; what the
// buffer held beyond them stays. Returns the service's code.
uint32_t SendQuery(WindowsServices& windows, const String& command, String& buffer);

// True when the first seven characters of a reply buffer are "playing"
// (the exact word, case-sensitive).
bool ReportsPlaying(std::u16string_view buffer) noexcept;

}  // namespace quibor15::media
