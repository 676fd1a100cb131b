#include "media/mci_channel.hpp"

namespace quibor15::media {

uint32_t SendCommand(WindowsServices& windows, const String& command) {
    String no_reply = u"0";
    return windows.mciSendStringA(command, &no_reply, 0, 0);
}

uint32_t SendQuery(WindowsServices& windows, const String& command, String& buffer) {
    return windows.mciSendStringA(command, &buffer, static_cast<uint32_t>(buffer.size()), 0);
}

bool ReportsPlaying(std::u16string_view buffer) noexcept { return buffer.substr(0, 7) == u"playing"; }

}  // namespace quibor15::media
