// The Windows services the component calls, one method per 8-bit (ANSI)
// entry point. Text crosses this interface as UTF-16; the backend owns the
// conversion to and from the ANSI code page, so a real Windows backend maps
// each method one to one onto the function of the same name. Handles are
// 32-bit values, as the component stores them.
//
// An entry point the system lacks (the multi-monitor functions on an old
// system, InitCommonControlsEx before its introduction) raises
// AutomationError 453, as a call through a missing declared function does.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "quibor15/codepage.hpp"
#include "quibor15/locale_database.hpp"

namespace quibor15 {

using Handle = int32_t;

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// MONITORINFO (cbSize 40).
struct MonitorInfo {
    uint32_t cb_size = 40;
    Rect monitor;
    Rect work;
    uint32_t flags = 0;
};

// OSVERSIONINFOA (dwOSVersionInfoSize 148).
struct OsVersionInfo {
    uint32_t size = 148;
    uint32_t major = 0, minor = 0, build = 0, platform_id = 0;
    String csd_version;
};

// LOGFONTA; face_name holds the ANSI bytes of the face name (at most 31
// plus the NUL, which the backend adds).
struct LogFont {
    int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
    uint8_t italic = 0, underline = 0, strike_out = 0, char_set = 0;
    uint8_t out_precision = 0, clip_precision = 0, quality = 0, pitch_and_family = 0;
    String face_name;
};

// TOOLINFOA in its first version (cbSize 40, no lParam).
struct ToolInfo {
    uint32_t cb_size = 40;
    uint32_t flags = 0;
    Handle hwnd = 0;
    int32_t id = 0;
    Rect rect;
    Handle hinst = 0;
    std::optional<String> text;  // lpszText; nullopt is a null pointer
    friend bool operator==(const ToolInfo&, const ToolInfo&) = default;
};

struct InitCommonControlsEx {
    int32_t size = 8;
    int32_t icc = 0;
};

class WindowsServices {
public:
    virtual ~WindowsServices() = default;

    // --- the ANSI code page of the system
    virtual const AnsiCodePage& CodePage() const = 0;
    // Whether the locale entry points below pass texts through CodePage(),
    // as on Windows. A stand-in whose locale database takes UTF-16 as it is
    // says false, and its locale texts then lose nothing.
    virtual bool LocaleTextsCrossCodePage() const { return true; }
    // A text as it comes back from crossing the locale entry points.
    String LocaleText(std::u16string_view text) const {
        return LocaleTextsCrossCodePage() ? CodePage().RoundTrip(text) : String(text);
    }

    // --- locale (kernel)
    virtual int32_t GetSystemDefaultLCID() = 0;
    virtual int32_t IsValidLocale(int32_t lcid, uint32_t flags) = 0;
    // Writes the text (without NUL) to out and returns its length + 1; 0 on
    // failure with out untouched. buffer_chars bounds the text as the
    // caller's buffer would (a text that does not fit fails).
    virtual int32_t GetLocaleInfoA(int32_t lcid, uint32_t lctype, String& out, int32_t buffer_chars) = 0;
    virtual int32_t GetDateFormatA(int32_t lcid, uint32_t flags, const SystemTime& time, const String* picture,
                                   String& out, int32_t buffer_chars) = 0;
    virtual int32_t GetTimeFormatA(int32_t lcid, uint32_t flags, const SystemTime& time, const String* picture,
                                   String& out, int32_t buffer_chars) = 0;
    // One synchronous callback per picture; the callback returns false to
    // stop. Returns 1 on success, 0 on failure.
    using PictureCallback = std::function<bool(const String& picture)>;
    virtual int32_t EnumDateFormatsA(const PictureCallback& callback, int32_t lcid, uint32_t flags) = 0;
    virtual int32_t EnumTimeFormatsA(const PictureCallback& callback, int32_t lcid, uint32_t flags) = 0;
    virtual int32_t CompareStringA(int32_t lcid, uint32_t flags, const String& a, const String& b) = 0;
    // CompareStringA for the pairs of one list (texts as they are passed to
    // it). This one calls it for each comparison; a backend may answer the
    // same from texts prepared once.
    virtual std::unique_ptr<ListComparison> CompareStringsA(int32_t lcid, uint32_t flags, std::vector<String> texts);
    // Returns the mapped length (+0; the component passes counted texts), 0
    // on failure.
    virtual int32_t LCMapStringA(int32_t lcid, uint32_t flags, const String& source, String& out) = 0;

    // --- resources (kernel); module 0 is the host program's own module
    virtual Handle LoadLibraryA(const String& path) = 0;
    virtual Handle FindResourceExA(Handle module, int32_t type, int32_t name, int32_t language) = 0;
    virtual Handle LoadResource(Handle module, Handle resource) = 0;
    // The resource's bytes; empty for an unknown handle.
    virtual std::vector<uint8_t> LockResource(Handle loaded) = 0;
    virtual uint32_t SizeofResource(Handle module, Handle resource) = 0;
    virtual int32_t FreeResource(Handle loaded) = 0;
    virtual int32_t FreeLibrary(Handle module) = 0;

    // --- version and arithmetic (kernel)
    virtual int32_t GetVersionExA(OsVersionInfo& info) = 0;
    virtual int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) = 0;

    // --- windows and monitors (user)
    virtual int32_t GetSystemMetrics(int32_t index) = 0;
    virtual Handle MonitorFromRect(const Rect& rect, uint32_t flags) = 0;
    virtual Handle MonitorFromWindow(Handle hwnd, uint32_t flags) = 0;
    virtual int32_t GetMonitorInfoA(Handle monitor, MonitorInfo& info) = 0;
    virtual int32_t SetWindowPos(Handle hwnd, Handle insert_after, int32_t x, int32_t y, int32_t cx, int32_t cy,
                                 uint32_t flags) = 0;
    virtual int32_t SetForegroundWindow(Handle hwnd) = 0;
    virtual int32_t SendMessageA(Handle hwnd, uint32_t msg, int32_t wparam, int32_t lparam) = 0;
    // lParam a NUL-terminated ANSI text (CB_FINDSTRING, ...).
    virtual int32_t SendMessageTextA(Handle hwnd, uint32_t msg, int32_t wparam, const String& lparam) = 0;
    // lParam a TOOLINFOA that the message may read and fill (TTM_*).
    virtual int32_t SendMessageToolA(Handle hwnd, uint32_t msg, int32_t wparam, ToolInfo& lparam) = 0;
    virtual Handle CreateWindowExA(uint32_t ex_style, const String& class_name, const String& window_name,
                                   uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height, Handle parent,
                                   Handle menu, Handle instance) = 0;
    virtual int32_t DestroyWindow(Handle hwnd) = 0;
    virtual int32_t GetWindowLongA(Handle hwnd, int32_t index) = 0;
    virtual int32_t SetWindowLongA(Handle hwnd, int32_t index, int32_t value) = 0;
    virtual Handle GetDC(Handle hwnd) = 0;
    virtual int32_t ReleaseDC(Handle hwnd, Handle dc) = 0;

    // --- graphics
    virtual int32_t GetDeviceCaps(Handle dc, int32_t index) = 0;
    virtual Handle CreateFontIndirectA(const LogFont& font) = 0;
    virtual int32_t DeleteObject(Handle object) = 0;

    // --- the calling thread's last error code, as set by the call before
    virtual uint32_t GetLastError() = 0;

    // --- shell
    virtual void SHAddToRecentDocs(uint32_t flags, const String& path) = 0;
    virtual int32_t ShellExecuteA(Handle hwnd, const String& verb, const String& file, const String& parameters,
                                  const String& directory, int32_t show) = 0;

    // --- common controls
    virtual void InitCommonControls() = 0;
    virtual int32_t InitCommonControlsEx(const quibor15::InitCommonControlsEx& init) = 0;

    // --- multimedia
    // Sends a command. With a reply buffer, the reply is written from its
    // first character followed by a NUL (cut to reply_length - 1
    // characters); the rest of the buffer is left as it was. reply may be
    // nullptr (no reply wanted). Returns 0 or an MCI error code.
    virtual uint32_t mciSendStringA(const String& command, String* reply, uint32_t reply_length, Handle callback) = 0;
    // Writes the message text of an error code into buffer as NUL-terminated
    // text (cut to length - 1), leaving the rest; returns non-zero on
    // success.
    virtual int32_t mciGetErrorStringA(uint32_t code, String& buffer, uint32_t length) = 0;
};

inline std::unique_ptr<ListComparison> WindowsServices::CompareStringsA(int32_t lcid, uint32_t flags,
                                                                        std::vector<String> texts) {
    class EachCall final : public ListComparison {
    public:
        EachCall(WindowsServices& windows, int32_t lcid, uint32_t flags, std::vector<String> texts)
            : windows_(windows), lcid_(lcid), flags_(flags), texts_(std::move(texts)) {}
        int32_t Compare(size_t a, size_t b) override {
            return windows_.CompareStringA(lcid_, flags_, texts_[a], texts_[b]);
        }

    private:
        WindowsServices& windows_;
        int32_t lcid_;
        uint32_t flags_;
        std::vector<String> texts_;
    };
    return std::make_unique<EachCall>(*this, lcid, flags, std::move(texts));
}

}  // namespace quibor15
