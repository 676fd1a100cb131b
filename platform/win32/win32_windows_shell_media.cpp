// The Windows services on Windows: the shell and the media command
// interface.
#include "platform/win32/win32_windows.hpp"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

namespace quibor15::win32 {

void Win32Windows::SHAddToRecentDocs(uint32_t flags, const String& path) {
    using Fn = void(WINAPI*)(UINT, LPCVOID);
    auto add = reinterpret_cast<Fn>(EntryPoint("shell32.dll", "SHAddToRecentDocs"));
    const std::string file = Ansi(path);
    SetLastError(0);
    add(flags, file.c_str());
    KeepLastError();
}

int32_t Win32Windows::ShellExecuteA(Handle hwnd, const String& verb, const String& file, const String& parameters,
                                    const String& directory, int32_t show) {
    using Fn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    auto execute = reinterpret_cast<Fn>(EntryPoint("shell32.dll", "ShellExecuteA"));
    const std::string v = Ansi(verb);
    const std::string f = Ansi(file);
    const std::string p = Ansi(parameters);
    const std::string d = Ansi(directory);
    // An empty verb, parameter list or folder is passed as no text at all,
    // as a declared function passes vbNullString.
    const HINSTANCE r = execute(UserHandle<HWND>(hwnd), v.empty() ? nullptr : v.c_str(), f.c_str(),
                                p.empty() ? nullptr : p.c_str(), d.empty() ? nullptr : d.c_str(), show);
    KeepLastError();
    // The result is a small number: above 32 on success, an error code
    // otherwise.
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(r));
}

namespace {

// Writes text into a caller's buffer the way the system does: from its
// first character, followed by a NUL, cut to capacity - 1 characters; the
// rest of the buffer stays as it was.
void WriteIntoBuffer(String& buffer, size_t capacity, const String& text) {
    capacity = std::min(capacity, buffer.size());
    if (capacity == 0) return;
    const String part = text.substr(0, capacity - 1);
    buffer.replace(0, part.size(), part);
    buffer[part.size()] = u'\0';
}

}  // namespace

uint32_t Win32Windows::mciSendStringA(const String& command, String* reply, uint32_t reply_length, Handle callback) {
    using Fn = DWORD(WINAPI*)(LPCSTR, LPSTR, UINT, HWND);
    auto send = reinterpret_cast<Fn>(EntryPoint("winmm.dll", "mciSendStringA"));
    const std::string text = Ansi(command);
    if (!reply || reply_length == 0) {
        return send(text.c_str(), nullptr, 0, UserHandle<HWND>(callback));
    }
    const size_t capacity = std::min<size_t>(reply_length, reply->size());
    std::string buffer(capacity + 1, '\0');
    const DWORD code = send(text.c_str(), buffer.data(), static_cast<UINT>(capacity), UserHandle<HWND>(callback));
    WriteIntoBuffer(*reply, capacity, Text(buffer.c_str()));
    return code;
}

int32_t Win32Windows::mciGetErrorStringA(uint32_t code, String& buffer, uint32_t length) {
    using Fn = BOOL(WINAPI*)(DWORD, LPSTR, UINT);
    auto get = reinterpret_cast<Fn>(EntryPoint("winmm.dll", "mciGetErrorStringA"));
    const size_t capacity = std::min<size_t>(length, buffer.size());
    if (capacity == 0) return 0;
    std::string text(capacity + 1, '\0');
    const BOOL ok = get(code, text.data(), static_cast<UINT>(capacity));
    WriteIntoBuffer(buffer, capacity, Text(text.c_str()));
    return ok ? 1 : 0;
}

}  // namespace quibor15::win32
