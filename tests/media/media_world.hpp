// A staged world for the media tests: a headless forms runtime (message
// boxes, files by number, list boxes, a settable clock and event pump) and a
// simulated Windows whose multimedia service records every command and
// answers with staged replies.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string_view>
#include <vector>

#include "frame/core/expect_error.hpp"
#include "media/movie_controller.hpp"
#include "media/mp3_player.hpp"
#include "platform/headless/headless_runtime.hpp"
#include "platform/sim/sim_text.hpp"
#include "platform/sim/sim_windows.hpp"
#include "quibor15/context.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::testing {

using namespace std::literals;
using Commands = std::vector<String>;

// `content` followed by NULs up to `size` characters: what a reply buffer
// holds after the replies written into it.
inline String Padded(std::u16string_view content, size_t size) {
    String out(content);
    out.resize(size, u'\0');
    return out;
}
inline String Movie128(std::u16string_view content) { return Padded(content, 128); }
inline String Status30(std::u16string_view content) { return Padded(content, 30); }

// A String as readable UTF-8, NULs shown as "\0".
inline std::string Show(std::u16string_view text) {
    String visible;
    for (char16_t c : text) {
        if (c == u'\0') {
            visible += u"\\0";
        } else {
            visible += c;
        }
    }
    return sim::ToUtf8(visible);
}

class MediaWorld : public ::testing::Test {
protected:
    Ref<clsQuiborWUIMMMovieA> NewMovie() { return MakeRef<clsQuiborWUIMMMovieA>(context); }
    Ref<clsQuiborWUIMMMP3A> NewPlayer() { return MakeRef<clsQuiborWUIMMMP3A>(context); }

    Commands Sent() const { return windows->MciCommands(); }
    const std::vector<sim::MciCall>& Calls() const { return windows->Mci().Calls(); }
    void Forget() { windows->ClearLog(); }

    void Reply(const String& command, String reply, uint32_t code = 0) {
        windows->SetMciReply(command, std::move(reply), code);
    }
    void Replies(const String& command, std::vector<sim::MciReply> answers) {
        windows->QueueMciReplies(command, std::move(answers));
    }

    std::shared_ptr<headless::HeadlessRuntime> runtime = std::make_shared<headless::HeadlessRuntime>();
    std::shared_ptr<sim::SimWindows> windows = std::make_shared<sim::SimWindows>();
    ContextPtr context = std::make_shared<Context>(runtime, windows);
};

}  // namespace quibor15::testing
