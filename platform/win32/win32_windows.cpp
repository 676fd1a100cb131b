// The Windows services on Windows: construction, code page, entry points,
// the locale functions, version and arithmetic.
#include "platform/win32/win32_windows.hpp"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <unordered_map>

namespace quibor15::win32 {

namespace {

SYSTEMTIME ToSystemTime(const SystemTime& t) {
    SYSTEMTIME st;
    st.wYear = t.year;
    st.wMonth = t.month;
    st.wDayOfWeek = t.dayOfWeek;
    st.wDay = t.day;
    st.wHour = t.hour;
    st.wMinute = t.minute;
    st.wSecond = t.second;
    st.wMilliseconds = t.milliseconds;
    return st;
}

// The enumeration callbacks take no context: the callback of the running
// enumeration is kept here for the length of the call (everything runs on
// the caller's thread, and an enumeration does not nest).
thread_local const WindowsServices::PictureCallback* t_picture_callback = nullptr;
thread_local const Win32Windows* t_picture_windows = nullptr;

BOOL CALLBACK PictureProc(LPSTR picture) {
    if (!t_picture_callback || !picture) return FALSE;
    return (*t_picture_callback)(t_picture_windows->Text(picture)) ? TRUE : FALSE;
}

class PictureScope {
public:
    PictureScope(const WindowsServices::PictureCallback& callback, const Win32Windows& windows) {
        t_picture_callback = &callback;
        t_picture_windows = &windows;
    }
    ~PictureScope() {
        t_picture_callback = nullptr;
        t_picture_windows = nullptr;
    }
};

}  // namespace

struct Win32Windows::Entries {
    std::unordered_map<std::string, HMODULE> modules;
    std::unordered_map<std::string, void*> functions;
};

Win32Windows::Win32Windows() : code_page_(MakeAnsiCodePage(static_cast<int>(GetACP()))), entries_(new Entries) {}

Win32Windows::~Win32Windows() {
    for (auto& [name, module] : entries_->modules) {
        if (module) ::FreeLibrary(module);
    }
}

Handle Win32Windows::ModuleNumber(void* module) { return modules_.Number(module); }

const AnsiCodePage& Win32Windows::CodePage() const { return *code_page_; }

std::string Win32Windows::Ansi(const String& text) const { return code_page_->Encode(text); }

String Win32Windows::Text(std::string_view bytes) const { return code_page_->Decode(bytes); }

void* Win32Windows::EntryPoint(const char* module, const char* name) {
    const std::string key = std::string(module) + "!" + name;
    auto it = entries_->functions.find(key);
    if (it != entries_->functions.end()) return it->second;
    HMODULE& dll = entries_->modules[module];
    if (!dll) dll = ::LoadLibraryA(module);
    void* function = dll ? reinterpret_cast<void*>(::GetProcAddress(dll, name)) : nullptr;
    if (!function) {
        String text = u"Can't find DLL entry point " + Text(name) + u" in " + Text(module);
        throw AutomationError(rt::kDllEntryPointNotFound, kComponentSource, std::move(text));
    }
    entries_->functions.emplace(key, function);
    return function;
}

void Win32Windows::KeepLastError() { last_error_ = ::GetLastError(); }

uint32_t Win32Windows::GetLastError() { return last_error_; }

// --- locale

int32_t Win32Windows::GetSystemDefaultLCID() { return static_cast<int32_t>(::GetSystemDefaultLCID()); }

int32_t Win32Windows::IsValidLocale(int32_t lcid, uint32_t flags) {
    const BOOL ok = ::IsValidLocale(static_cast<LCID>(lcid), flags);
    KeepLastError();
    return ok ? 1 : 0;
}

// The text of a call that writes into a caller's buffer of buffer_chars
// bytes: the call's result is the byte count with the NUL.
template <class Call>
int32_t BufferText(const Win32Windows& w, int32_t buffer_chars, String& out, Call call) {
    if (buffer_chars < 0) return 0;
    if (buffer_chars == 0) return call(nullptr, 0);
    std::string buffer(static_cast<size_t>(buffer_chars), '\0');
    const int32_t got = call(buffer.data(), buffer_chars);
    if (got <= 0) return got;
    buffer.resize(static_cast<size_t>(got));
    const size_t nul = buffer.find('\0');
    if (nul != std::string::npos) buffer.resize(nul);
    out = w.Text(buffer);
    return got;
}

int32_t Win32Windows::GetLocaleInfoA(int32_t lcid, uint32_t lctype, String& out, int32_t buffer_chars) {
    const int32_t got = BufferText(*this, buffer_chars, out, [&](char* buffer, int size) {
        return ::GetLocaleInfoA(static_cast<LCID>(lcid), lctype, buffer, size);
    });
    KeepLastError();
    return got;
}

int32_t Win32Windows::GetDateFormatA(int32_t lcid, uint32_t flags, const SystemTime& time, const String* picture,
                                     String& out, int32_t buffer_chars) {
    const SYSTEMTIME st = ToSystemTime(time);
    const std::string pict = picture ? Ansi(*picture) : std::string();
    const int32_t got = BufferText(*this, buffer_chars, out, [&](char* buffer, int size) {
        return ::GetDateFormatA(static_cast<LCID>(lcid), flags, &st, picture ? pict.c_str() : nullptr, buffer, size);
    });
    KeepLastError();
    return got;
}

int32_t Win32Windows::GetTimeFormatA(int32_t lcid, uint32_t flags, const SystemTime& time, const String* picture,
                                     String& out, int32_t buffer_chars) {
    const SYSTEMTIME st = ToSystemTime(time);
    const std::string pict = picture ? Ansi(*picture) : std::string();
    const int32_t got = BufferText(*this, buffer_chars, out, [&](char* buffer, int size) {
        return ::GetTimeFormatA(static_cast<LCID>(lcid), flags, &st, picture ? pict.c_str() : nullptr, buffer, size);
    });
    KeepLastError();
    return got;
}

int32_t Win32Windows::EnumDateFormatsA(const PictureCallback& callback, int32_t lcid, uint32_t flags) {
    if (!callback) return 0;
    PictureScope scope(callback, *this);
    const BOOL ok = ::EnumDateFormatsA(PictureProc, static_cast<LCID>(lcid), flags);
    KeepLastError();
    return ok ? 1 : 0;
}

int32_t Win32Windows::EnumTimeFormatsA(const PictureCallback& callback, int32_t lcid, uint32_t flags) {
    if (!callback) return 0;
    PictureScope scope(callback, *this);
    const BOOL ok = ::EnumTimeFormatsA(PictureProc, static_cast<LCID>(lcid), flags);
    KeepLastError();
    return ok ? 1 : 0;
}

int32_t Win32Windows::CompareStringA(int32_t lcid, uint32_t flags, const String& a, const String& b) {
    const std::string left = Ansi(a);
    const std::string right = Ansi(b);
    const int result = ::CompareStringA(static_cast<LCID>(lcid), flags, left.data(), static_cast<int>(left.size()),
                                        right.data(), static_cast<int>(right.size()));
    KeepLastError();
    return result;
}

int32_t Win32Windows::LCMapStringA(int32_t lcid, uint32_t flags, const String& source, String& out) {
    const std::string text = Ansi(source);
    if (text.empty()) {
        out.clear();
        return 0;
    }
    const int length = static_cast<int>(text.size());
    const int needed = ::LCMapStringA(static_cast<LCID>(lcid), flags, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        KeepLastError();
        return 0;
    }
    std::string mapped(static_cast<size_t>(needed), '\0');
    const int got = ::LCMapStringA(static_cast<LCID>(lcid), flags, text.data(), length, mapped.data(), needed);
    KeepLastError();
    if (got <= 0) return 0;
    mapped.resize(static_cast<size_t>(got));
    out = Text(mapped);
    return got;
}

// --- version and arithmetic

int32_t Win32Windows::GetVersionExA(OsVersionInfo& info) {
    OSVERSIONINFOEXA os = {};
    // The size tells which record the caller passes; any other size fails
    // as the system's own check does.
    os.dwOSVersionInfoSize = info.size;
    if (info.size != sizeof(OSVERSIONINFOA) && info.size != sizeof(OSVERSIONINFOEXA)) {
        last_error_ = ERROR_INSUFFICIENT_BUFFER;
        return 0;
    }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&os));
#pragma GCC diagnostic pop
    KeepLastError();
    if (!ok) return 0;
    info.major = os.dwMajorVersion;
    info.minor = os.dwMinorVersion;
    info.build = os.dwBuildNumber;
    info.platform_id = os.dwPlatformId;
    info.csd_version = Text(std::string_view(os.szCSDVersion, strnlen(os.szCSDVersion, sizeof os.szCSDVersion)));
    return 1;
}

int32_t Win32Windows::MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
    return ::MulDiv(number, numerator, denominator);
}

// --- common controls

void Win32Windows::InitCommonControls() {
    using Fn = void(WINAPI*)();
    reinterpret_cast<Fn>(EntryPoint("comctl32.dll", "InitCommonControls"))();
}

int32_t Win32Windows::InitCommonControlsEx(const quibor15::InitCommonControlsEx& init) {
    // INITCOMMONCONTROLSEX: dwSize then dwICC, two 32-bit fields.
    struct {
        DWORD size;
        DWORD icc;
    } record{static_cast<DWORD>(init.size), static_cast<DWORD>(init.icc)};
    using Fn = BOOL(WINAPI*)(const void*);
    const BOOL ok = reinterpret_cast<Fn>(EntryPoint("comctl32.dll", "InitCommonControlsEx"))(&record);
    KeepLastError();
    return ok ? 1 : 0;
}

}  // namespace quibor15::win32
