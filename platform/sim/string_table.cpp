#include "platform/sim/string_table.hpp"

#include <stdexcept>

#include "platform/sim/sim_text.hpp"

namespace quibor15::sim {

namespace {

constexpr int32_t kLangNeutral = 0;
constexpr int32_t kLangEnglishUs = 0x0409;
constexpr Handle kModuleStep = 0x10000;
constexpr Handle kHandleStep = 0x10;

void PutUnit(std::vector<uint8_t>& bytes, uint16_t unit) {
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
}

}  // namespace

std::vector<uint8_t> EncodeStringBlock(const std::array<std::u16string, kStringsPerBlock>& entries) {
    std::vector<uint8_t> bytes;
    for (const std::u16string& text : entries) {
        if (text.size() > 0xFFFF) throw std::invalid_argument("string table entry longer than 65535 units");
        PutUnit(bytes, static_cast<uint16_t>(text.size()));
        for (char16_t unit : text) PutUnit(bytes, unit);
    }
    return bytes;
}

// --- staging

Handle ResourceStore::AddModule(const String& path) {
    const String key = PathKey(path);
    if (auto it = by_path_.find(key); it != by_path_.end()) return it->second;
    const Handle handle = next_module_;
    next_module_ += kModuleStep;
    modules_[handle].path = path;
    by_path_[key] = handle;
    return handle;
}

std::optional<Handle> ResourceStore::ModuleOf(const String& path) const {
    auto it = by_path_.find(PathKey(path));
    if (it == by_path_.end()) return std::nullopt;
    return it->second;
}

void ResourceStore::SetString(Handle module, int32_t id, int32_t language, String text) {
    if (id < 0 || id > 0xFFFF) throw std::invalid_argument("string identifier outside 0 to 65535");
    if (text.size() > 0xFFFF) throw std::invalid_argument("string table entry longer than 65535 units");
    Module* target = module == kHostModule ? &host_ : nullptr;
    if (!target) {
        auto it = modules_.find(module);
        if (it == modules_.end()) throw std::invalid_argument("SetString: unknown module handle");
        target = &it->second;
    }
    target->strings[language][id] = std::move(text);
}

void ResourceStore::RemoveString(Handle module, int32_t id, int32_t language) {
    Module* target = module == kHostModule ? &host_ : nullptr;
    if (!target) {
        auto it = modules_.find(module);
        if (it == modules_.end()) return;
        target = &it->second;
    }
    auto lang = target->strings.find(language);
    if (lang == target->strings.end()) return;
    lang->second.erase(id);
    if (lang->second.empty()) target->strings.erase(lang);
}

const ResourceStore::Module* ResourceStore::FindModule(Handle module) const {
    if (module == kHostModule) return &host_;
    auto it = modules_.find(module);
    return it == modules_.end() ? nullptr : &it->second;
}

ResourceStore::Module* ResourceStore::LoadedModule(Handle module) {
    if (module == kHostModule) return &host_;
    auto it = modules_.find(module);
    // A handle whose loads were all freed no longer names a module.
    return it == modules_.end() || it->second.loads == 0 ? nullptr : &it->second;
}

std::optional<std::vector<uint8_t>> ResourceStore::BlockOf(const Module& module, int32_t block,
                                                           int32_t language) const {
    auto lang = module.strings.find(language);
    if (lang == module.strings.end() || block < 1 || block > 4096) return std::nullopt;
    const int32_t first = (block - 1) * kStringsPerBlock;
    std::array<std::u16string, kStringsPerBlock> entries;
    bool any = false;
    for (auto it = lang->second.lower_bound(first); it != lang->second.end() && it->first < first + kStringsPerBlock;
         ++it) {
        entries[static_cast<size_t>(it->first - first)] = it->second;
        any = true;
    }
    if (!any) return std::nullopt;
    return EncodeStringBlock(entries);
}

std::optional<int32_t> ResourceStore::ResolveLanguage(const Module& module, int32_t block, int32_t language) const {
    if (BlockOf(module, block, language)) return language;
    if (language != kLangNeutral) return std::nullopt;
    // A neutral request falls back as the loader does: US English first,
    // then any language that has the block.
    if (BlockOf(module, block, kLangEnglishUs)) return kLangEnglishUs;
    for (const auto& [lang, strings] : module.strings) {
        if (BlockOf(module, block, lang)) return lang;
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> ResourceStore::Block(Handle module, int32_t block, int32_t language) const {
    const Module* m = FindModule(module);
    if (!m) return std::nullopt;
    return BlockOf(*m, block, language);
}

// --- the kernel's view

Handle ResourceStore::LoadLibrary(const String& path) {
    auto it = by_path_.find(PathKey(path));
    if (it == by_path_.end()) return 0;
    ++modules_[it->second].loads;
    return it->second;
}

int32_t ResourceStore::FreeLibrary(Handle module) {
    auto it = modules_.find(module);
    if (it == modules_.end() || it->second.loads == 0) return 0;
    --it->second.loads;
    return 1;
}

Handle ResourceStore::FindResource(Handle module, int32_t type, int32_t name, int32_t language) {
    const Module* m = LoadedModule(module);
    if (!m || type != kRtString) return 0;
    const std::optional<int32_t> lang = ResolveLanguage(*m, name, language);
    if (!lang) return 0;
    const std::array<int32_t, 3> key{module, name, *lang};
    if (auto it = resource_handles_.find(key); it != resource_handles_.end()) return it->second;
    const Handle handle = next_resource_;
    next_resource_ += kHandleStep;
    resource_handles_[key] = handle;
    resources_[handle] = Found{module, name, *lang};
    return handle;
}

Handle ResourceStore::LoadResource(Handle module, Handle resource) {
    auto found = resources_.find(resource);
    if (found == resources_.end() || found->second.module != module) return 0;
    const Module* m = LoadedModule(module);
    if (!m) return 0;
    auto bytes = BlockOf(*m, found->second.block, found->second.language);
    if (!bytes) return 0;  // the string was removed after the find
    const Handle handle = next_loaded_;
    next_loaded_ += kHandleStep;
    loaded_[handle] = Loaded{resource, std::move(*bytes)};
    return handle;
}

std::vector<uint8_t> ResourceStore::LockResource(Handle loaded) const {
    auto it = loaded_.find(loaded);
    return it == loaded_.end() ? std::vector<uint8_t>() : it->second.bytes;
}

uint32_t ResourceStore::SizeofResource(Handle module, Handle resource) const {
    auto found = resources_.find(resource);
    if (found == resources_.end() || found->second.module != module) return 0;
    const Module* m = FindModule(module);
    if (!m) return 0;
    auto bytes = BlockOf(*m, found->second.block, found->second.language);
    return bytes ? static_cast<uint32_t>(bytes->size()) : 0;
}

int32_t ResourceStore::FreeResource(Handle loaded) {
    // FreeResource answers 0 when it succeeds and non-zero when it fails.
    return loaded_.erase(loaded) ? 0 : 1;
}

int32_t ResourceStore::OpenLibraryCount() const {
    int32_t total = 0;
    for (const auto& [handle, module] : modules_) total += module.loads;
    return total;
}

int32_t ResourceStore::LoadCount(Handle module) const {
    auto it = modules_.find(module);
    return it == modules_.end() ? 0 : it->second.loads;
}

}  // namespace quibor15::sim
