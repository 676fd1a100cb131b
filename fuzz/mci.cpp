// The movie controller and the MP3 player on arbitrary replies of the
// multimedia service: each command the simulated service receives is
// answered with a reply text (shorter or longer than the buffer, NULs
// included) and a return code taken from the input, while the input also
// picks the members called and their arguments.
#include "fuzz_input.hpp"
#include "media/movie_controller.hpp"
#include "media/mp3_player.hpp"
#include "members.hpp"
#include "platform/headless/headless_runtime.hpp"
#include "platform/sim/sim_windows.hpp"

namespace {

using namespace quibor15;

constexpr uint32_t kCodes[] = {257, 259, 261, 263, 265, 270, 274, 275, 276, 282, 293, 296, 305, 0xFFFFFFFF};

class ReplyingWindows final : public sim::SimWindows {
public:
    explicit ReplyingWindows(FuzzedDataProvider& in) : in_(in) {}

    uint32_t mciSendStringA(const String& command, String* reply, uint32_t reply_length, Handle callback) override {
        String text = fuzzing::TextOf(in_, 200);
        const uint32_t code = in_.ConsumeBool() ? 0 : in_.PickValueInArray(kCodes);
        SetMciDefault(std::move(text), code);
        return SimWindows::mciSendStringA(command, reply, reply_length, callback);
    }

private:
    FuzzedDataProvider& in_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    auto runtime = std::make_shared<headless::HeadlessRuntime>();
    runtime->SetClock(3600);
    auto context = std::make_shared<Context>(runtime, std::make_shared<ReplyingWindows>(in));
    auto list = runtime->AddForm(u"frmPlayer")->Add<headless::ListBox>(u"lstSongs");
    const fuzzing::ObjectMaker objects = [&](FuzzedDataProvider& p) {
        return p.ConsumeBool() ? Variant(ObjectRef(list)) : Variant::Nothing();
    };
    // Waiting on the clock and writing files are not what is tested here.
    const std::vector<std::u16string_view> skip = {u"timeOut", u"MP3OpenPlayList", u"MP3SavePlayList"};

    const bool movie = in.ConsumeBool();
    ObjectRef object =
        movie ? ObjectRef(MakeRef<clsQuiborWUIMMMovieA>(context)) : ObjectRef(MakeRef<clsQuiborWUIMMMP3A>(context));
    const InterfaceDesc& iface = fuzzing::InterfaceOf(movie ? u"clsQuiborWUIMMMovieA" : u"clsQuiborWUIMMMP3A");
    Variant file(fuzzing::TextOf(in, 40));
    try {
        object->Invoke(object->GetIdOfName(movie ? u"Filename" : u"MP3File"), kInvokePropertyPut, {&file, 1});
    } catch (const AutomationError&) {
    }
    for (int calls = 0; calls < 24 && in.remaining_bytes() > 0; ++calls) {
        fuzzing::CallSomeMember(*object, iface, in, skip, objects);
    }
    return 0;
}
