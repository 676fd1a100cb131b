// A deterministic stand-in for every Windows service the component calls.
// Each call is logged with its arguments (call_log.hpp tells how they are
// written), and a test stages the system it needs through the setup
// members below: the code page, the locale database, module string tables,
// the version, the monitors, the host's windows, MCI replies, and the
// failures and missing entry points of old systems.
//
// What a fresh object looks like: the ANSI code page of the system locale
// (1252 for the standard fixture locales, system default 0x0409); no modules (a host program with an empty
// string table); Windows NT 10.0 build 19045; one 1920 x 1080 monitor with
// a 40-pixel task bar at the bottom; 96 dots per inch; no windows; MCI
// answering "" and 0 to every command.
//
// Texts cross the ANSI code page both ways, as through the 8-bit entry
// points: what the component passes in is logged and used as the code page
// turns it, and every text handed back comes out of the code page, so a
// character the code page lacks comes back as its default character.
// Lengths that the ANSI functions count in bytes (GetLocaleInfoA's result,
// buffer sizes, MCI reply lengths) are counted in bytes of the code page.
// The locale functions are the exception when the locale database keeps
// its texts in Unicode (the one on ICU): they then pass UTF-16 unchanged and
// count in UTF-16 units.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "platform/sim/call_log.hpp"
#include "platform/sim/desktop.hpp"
#include "platform/sim/mci_recorder.hpp"
#include "platform/sim/string_table.hpp"
#include "platform/sim/system_code_page.hpp"
#include "platform/sim/tooltip_control.hpp"
#include "quibor15/object.hpp"
#include "quibor15/windows_services.hpp"

namespace quibor15::sim {

// System metrics and device capabilities the simulation answers.
namespace sm {
inline constexpr int32_t kCxScreen = 0;
inline constexpr int32_t kCyScreen = 1;
inline constexpr int32_t kXVirtualScreen = 0x4C;
inline constexpr int32_t kYVirtualScreen = 0x4D;
inline constexpr int32_t kCxVirtualScreen = 0x4E;
inline constexpr int32_t kCyVirtualScreen = 0x4F;
inline constexpr int32_t kCMonitors = 0x50;
}  // namespace sm

namespace caps {
inline constexpr int32_t kHorzRes = 8;
inline constexpr int32_t kVertRes = 10;
inline constexpr int32_t kBitsPixel = 12;
inline constexpr int32_t kPlanes = 14;
inline constexpr int32_t kLogPixelsX = 0x58;
inline constexpr int32_t kLogPixelsY = 0x5A;
}  // namespace caps

namespace cb {
inline constexpr uint32_t kFindString = 0x14C;
inline constexpr uint32_t kFindStringExact = 0x158;
inline constexpr int32_t kErr = -1;
}  // namespace cb

namespace lb {
inline constexpr uint32_t kFindString = 0x18F;
inline constexpr uint32_t kFindStringExact = 0x1A2;
}  // namespace lb

namespace swp {
inline constexpr uint32_t kNoSize = 0x1;
inline constexpr uint32_t kNoMove = 0x2;
inline constexpr uint32_t kNoZOrder = 0x4;
inline constexpr Handle kTop = 0;
inline constexpr Handle kBottom = 1;
inline constexpr Handle kTopmost = -1;
inline constexpr Handle kNoTopmost = -2;
}  // namespace swp

inline constexpr int32_t kGwlStyle = -16;
inline constexpr int32_t kGwlExStyle = -20;
inline constexpr uint32_t kWsPopup = 0x80000000;
inline constexpr uint32_t kWsExTopmost = 0x8;
inline constexpr uint32_t kWsExToolWindow = 0x80;
inline constexpr int32_t kCwUseDefault = static_cast<int32_t>(0x80000000u);
inline constexpr uint32_t kShardPathA = 2;
inline constexpr int32_t kShellExecuteSuccess = 42;
inline constexpr int32_t kErrorFileNotFound = 2;
inline constexpr char16_t kTooltipClass[] = u"tooltips_class32";

// One window message as sent, with the window's answer.
struct MessageRecord {
    Handle hwnd = 0;
    uint32_t msg = 0;
    int32_t wparam = 0;
    int32_t lparam = 0;            // SendMessageA
    std::optional<String> text;    // SendMessageTextA, after the code page
    std::optional<ToolInfo> tool;  // SendMessageToolA, as sent
    int32_t result = 0;
};

class SimWindows : public WindowsServices {
public:
    // Finds the object of the forms runtime (a form or control) behind a
    // window handle; Nothing when the handle is not one of its windows.
    using WindowResolver = std::function<ObjectRef(Handle)>;

    SimWindows();

    // --- the log
    const CallLog& Log() const noexcept { return log_; }
    const std::vector<CallRecord>& Calls() const noexcept { return log_.All(); }
    std::vector<CallRecord> Calls(std::u16string_view function) const { return log_.To(function); }
    size_t CallCount(std::u16string_view function) const { return log_.Count(function); }
    const std::vector<MessageRecord>& Messages() const noexcept { return messages_; }
    std::vector<MessageRecord> MessagesTo(Handle hwnd) const;
    // Forgets the log, the messages and the MCI commands (not the state).
    void ClearLog();

    // --- code page
    // Pins the code page; error 5 for a number the converter does not know.
    void SetCodePage(int number);
    void SetCodePage(std::shared_ptr<const AnsiCodePage> code_page);
    // Lets the code page follow the system locale again.
    void FollowSystemLocale() { code_page_->Pin(nullptr); }
    // The code page object itself, for the parts of a host (text files,
    // the forms runtime) that must see the same system.
    std::shared_ptr<const AnsiCodePage> SharedCodePage() const { return code_page_; }

    // --- locale
    void SetLocaleDatabase(std::shared_ptr<LocaleDatabase> database);
    const std::shared_ptr<LocaleDatabase>& Locales() const noexcept { return locales_; }

    // --- resources
    ResourceStore& Resources() noexcept { return resources_; }
    const ResourceStore& Resources() const noexcept { return resources_; }
    Handle AddModule(const String& path) { return resources_.AddModule(path); }
    // module ResourceStore::kHostModule (0) is the host program's table.
    void SetString(Handle module, int32_t id, int32_t language, String text);
    void SetString(const String& module_path, int32_t id, int32_t language, String text);
    void SetHostString(int32_t id, int32_t language, String text);
    // Registers the component's own module file with its string table:
    // 110 "&OK", 111 "&Cancel", 112 "Select Language", 113 "&Select the
    // Present User Interface Language from the choices below.", language
    // 1033.
    Handle AddLibraryModule(const String& path = DefaultLibraryModulePath());
    static String DefaultLibraryModulePath();
    // The path last given to AddLibraryModule (the default before).
    const String& LibraryModulePath() const noexcept { return library_path_; }

    // --- version
    void SetVersion(uint32_t platform_id, uint32_t major, uint32_t minor, uint32_t build = 0, String csd_version = u"");
    // A failing GetVersionExA returns 0 and leaves the record untouched.
    void SetVersionFails(bool fails) noexcept { version_fails_ = fails; }

    // --- monitors
    Handle AddMonitor(const Rect& rect, const Rect& work);
    Handle AddMonitor(const Rect& rect) { return AddMonitor(rect, rect); }
    void ClearMonitors() { desktop_.Clear(); }
    const Desktop& DesktopLayout() const noexcept { return desktop_; }
    // MonitorFromRect, MonitorFromWindow and GetMonitorInfoA raise error
    // 453, as calls through declarations the system lacks do.
    void SetMultiMonitorEntryPointsMissing(bool missing) noexcept { monitor_entry_points_missing_ = missing; }
    // A system without multi-monitor support: SM_CMONITORS and the four
    // virtual-screen metrics answer 0.
    void SetMonitorCountMetricZero(bool zero) noexcept { monitor_count_zero_ = zero; }
    // Answers GetSystemMetrics(index) with value, whatever the layout.
    void SetSystemMetric(int32_t index, int32_t value) { metric_overrides_[index] = value; }

    // --- windows
    void SetWindowResolver(WindowResolver resolver) { resolver_ = std::move(resolver); }
    // Twips per pixel for reading a resolved window's Left/Top/Width/Height.
    void SetTwipsPerPixel(double twips) noexcept { twips_per_pixel_ = twips; }
    // A window of the host outside the forms runtime, with its rectangle
    // in screen pixels when it has one.
    void AddWindow(Handle hwnd, std::optional<Rect> rect = std::nullopt);
    // CreateWindowExA returns 0 while set.
    void SetCreateWindowFails(bool fails) noexcept { create_window_fails_ = fails; }
    // A window that messages reach: one made by CreateWindowExA and not
    // destroyed, one added by AddWindow, or one the resolver knows.
    bool IsWindow(Handle hwnd) const;
    std::optional<Rect> WindowRect(Handle hwnd) const;
    bool IsTopmost(Handle hwnd) const { return topmost_.count(hwnd) != 0; }
    Handle ForegroundWindow() const noexcept { return foreground_; }
    // Windows made by CreateWindowExA and not destroyed, in handle order.
    std::vector<Handle> LiveWindows() const;
    // The class name given to CreateWindowExA; "" for other windows.
    String WindowClass(Handle hwnd) const;
    // The tooltip control behind a window; nullptr when it is none.
    const TooltipControl* Tooltip(Handle hwnd) const;

    // --- graphics
    void SetLogPixels(int32_t x, int32_t y) noexcept {
        log_pixels_x_ = x;
        log_pixels_y_ = y;
    }
    int32_t LiveDCs() const noexcept { return static_cast<int32_t>(dcs_.size()); }
    int32_t LiveGdiObjects() const noexcept { return static_cast<int32_t>(fonts_.size()); }
    // The LOGFONT a live font was made from (face name as GDI keeps it).
    const LogFont* FontObject(Handle font) const;

    // --- shell
    const std::vector<String>& RecentDocuments() const noexcept { return recent_documents_; }
    // A document ShellExecuteA finds even though no such file exists.
    void AddKnownDocument(const String& path);
    // The result of every ShellExecuteA while set.
    void SetShellExecuteResult(std::optional<int32_t> result) noexcept { shell_execute_result_ = result; }

    // --- common controls
    // InitCommonControlsEx raises error 453.
    void SetInitCommonControlsExMissing(bool missing) noexcept { init_ex_missing_ = missing; }
    // The ICC_ classes initialised so far, ORed.
    int32_t InitializedControlClasses() const noexcept { return initialized_classes_; }

    // --- multimedia
    void SetMciReply(const String& command, String reply, uint32_t code = 0);
    void QueueMciReplies(const String& command, std::vector<MciReply> answers);
    void SetMciDefault(String reply, uint32_t code = 0);
    const MciRecorder& Mci() const noexcept { return mci_; }
    std::vector<String> MciCommands() const { return mci_.Commands(); }

    // --- WindowsServices
    const AnsiCodePage& CodePage() const override { return *code_page_; }
    bool LocaleTextsCrossCodePage() const override { return !locales_->KeepsUnicodeTexts(); }

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
    // On a database of Unicode texts the list is compared by the database
    // itself, and its comparisons are not logged one by one.
    std::unique_ptr<ListComparison> CompareStringsA(int32_t lcid, uint32_t flags, std::vector<String> texts) override;
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
    // Makes the next SHAddToRecentDocs calls leave `code` as the last error
    // and add nothing (0 restores success).
    void SetRecentDocsError(uint32_t code) noexcept { recent_docs_error_ = code; }
    int32_t ShellExecuteA(Handle hwnd, const String& verb, const String& file, const String& parameters,
                          const String& directory, int32_t show) override;

    void InitCommonControls() override;
    int32_t InitCommonControlsEx(const quibor15::InitCommonControlsEx& init) override;

    uint32_t mciSendStringA(const String& command, String* reply, uint32_t reply_length, Handle callback) override;
    int32_t mciGetErrorStringA(uint32_t code, String& buffer, uint32_t length) override;

private:
    struct Window {
        String class_name;
        String title;
        std::optional<Rect> rect;
        Handle parent = 0;
        bool created = false;  // by CreateWindowExA (else added by a test)
    };

    // Text through the code page, and its length in code-page bytes.
    String Ansi(std::u16string_view text) const { return code_page_->RoundTrip(text); }
    size_t AnsiBytes(std::u16string_view text) const { return code_page_->Encode(text).size(); }
    // The longest prefix of text whose code-page form fits in max_bytes.
    String AnsiPrefix(std::u16string_view text, size_t max_bytes) const;
    // Length in the units the locale functions count.
    size_t LocaleUnits(std::u16string_view text) const {
        return LocaleTextsCrossCodePage() ? AnsiBytes(text) : text.size();
    }
    // Hands a text to a GetLocaleInfoA-style caller.
    int32_t DeliverText(const std::optional<String>& text, String& out, int32_t buffer_chars) const;
    // Writes text into a caller's fixed buffer from index 0 with a NUL,
    // within length code-page bytes and the buffer's own size.
    void WriteIntoBuffer(String& buffer, uint32_t length, const String& text) const;

    std::optional<Rect> ResolvedWindowRect(Handle hwnd) const;
    int32_t StoredWindowLong(Handle hwnd, int32_t index) const;
    int32_t FindListString(Handle hwnd, uint32_t msg, int32_t start, const String& text) const;
    bool DocumentExists(const String& file, const String& directory) const;
    void RecordMessage(MessageRecord record) { messages_.push_back(std::move(record)); }

    CallLog log_;
    std::vector<MessageRecord> messages_;
    std::shared_ptr<LocaleDatabase> locales_;
    std::shared_ptr<SystemCodePage> code_page_;

    ResourceStore resources_;
    String library_path_;

    OsVersionInfo version_;
    bool version_fails_ = false;

    Desktop desktop_;
    bool monitor_entry_points_missing_ = false;
    bool monitor_count_zero_ = false;
    std::map<int32_t, int32_t> metric_overrides_;

    WindowResolver resolver_;
    double twips_per_pixel_ = 15.0;
    bool create_window_fails_ = false;
    std::map<Handle, Window> windows_;
    std::map<Handle, TooltipControl> tooltips_;
    std::map<Handle, std::map<int32_t, int32_t>> window_longs_;
    std::set<Handle> topmost_;
    Handle foreground_ = 0;
    Handle next_tooltip_ = 0x00700002;
    Handle next_plain_window_ = 0x00900002;

    int32_t log_pixels_x_ = 96;
    int32_t log_pixels_y_ = 96;
    std::map<Handle, Handle> dcs_;  // DC -> window
    std::map<Handle, LogFont> fonts_;
    Handle next_dc_ = 0x01010001;
    Handle next_font_ = 0x0A010001;

    std::vector<String> recent_documents_;
    uint32_t recent_docs_error_ = 0;
    uint32_t last_error_ = 0;
    std::set<String> known_documents_;  // path keys
    std::optional<int32_t> shell_execute_result_;

    bool init_ex_missing_ = false;
    int32_t initialized_classes_ = 0;

    MciRecorder mci_;
};

}  // namespace quibor15::sim
