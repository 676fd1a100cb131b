// The Windows services on Windows: modules and their resources. Module and
// resource handles are pointers on this system and travel as numbers of
// the handle tables.
#include "platform/win32/win32_windows.hpp"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace quibor15::win32 {

Handle Win32Windows::LoadLibraryA(const String& path) {
    const std::string file = Ansi(path);
    const HMODULE module = ::LoadLibraryA(file.c_str());
    KeepLastError();
    return modules_.Number(module);
}

Handle Win32Windows::FindResourceExA(Handle module, int32_t type, int32_t name, int32_t language) {
    // Module 0 is the program's own module.
    HMODULE hmodule = module ? static_cast<HMODULE>(modules_.Pointer(module)) : nullptr;
    if (module && !hmodule) return 0;
    const HRSRC found =
        ::FindResourceExA(hmodule, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(name), static_cast<WORD>(language));
    KeepLastError();
    return resources_.Number(found);
}

Handle Win32Windows::LoadResource(Handle module, Handle resource) {
    HMODULE hmodule = module ? static_cast<HMODULE>(modules_.Pointer(module)) : nullptr;
    HRSRC hres = static_cast<HRSRC>(resources_.Pointer(resource));
    if (!hres || (module && !hmodule)) return 0;
    const HGLOBAL loaded = ::LoadResource(hmodule, hres);
    KeepLastError();
    const Handle number = loaded_.Number(loaded);
    if (number) loaded_sizes_[number] = ::SizeofResource(hmodule, hres);
    return number;
}

std::vector<uint8_t> Win32Windows::LockResource(Handle loaded) {
    HGLOBAL hglobal = loaded_.Pointer(loaded);
    auto size = loaded_sizes_.find(loaded);
    if (!hglobal || size == loaded_sizes_.end()) return {};
    const auto* bytes = static_cast<const uint8_t*>(::LockResource(hglobal));
    if (!bytes) return {};
    return std::vector<uint8_t>(bytes, bytes + size->second);
}

uint32_t Win32Windows::SizeofResource(Handle module, Handle resource) {
    HMODULE hmodule = module ? static_cast<HMODULE>(modules_.Pointer(module)) : nullptr;
    HRSRC hres = static_cast<HRSRC>(resources_.Pointer(resource));
    if (!hres || (module && !hmodule)) return 0;
    return ::SizeofResource(hmodule, hres);
}

int32_t Win32Windows::FreeResource(Handle loaded) {
    HGLOBAL hglobal = loaded_.Pointer(loaded);
    if (!hglobal) return 0;
    loaded_sizes_.erase(loaded);
    loaded_.Forget(loaded);
    // Obsolete on 32- and 64-bit Windows: the call does nothing and says so.
    return ::FreeResource(hglobal) ? 1 : 0;
}

int32_t Win32Windows::FreeLibrary(Handle module) {
    HMODULE hmodule = static_cast<HMODULE>(modules_.Pointer(module));
    if (!hmodule) return 0;
    const BOOL ok = ::FreeLibrary(hmodule);
    KeepLastError();
    // The same module may be loaded again under the same number.
    if (ok &&
        !::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCWSTR>(hmodule), &hmodule)) {
        modules_.Forget(module);
    }
    return ok ? 1 : 0;
}

}  // namespace quibor15::win32
