// The headless world a script runs in: the forms runtime without a screen,
// the simulated Windows on the real locale database, the component's
// catalogue, and the objects scripts reach it through (Forms, User, Sim).
#pragma once

#include <memory>
#include <ostream>
#include <unordered_map>
#include <vector>

#include "host/script/interpreter.hpp"
#include "host/script/script_host.hpp"
#include "platform/headless/headless_runtime.hpp"
#include "platform/icu/icu_locale_database.hpp"
#include "platform/sim/sim_windows.hpp"
#include "quibor15/library.hpp"

namespace quibor15::host {

class World final : public script::ScriptHost {
public:
    // Standard output of the script goes to `out` as UTF-8. App.Path is
    // `app_folder` (the current directory when empty), and the library's
    // module file lies there.
    explicit World(std::ostream& out, String app_folder = {});
    ~World() override;
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Gives the script its global objects: Forms, User and Sim.
    void Connect(script::Interpreter& interp);

    headless::HeadlessRuntime& Runtime() noexcept { return *runtime_; }
    sim::SimWindows& Windows() noexcept { return *windows_; }
    icu_backend::IcuLocaleDatabase& Locales() noexcept { return *locales_; }
    Library& Catalogue() noexcept { return *library_; }
    const ContextPtr& GetContext() const noexcept { return context_; }

    // --- script::ScriptHost
    NumberFormat SystemNumberFormat() override;
    String DateText(Date value) override;
    void Write(std::u16string_view text) override;
    void WriteLine(std::u16string_view line) override;
    ObjectRef CreateObject(std::u16string_view progid) override;
    Date Now() override;
    double SecondsSinceMidnight() override;
    const AnsiCodePage& CodePage() override;
    int32_t MessageBox(const String& prompt, int32_t flags, const String& title) override;
    std::optional<String> LocaleInfo(uint32_t lctype) override;
    String DateOnlyText(Date value, bool long_date) override;
    String TimeOnlyText(Date value) override;
    void WriteError(std::u16string_view text) override;
    void Sleep(int32_t milliseconds) override;
    // Where WScript.StdErr writes (standard output until set).
    void SetErrorStream(std::ostream& err) noexcept { err_ = &err; }
    ObjectRef GlobalMemberOwner(std::u16string_view name) override;
    std::optional<Variant> ExtraMember(const ObjectRef& object, std::u16string_view name, uint16_t flags,
                                       std::span<Variant> args) override;

    using FormList = std::vector<Ref<headless::Form>>;
    // The forms Forms.Add made, loaded or not.
    const std::shared_ptr<FormList>& HostForms() const noexcept { return host_forms_; }
    const std::shared_ptr<headless::HeadlessRuntime>& RuntimePtr() const noexcept { return runtime_; }
    const std::shared_ptr<sim::SimWindows>& WindowsPtr() const noexcept { return windows_; }
    const std::shared_ptr<icu_backend::IcuLocaleDatabase>& LocalesPtr() const noexcept { return locales_; }

private:
    std::ostream& out_;
    std::ostream* err_ = nullptr;
    std::shared_ptr<const AnsiCodePage> code_page_;
    std::shared_ptr<icu_backend::IcuLocaleDatabase> locales_;
    std::shared_ptr<sim::SimWindows> windows_;
    std::shared_ptr<headless::HeadlessRuntime> runtime_;
    ContextPtr context_;
    std::unique_ptr<Library> library_;
    std::shared_ptr<FormList> host_forms_ = std::make_shared<FormList>();
    // By LCID; a map's entries stay in place, so each format can point at
    // its month names.
    struct LocaleFormat {
        NumberFormat format;
        MonthNames months;
    };
    std::unordered_map<int32_t, LocaleFormat> number_formats_;
};

// Makes the simulated Windows' desktop one monitor of the screen's size in
// pixels, the work area above a 40-pixel taskbar: one consistent machine.
void MatchPrimaryMonitor(sim::SimWindows& windows, headless::HeadlessRuntime& runtime);

// The script-visible objects of the world (world_objects.cpp).
ObjectRef MakeFormsObject(World& world);
ObjectRef MakeUserObject(World& world, script::Interpreter& interp);
// The User of a program without a script.
ObjectRef MakeUserObject(World& world);
ObjectRef MakeSimObject(World& world);

}  // namespace quibor15::host
