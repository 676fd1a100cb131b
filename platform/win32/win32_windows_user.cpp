// The Windows services on Windows: windows, messages, monitors, tooltips
// and graphics.
#include "platform/win32/win32_windows.hpp"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// These build on the declarations of <windows.h>.
#include <commctrl.h>

#include <cstring>

namespace quibor15::win32 {

namespace {

// TOOLINFOA of the first version as the component fills it: 40 bytes with
// 32-bit handles. This system's first version is wider (pointer-sized
// handles); the size the component gives names the version it means.
constexpr uint32_t kComponentToolInfoV1Size = 40;

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
Rect FromRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

// Messages whose TOOLINFOA text the tooltip writes into the caller's buffer.
bool ToolTextIsWritten(UINT msg) { return msg == TTM_GETTEXTA || msg == TTM_ENUMTOOLSA || msg == TTM_GETCURRENTTOOLA; }

}  // namespace

int32_t Win32Windows::GetSystemMetrics(int32_t index) { return ::GetSystemMetrics(index); }

Handle Win32Windows::MonitorFromRect(const Rect& rect, uint32_t flags) {
    using Fn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
    const RECT r = ToRect(rect);
    return UserHandleValue(reinterpret_cast<Fn>(EntryPoint("user32.dll", "MonitorFromRect"))(&r, flags));
}

Handle Win32Windows::MonitorFromWindow(Handle hwnd, uint32_t flags) {
    using Fn = HMONITOR(WINAPI*)(HWND, DWORD);
    return UserHandleValue(
        reinterpret_cast<Fn>(EntryPoint("user32.dll", "MonitorFromWindow"))(UserHandle<HWND>(hwnd), flags));
}

int32_t Win32Windows::GetMonitorInfoA(Handle monitor, MonitorInfo& info) {
    using Fn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
    auto get = reinterpret_cast<Fn>(EntryPoint("user32.dll", "GetMonitorInfoA"));
    MONITORINFO mi = {};
    mi.cbSize = info.cb_size;
    if (info.cb_size != sizeof(MONITORINFO)) {
        // MONITORINFOEXA is the only other record the call knows.
        MONITORINFOEXA ex = {};
        ex.cbSize = info.cb_size;
        if (info.cb_size != sizeof(MONITORINFOEXA)) return 0;
        const BOOL ok = get(UserHandle<HMONITOR>(monitor), reinterpret_cast<LPMONITORINFO>(&ex));
        KeepLastError();
        if (!ok) return 0;
        info.monitor = FromRect(ex.rcMonitor);
        info.work = FromRect(ex.rcWork);
        info.flags = ex.dwFlags;
        return 1;
    }
    const BOOL ok = get(UserHandle<HMONITOR>(monitor), &mi);
    KeepLastError();
    if (!ok) return 0;
    info.monitor = FromRect(mi.rcMonitor);
    info.work = FromRect(mi.rcWork);
    info.flags = mi.dwFlags;
    return 1;
}

int32_t Win32Windows::SetWindowPos(Handle hwnd, Handle insert_after, int32_t x, int32_t y, int32_t cx, int32_t cy,
                                   uint32_t flags) {
    const BOOL ok = ::SetWindowPos(UserHandle<HWND>(hwnd), UserHandle<HWND>(insert_after), x, y, cx, cy, flags);
    KeepLastError();
    return ok ? 1 : 0;
}

int32_t Win32Windows::SetForegroundWindow(Handle hwnd) { return ::SetForegroundWindow(UserHandle<HWND>(hwnd)) ? 1 : 0; }

int32_t Win32Windows::SendMessageA(Handle hwnd, uint32_t msg, int32_t wparam, int32_t lparam) {
    const LRESULT r = ::SendMessageA(UserHandle<HWND>(hwnd), msg, static_cast<WPARAM>(static_cast<intptr_t>(wparam)),
                                     static_cast<LPARAM>(lparam));
    KeepLastError();
    return static_cast<int32_t>(r);
}

int32_t Win32Windows::SendMessageTextA(Handle hwnd, uint32_t msg, int32_t wparam, const String& lparam) {
    const std::string text = Ansi(lparam);
    const LRESULT r = ::SendMessageA(UserHandle<HWND>(hwnd), msg, static_cast<WPARAM>(static_cast<intptr_t>(wparam)),
                                     reinterpret_cast<LPARAM>(text.c_str()));
    KeepLastError();
    return static_cast<int32_t>(r);
}

int32_t Win32Windows::SendMessageToolA(Handle hwnd, uint32_t msg, int32_t wparam, ToolInfo& tool) {
    TTTOOLINFOA ti = {};
    ti.cbSize = tool.cb_size == kComponentToolInfoV1Size ? TTTOOLINFOA_V1_SIZE : tool.cb_size;
    if (ti.cbSize > sizeof ti) ti.cbSize = sizeof ti;
    ti.uFlags = tool.flags;
    ti.hwnd = UserHandle<HWND>(tool.hwnd);
    // With TTF_IDISHWND the identifier is a window handle, sign-extended
    // like every window handle.
    ti.uId = static_cast<UINT_PTR>(static_cast<intptr_t>(tool.id));
    ti.rect = ToRect(tool.rect);
    ti.hinst = static_cast<HINSTANCE>(modules_.Pointer(tool.hinst));
    std::string text;
    if (ToolTextIsWritten(msg)) {
        // The tooltip writes up to 80 characters (its documented limit).
        text.assign(std::max<size_t>(tool.text ? Ansi(*tool.text).size() + 1 : 0, 256), '\0');
        ti.lpszText = text.data();
    } else if (tool.text) {
        text = Ansi(*tool.text);
        ti.lpszText = text.data();
    }
    const LRESULT r = ::SendMessageA(UserHandle<HWND>(hwnd), msg, static_cast<WPARAM>(static_cast<intptr_t>(wparam)),
                                     reinterpret_cast<LPARAM>(&ti));
    KeepLastError();
    // The tooltip may fill the record (TTM_GETTOOLINFOA and the like).
    tool.flags = ti.uFlags;
    tool.hwnd = UserHandleValue(ti.hwnd);
    tool.id = static_cast<int32_t>(static_cast<intptr_t>(ti.uId));
    tool.rect = FromRect(ti.rect);
    if (ToolTextIsWritten(msg) && ti.lpszText == text.data()) tool.text = Text(text.c_str());
    return static_cast<int32_t>(r);
}

Handle Win32Windows::CreateWindowExA(uint32_t ex_style, const String& class_name, const String& window_name,
                                     uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height, Handle parent,
                                     Handle menu, Handle instance) {
    const std::string cls = Ansi(class_name);
    const std::string name = Ansi(window_name);
    HINSTANCE hinst = static_cast<HINSTANCE>(modules_.Pointer(instance));
    const HWND hwnd = ::CreateWindowExA(ex_style, cls.c_str(), name.c_str(), style, x, y, width, height,
                                        UserHandle<HWND>(parent), UserHandle<HMENU>(menu), hinst, nullptr);
    KeepLastError();
    return UserHandleValue(hwnd);
}

int32_t Win32Windows::DestroyWindow(Handle hwnd) {
    const BOOL ok = ::DestroyWindow(UserHandle<HWND>(hwnd));
    KeepLastError();
    return ok ? 1 : 0;
}

int32_t Win32Windows::GetWindowLongA(Handle hwnd, int32_t index) {
    const LONG value = ::GetWindowLongA(UserHandle<HWND>(hwnd), index);
    KeepLastError();
    return value;
}

int32_t Win32Windows::SetWindowLongA(Handle hwnd, int32_t index, int32_t value) {
    const LONG old = ::SetWindowLongA(UserHandle<HWND>(hwnd), index, value);
    KeepLastError();
    return old;
}

Handle Win32Windows::GetDC(Handle hwnd) { return UserHandleValue(::GetDC(UserHandle<HWND>(hwnd))); }

int32_t Win32Windows::ReleaseDC(Handle hwnd, Handle dc) {
    return ::ReleaseDC(UserHandle<HWND>(hwnd), UserHandle<HDC>(dc));
}

int32_t Win32Windows::GetDeviceCaps(Handle dc, int32_t index) { return ::GetDeviceCaps(UserHandle<HDC>(dc), index); }

Handle Win32Windows::CreateFontIndirectA(const LogFont& font) {
    LOGFONTA lf = {};
    lf.lfHeight = font.height;
    lf.lfWidth = font.width;
    lf.lfEscapement = font.escapement;
    lf.lfOrientation = font.orientation;
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strike_out;
    lf.lfCharSet = font.char_set;
    lf.lfOutPrecision = font.out_precision;
    lf.lfClipPrecision = font.clip_precision;
    lf.lfQuality = font.quality;
    lf.lfPitchAndFamily = font.pitch_and_family;
    const std::string face = Ansi(font.face_name);
    std::memcpy(lf.lfFaceName, face.data(), std::min(face.size(), sizeof lf.lfFaceName - 1));
    const HFONT hfont = ::CreateFontIndirectA(&lf);
    KeepLastError();
    return UserHandleValue(hfont);
}

int32_t Win32Windows::DeleteObject(Handle object) { return ::DeleteObject(UserHandle<HGDIOBJ>(object)) ? 1 : 0; }

}  // namespace quibor15::win32
