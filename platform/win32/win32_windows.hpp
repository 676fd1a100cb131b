// The Windows services on real Windows: each method calls the ANSI entry
// point of the same name, converting text between UTF-16 and the system's
// ANSI code page. Entry points that an older system may lack (the monitor
// functions, InitCommonControlsEx, the shell's recent documents, the media
// command interface) are looked up when first called; a missing one raises
// error 453, as a call through a declared function does.
#pragma once

#include <memory>
#include <unordered_map>

#include "platform/win32/handle_table.hpp"
#include "quibor15/windows_services.hpp"

namespace quibor15::win32 {

class Win32Windows final : public WindowsServices {
public:
    Win32Windows();
    ~Win32Windows() override;

    // The number under which a module handle (an HMODULE / HINSTANCE)
    // travels through the component, as App.hInstance gives it.
    Handle ModuleNumber(void* module);

    const AnsiCodePage& CodePage() const override;

    int32_t GetSystemDefaultLCID() override;
    int32_t IsValidLocale(int32_t lcid, uint32_t flags) override;
    int32_t GetLocaleInfoA(int32_t lcid, uint32_t lctype, String& out, int32_t buffer_chars) override;
    int32_t GetDateFormatA(int32_t lcid, uint32_t flags, const SystemTime& time, const String* picture, String& out,
                           int32_t buffer_chars) override;
    int32_t GetTimeFormatA(int32_t lcid, uint32_t flags, const SystemTime& time, const String* picture, String& out,
                           int32_t buffer_chars) override;
    int32_t EnumDateFormatsA(const PictureCallback& callback, int32_t lcid, uint32_t flags) override;
    int32_t EnumTimeFormatsA(const PictureCallback& callback, int32_t lcid, uint32_t flags) override;
    int32_t CompareStringA(int32_t lcid, uint32_t flags, const String& a, const String& b) override;
    int32_t LCMapStringA(int32_t lcid, uint32_t flags, const String& source, String& out) override;

    Handle LoadLibraryA(const String& path) override;
    Handle FindResourceExA(Handle module, int32_t type, int32_t name, int32_t language) override;
    Handle LoadResource(Handle module, Handle resource) override;
    std::vector<uint8_t> LockResource(Handle loaded) override;
    uint32_t SizeofResource(Handle module, Handle resource) override;
    int32_t FreeResource(Handle loaded) override;
    int32_t FreeLibrary(Handle module) override;

    int32_t GetVersionExA(OsVersionInfo& info) override;
    int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) override;

    int32_t GetSystemMetrics(int32_t index) override;
    Handle MonitorFromRect(const Rect& rect, uint32_t flags) override;
    Handle MonitorFromWindow(Handle hwnd, uint32_t flags) override;
    int32_t GetMonitorInfoA(Handle monitor, MonitorInfo& info) override;
    int32_t SetWindowPos(Handle hwnd, Handle insert_after, int32_t x, int32_t y, int32_t cx, int32_t cy,
                         uint32_t flags) override;
    int32_t SetForegroundWindow(Handle hwnd) override;
    int32_t SendMessageA(Handle hwnd, uint32_t msg, int32_t wparam, int32_t lparam) override;
    int32_t SendMessageTextA(Handle hwnd, uint32_t msg, int32_t wparam, const String& lparam) override;
    int32_t SendMessageToolA(Handle hwnd, uint32_t msg, int32_t wparam, ToolInfo& lparam) override;
    Handle CreateWindowExA(uint32_t ex_style, const String& class_name, const String& window_name, uint32_t style,
                           int32_t x, int32_t y, int32_t width, int32_t height, Handle parent, Handle menu,
                           Handle instance) override;
    int32_t DestroyWindow(Handle hwnd) override;
    int32_t GetWindowLongA(Handle hwnd, int32_t index) override;
    int32_t SetWindowLongA(Handle hwnd, int32_t index, int32_t value) override;
    Handle GetDC(Handle hwnd) override;
    int32_t ReleaseDC(Handle hwnd, Handle dc) override;

    int32_t GetDeviceCaps(Handle dc, int32_t index) override;
    Handle CreateFontIndirectA(const LogFont& font) override;
    int32_t DeleteObject(Handle object) override;

    uint32_t GetLastError() override;

    void SHAddToRecentDocs(uint32_t flags, const String& path) override;
    int32_t ShellExecuteA(Handle hwnd, const String& verb, const String& file, const String& parameters,
                          const String& directory, int32_t show) override;

    void InitCommonControls() override;
    int32_t InitCommonControlsEx(const quibor15::InitCommonControlsEx& init) override;

    uint32_t mciSendStringA(const String& command, String* reply, uint32_t reply_length, Handle callback) override;
    int32_t mciGetErrorStringA(uint32_t code, String& buffer, uint32_t length) override;

    // Bytes of the ANSI code page, and back.
    std::string Ansi(const String& text) const;
    String Text(std::string_view bytes) const;

private:
    struct Entries;
    // The module an entry point lives in and the entry point, looked up
    // once; error 453 when the system lacks it.
    void* EntryPoint(const char* module, const char* name);
    void KeepLastError();

    std::unique_ptr<AnsiCodePage> code_page_;
    HandleTable modules_;                                // HMODULE
    HandleTable resources_;                              // HRSRC
    HandleTable loaded_;                                 // HGLOBAL of LoadResource
    std::unordered_map<Handle, uint32_t> loaded_sizes_;  // the resource's size, by loaded handle
    std::unique_ptr<Entries> entries_;
    uint32_t last_error_ = 0;
};

}  // namespace quibor15::win32
