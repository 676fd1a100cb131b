// Module files with string tables, as the resource functions of the kernel
// see them. Strings live in RT_STRING resources (type 6) of 16 entries:
// block b (from 1) holds the identifiers 16(b-1) to 16b-1, each entry a
// 16-bit little-endian length L and L UTF-16 code units (no terminator); an
// entry without a string is a length of 0. A block exists per language as
// soon as one of its identifiers has a string.
//
// Module handles stay the same for every load of a path (as an image base
// does); LoadLibraryA and FreeLibrary count, and each LoadResource gives a
// handle of its own that FreeResource releases, so tests can see that
// nothing is left open. A module whose loads were all freed answers no more
// finds. Handle 0 is the host program's own module, always loaded.
//
// A find matches the language exactly; only the neutral language (0) falls
// back, to US English and then to any language that has the block.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "quibor15/windows_services.hpp"

namespace quibor15::sim {

inline constexpr int32_t kRtString = 6;
inline constexpr int32_t kStringsPerBlock = 16;

// The bytes of one block from its 16 entries (entry i is identifier
// 16(b-1)+i).
std::vector<uint8_t> EncodeStringBlock(const std::array<std::u16string, kStringsPerBlock>& entries);
// The block number that holds an identifier.
constexpr int32_t StringBlockOf(int32_t id) noexcept { return id / kStringsPerBlock + 1; }

class ResourceStore {
public:
    static constexpr Handle kHostModule = 0;

    // Registers a module file (paths compare without regard to case or
    // separator); the same handle for a path already registered.
    Handle AddModule(const String& path);
    std::optional<Handle> ModuleOf(const String& path) const;
    // Stages a string; module kHostModule is the host program's table.
    // Identifiers 0 to 65535; std::invalid_argument otherwise or for an
    // unknown module.
    void SetString(Handle module, int32_t id, int32_t language, String text);
    // Removes one string (its block goes when it has no string left).
    void RemoveString(Handle module, int32_t id, int32_t language);
    // The bytes of a block as FindResourceExA would find them; nullopt when
    // the block does not exist in that language.
    std::optional<std::vector<uint8_t>> Block(Handle module, int32_t block, int32_t language) const;

    // --- the kernel's view
    Handle LoadLibrary(const String& path);
    int32_t FreeLibrary(Handle module);
    Handle FindResource(Handle module, int32_t type, int32_t name, int32_t language);
    Handle LoadResource(Handle module, Handle resource);
    std::vector<uint8_t> LockResource(Handle loaded) const;
    uint32_t SizeofResource(Handle module, Handle resource) const;
    int32_t FreeResource(Handle loaded);

    // --- leak checks
    // Loads not yet freed, over all modules.
    int32_t OpenLibraryCount() const;
    int32_t LoadCount(Handle module) const;
    int32_t LiveResourceCount() const { return static_cast<int32_t>(loaded_.size()); }

private:
    struct Module {
        String path;
        int32_t loads = 0;
        // language -> identifier -> text
        std::map<int32_t, std::map<int32_t, String>> strings;
    };
    struct Found {
        Handle module;
        int32_t block;
        int32_t language;
    };
    struct Loaded {
        Handle resource;
        std::vector<uint8_t> bytes;
    };

    Module* LoadedModule(Handle module);
    const Module* FindModule(Handle module) const;
    std::optional<int32_t> ResolveLanguage(const Module& module, int32_t block, int32_t language) const;
    std::optional<std::vector<uint8_t>> BlockOf(const Module& module, int32_t block, int32_t language) const;

    Module host_;
    std::map<Handle, Module> modules_;
    std::map<String, Handle> by_path_;
    std::map<std::array<int32_t, 3>, Handle> resource_handles_;  // (module, block, language)
    std::map<Handle, Found> resources_;
    std::map<Handle, Loaded> loaded_;
    Handle next_module_ = 0x10000000;
    Handle next_resource_ = 0x00A00010;
    Handle next_loaded_ = 0x00B00010;
};

}  // namespace quibor15::sim
