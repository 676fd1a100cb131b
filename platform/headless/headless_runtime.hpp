// The forms runtime without a screen: the host runtime interface the
// component uses, plus what a host program or a test needs to build forms
// and to act as the user.
//
//     auto runtime = std::make_shared<HeadlessRuntime>();
//     Ref<Form> form = runtime->AddForm(u"frmMain");
//     Ref<ControlArray> frames = form->AddControlArray(ControlKind::Frame, u"fraStep", 3);
//     Ref<CommandButton> ok = form->Add<CommandButton>(u"cmdOK");
//     form->Show();
//     runtime->ScriptedUser().Click(ok);
//
// Every form and control is an Object reached late-bound by member name
// (form.Controls.Add "VB.Label", "lblTitle"; frames(2).Visible = True) and
// raises its events to connected sinks.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/headless/app_object.hpp"
#include "platform/headless/combo_box.hpp"
#include "platform/headless/command_button.hpp"
#include "platform/headless/control_array.hpp"
#include "platform/headless/controls_collection.hpp"
#include "platform/headless/desktop.hpp"
#include "platform/headless/form.hpp"
#include "platform/headless/frame_control.hpp"
#include "platform/headless/image_control.hpp"
#include "platform/headless/keys.hpp"
#include "platform/headless/label.hpp"
#include "platform/headless/list_box.hpp"
#include "platform/headless/picture_box.hpp"
#include "platform/headless/screen_object.hpp"
#include "platform/headless/text_box.hpp"
#include "platform/headless/text_files.hpp"
#include "platform/headless/user.hpp"
#include "quibor15/host_runtime.hpp"

namespace quibor15::headless {

class HeadlessRuntime final : public HostRuntime {
public:
    struct Options {
        // App.Path; the current directory when empty.
        String app_path;
        String app_title = u"quibor15";
        String exe_name = u"quibor15";
        Long instance = 0x00400000;
        // The ANSI code page of text files and key characters; 1252 when
        // absent.
        std::shared_ptr<const AnsiCodePage> code_page;
    };

    HeadlessRuntime();
    explicit HeadlessRuntime(Options options);
    // With a code page the caller keeps alive for the runtime's lifetime.
    explicit HeadlessRuntime(const AnsiCodePage& code_page, String app_path = {});
    ~HeadlessRuntime() override;
    HeadlessRuntime(const HeadlessRuntime&) = delete;
    HeadlessRuntime& operator=(const HeadlessRuntime&) = delete;

    // --- HostRuntime
    ObjectRef NewForm(std::u16string_view name) override;
    void ShowModal(const ObjectRef& form) override;
    void Unload(const ObjectRef& form) override;
    ObjectRef App() override;
    ObjectRef Screen() override;
    ObjectRef NewFont() override;
    bool IsObjectOfKind(const ObjectRef& object, ObjectKind kind) override;
    int32_t MsgBox(const String& prompt, int32_t flags, const String& title) override;
    int32_t FreeFile() override;
    void OpenFile(int32_t number, const String& path, FileMode mode) override;
    bool FileEof(int32_t number) override;
    String FileReadLine(int32_t number) override;
    void FileWriteLine(int32_t number, const String& text) override;
    void FileClose(int32_t number) override;
    double SecondsSinceMidnight() override;
    // Calls the pump hook once (if set) and counts the call.
    void PumpEvents() override;

    // --- forms
    // A form of the host program (not loaded until shown or loaded).
    Ref<Form> AddForm(std::u16string_view name);
    // The loaded forms, in load order.
    std::vector<Ref<Form>> Forms() const { return desktop_->LoadedForms(); }

    // --- the user
    User& ScriptedUser() noexcept { return user_; }

    // --- window handles
    ObjectRef FindWindowObject(Handle handle) const { return desktop_->FindWindowObject(handle); }
    // The same lookup as a function that stays safe after the runtime is
    // gone (it then finds nothing), for a simulated Windows.
    std::function<ObjectRef(Handle)> WindowResolver() const;

    // --- App and Screen
    const Ref<AppObject>& AppSettings() const noexcept { return app_; }
    const Ref<ScreenObject>& ScreenSettings() const noexcept { return screen_; }
    void SetScreen(int32_t width_pixels, int32_t height_pixels, double twips_per_pixel_x = 15,
                   double twips_per_pixel_y = 15);

    // --- event loop and clock
    void SetPumpHook(std::function<void()> hook) { pump_hook_ = std::move(hook); }
    int64_t PumpCount() const noexcept { return pump_count_; }
    // Fixes the clock at a time of day (seconds after midnight).
    void SetClock(double seconds);
    // Moves the clock on (fixing it first at the real time if it runs
    // free); it wraps at midnight.
    void AdvanceClock(double seconds);
    // Back to the real local time.
    void UseSystemClock() noexcept { clock_.reset(); }
    bool ClockIsHeld() const noexcept { return clock_.has_value(); }

    const AnsiCodePage& CodePage() const noexcept { return desktop_->CodePage(); }
    Desktop& Desk() noexcept { return *desktop_; }

private:
    Ref<Form> Create(std::u16string_view name);
    static Form& FormOf(const ObjectRef& form);

    std::shared_ptr<const AnsiCodePage> code_page_;
    std::shared_ptr<Desktop> desktop_;
    User user_;
    Ref<AppObject> app_;
    Ref<ScreenObject> screen_;
    TextFiles files_;
    std::function<void()> pump_hook_;
    int64_t pump_count_ = 0;
    std::optional<double> clock_;
};

}  // namespace quibor15::headless
