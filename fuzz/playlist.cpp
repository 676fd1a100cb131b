// The playlist reader (MP3OpenPlayList into a list box) and, under it, the
// headless runtime's text-file reader, on arbitrary file bytes in a code
// page the first byte picks.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "fuzz_input.hpp"
#include "media/mp3_player.hpp"
#include "platform/headless/headless_runtime.hpp"
#include "platform/sim/sim_windows.hpp"

namespace {

using namespace quibor15;

const std::shared_ptr<const AnsiCodePage>& CodePage(int number) {
    static std::map<int, std::shared_ptr<const AnsiCodePage>> pages;
    auto& page = pages[number];
    if (!page) page = MakeAnsiCodePage(number);
    return page;
}

const std::filesystem::path& FilePath() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("q15_fuzz_playlist_" + std::to_string(::getpid()) + ".m3u");
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    headless::HeadlessRuntime::Options options;
    options.code_page = CodePage(fuzzing::PickCodePage(in));
    const std::string bytes = in.ConsumeRemainingBytesAsString();
    {
        std::ofstream file(FilePath(), std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    auto runtime = std::make_shared<headless::HeadlessRuntime>(options);
    auto context = std::make_shared<Context>(runtime, std::make_shared<sim::SimWindows>());
    auto list = runtime->AddForm(u"frmPlayer")->Add<headless::ListBox>(u"lstSongs");
    auto player = MakeRef<clsQuiborWUIMMMP3A>(context);
    String path = String(FilePath().u16string());
    Variant box{ObjectRef(list)};
    player->MP3OpenPlayList(path, box);
    return 0;
}
