// The simulated Windows: module files and their string tables.
#include "platform/sim/sim_windows.hpp"

namespace quibor15::sim {

namespace {

constexpr int32_t kLanguageEnglishUs = 1033;

}  // namespace

void SimWindows::SetString(Handle module, int32_t id, int32_t language, String text) {
    resources_.SetString(module, id, language, std::move(text));
}

void SimWindows::SetString(const String& module_path, int32_t id, int32_t language, String text) {
    resources_.SetString(resources_.AddModule(module_path), id, language, std::move(text));
}

void SimWindows::SetHostString(int32_t id, int32_t language, String text) {
    resources_.SetString(ResourceStore::kHostModule, id, language, std::move(text));
}

String SimWindows::DefaultLibraryModulePath() { return u"C:\\Program Files\\quibor15\\quibor15.dll"; }

Handle SimWindows::AddLibraryModule(const String& path) {
    const Handle module = resources_.AddModule(path);
    resources_.SetString(module, 110, kLanguageEnglishUs, u"&OK");
    resources_.SetString(module, 111, kLanguageEnglishUs, u"&Cancel");
    resources_.SetString(module, 112, kLanguageEnglishUs, u"Select Language");
    resources_.SetString(module, 113, kLanguageEnglishUs,
                         u"&Select the Present User Interface Language from the choices below.");
    library_path_ = path;
    return module;
}

Handle SimWindows::LoadLibraryA(const String& path) {
    const String file = Ansi(path);
    log_.Add(u"LoadLibraryA", {file});
    return resources_.LoadLibrary(file);
}

Handle SimWindows::FindResourceExA(Handle module, int32_t type, int32_t name, int32_t language) {
    log_.Add(u"FindResourceExA",
             {HandleArg(module), DecArg(type), DecArg(name), HexArg(static_cast<uint32_t>(language))});
    return resources_.FindResource(module, type, name, language);
}

Handle SimWindows::LoadResource(Handle module, Handle resource) {
    log_.Add(u"LoadResource", {HandleArg(module), HandleArg(resource)});
    return resources_.LoadResource(module, resource);
}

std::vector<uint8_t> SimWindows::LockResource(Handle loaded) {
    log_.Add(u"LockResource", {HandleArg(loaded)});
    return resources_.LockResource(loaded);
}

uint32_t SimWindows::SizeofResource(Handle module, Handle resource) {
    log_.Add(u"SizeofResource", {HandleArg(module), HandleArg(resource)});
    return resources_.SizeofResource(module, resource);
}

int32_t SimWindows::FreeResource(Handle loaded) {
    log_.Add(u"FreeResource", {HandleArg(loaded)});
    return resources_.FreeResource(loaded);
}

int32_t SimWindows::FreeLibrary(Handle module) {
    log_.Add(u"FreeLibrary", {HandleArg(module)});
    return resources_.FreeLibrary(module);
}

}  // namespace quibor15::sim
