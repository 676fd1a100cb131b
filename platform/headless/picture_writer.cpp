#include "platform/headless/picture_writer.hpp"

#include <dlfcn.h>

#include <atomic>
#include <mutex>

#include "platform/headless/names.hpp"

namespace quibor15::headless {

namespace {

constexpr int32_t kActionNotSupported = 445;
constexpr char kModuleName[] = "libquibor15_render.so";

// Process-wide, as the module it stands for is.
std::atomic<PictureWriter> g_writer{nullptr};

// The module beside the file this code is in (libquibor15.so, or the
// program it is linked into).
std::string ModulePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&WriteFormPicture), &info) == 0 || !info.dli_fname) return kModuleName;
    const std::string self = info.dli_fname;
    const size_t slash = self.find_last_of('/');
    return slash == std::string::npos ? kModuleName : self.substr(0, slash + 1) + kModuleName;
}

String Utf16Of(const char* text) {
    String out;
    for (const char* c = text; *c; ++c) out += static_cast<char16_t>(static_cast<unsigned char>(*c));
    return out;
}

}  // namespace

void SetPictureWriter(PictureWriter writer) noexcept { g_writer.store(writer); }

void WriteFormPicture(Form& form, const std::string& path) {
    static std::mutex loading;
    if (!g_writer.load()) {
        std::lock_guard<std::mutex> lock(loading);
        if (!g_writer.load()) {
            const std::string module = ModulePath();
            // Kept loaded for the life of the process: its writer is registered.
            if (!dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL)) {
                const char* why = dlerror();
                Fail(kActionNotSupported, u"Pictures of forms need " + Utf16Of(module.c_str()) + u": " +
                                              Utf16Of(why ? why : "it cannot be loaded"));
            }
        }
    }
    const PictureWriter writer = g_writer.load();
    if (!writer) Fail(kActionNotSupported, u"Pictures of forms: " + Utf16Of(kModuleName) + u" registered no writer");
    writer(form, path);
}

}  // namespace quibor15::headless
