#include "platform/headless/headless_runtime.hpp"

#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>

#include "quibor15/collection.hpp"
#include "quibor15/font.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::headless {

namespace {

constexpr double kSecondsPerDay = 86400;

String CurrentDirectory() {
    std::error_code ec;
    std::filesystem::path here = std::filesystem::current_path(ec);
    return ec ? String() : here.u16string();
}

std::shared_ptr<const AnsiCodePage> DefaultCodePage(std::shared_ptr<const AnsiCodePage> given) {
    if (given) return given;
    return std::shared_ptr<const AnsiCodePage>(MakeAnsiCodePage(1252));
}

double LocalSecondsNow() {
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    auto since_second = now - std::chrono::system_clock::from_time_t(t);
    double fraction = std::chrono::duration<double>(since_second).count();
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

}  // namespace

HeadlessRuntime::HeadlessRuntime() : HeadlessRuntime(Options{}) {}

HeadlessRuntime::HeadlessRuntime(const AnsiCodePage& code_page, String app_path)
    : HeadlessRuntime(Options{std::move(app_path), u"quibor15", u"quibor15", 0x00400000,
                              std::shared_ptr<const AnsiCodePage>(&code_page, [](const AnsiCodePage*) {})}) {}

HeadlessRuntime::HeadlessRuntime(Options options)
    : code_page_(DefaultCodePage(std::move(options.code_page))),
      desktop_(std::make_shared<Desktop>(code_page_, [] { return ObjectRef(StdFont::Create()); })),
      user_(desktop_),
      app_(MakeRef<AppObject>(options.app_path.empty() ? CurrentDirectory() : std::move(options.app_path),
                              std::move(options.exe_name), std::move(options.app_title), options.instance)),
      screen_(MakeRef<ScreenObject>(desktop_->Metrics())),
      files_(code_page_) {}

HeadlessRuntime::~HeadlessRuntime() {
    files_.CloseAll();
    desktop_->Shutdown();
}

// --- forms

Ref<Form> HeadlessRuntime::Create(std::u16string_view name) {
    if (name.empty()) RaiseRuntimeError(rt::kInvalidProcedureCall);
    return MakeRef<Form>(desktop_, String(name));
}

Ref<Form> HeadlessRuntime::AddForm(std::u16string_view name) { return Create(name); }

ObjectRef HeadlessRuntime::NewForm(std::u16string_view name) { return ObjectRef(Create(name)); }

Form& HeadlessRuntime::FormOf(const ObjectRef& form) {
    if (!form) RaiseRuntimeError(rt::kObjectNotSet);
    auto* f = dynamic_cast<Form*>(form.Get());
    if (!f) RaiseRuntimeError(rt::kTypeMismatch);
    return *f;
}

void HeadlessRuntime::ShowModal(const ObjectRef& form) { FormOf(form).Show(true); }

void HeadlessRuntime::Unload(const ObjectRef& form) {
    Form& f = FormOf(form);
    Ref<Form> hold(&f);
    f.Unload(unload_mode::kFormCode);
}

// --- App, Screen, fonts, message boxes

ObjectRef HeadlessRuntime::App() { return ObjectRef(app_); }
ObjectRef HeadlessRuntime::Screen() { return ObjectRef(screen_); }
ObjectRef HeadlessRuntime::NewFont() { return desktop_->NewFont(); }

bool HeadlessRuntime::IsObjectOfKind(const ObjectRef& object, ObjectKind kind) {
    Object* o = object.Get();
    if (!o) return false;
    switch (kind) {
        case ObjectKind::Collection:
            return dynamic_cast<Collection*>(o) != nullptr;
        case ObjectKind::Font:
            return IsFontObject(object);
        case ObjectKind::Picture:
            // This runtime makes no pictures; a host program's picture
            // object names itself one.
            return EqualsIgnoreCase(o->TypeName(), u"Picture");
        case ObjectKind::Form:
            return dynamic_cast<Form*>(o) != nullptr;
        case ObjectKind::ComboBox:
            return dynamic_cast<ComboBox*>(o) != nullptr;
        case ObjectKind::TextBox:
            return dynamic_cast<TextBox*>(o) != nullptr;
    }
    return false;
}

void HeadlessRuntime::SetScreen(int32_t width_pixels, int32_t height_pixels, double twips_per_pixel_x,
                                double twips_per_pixel_y) {
    if (width_pixels <= 0 || height_pixels <= 0 || !(twips_per_pixel_x > 0) || !(twips_per_pixel_y > 0)) {
        RaiseRuntimeError(rt::kInvalidProcedureCall);
    }
    ScreenMetrics& m = *desktop_->Metrics();
    m.width_pixels = width_pixels;
    m.height_pixels = height_pixels;
    m.twips_per_pixel_x = twips_per_pixel_x;
    m.twips_per_pixel_y = twips_per_pixel_y;
}

int32_t HeadlessRuntime::MsgBox(const String& prompt, int32_t flags, const String& title) {
    return desktop_->MsgBox(prompt, flags, title);
}

std::function<ObjectRef(Handle)> HeadlessRuntime::WindowResolver() const {
    std::weak_ptr<Desktop> weak = desktop_;
    return [weak](Handle handle) {
        std::shared_ptr<Desktop> desktop = weak.lock();
        return desktop ? desktop->FindWindowObject(handle) : ObjectRef();
    };
}

// --- files

int32_t HeadlessRuntime::FreeFile() { return files_.FreeFile(); }
void HeadlessRuntime::OpenFile(int32_t number, const String& path, FileMode mode) { files_.Open(number, path, mode); }
bool HeadlessRuntime::FileEof(int32_t number) { return files_.Eof(number); }
String HeadlessRuntime::FileReadLine(int32_t number) { return files_.ReadLine(number); }
void HeadlessRuntime::FileWriteLine(int32_t number, const String& text) { files_.WriteLine(number, text); }
void HeadlessRuntime::FileClose(int32_t number) { files_.Close(number); }

// --- clock and event loop

double HeadlessRuntime::SecondsSinceMidnight() { return clock_ ? *clock_ : LocalSecondsNow(); }

void HeadlessRuntime::SetClock(double seconds) {
    if (!std::isfinite(seconds)) RaiseRuntimeError(rt::kInvalidProcedureCall);
    double wrapped = std::fmod(seconds, kSecondsPerDay);
    clock_ = wrapped < 0 ? wrapped + kSecondsPerDay : wrapped;
}

void HeadlessRuntime::AdvanceClock(double seconds) { SetClock(SecondsSinceMidnight() + seconds); }

void HeadlessRuntime::PumpEvents() {
    ++pump_count_;
    if (pump_hook_) {
        std::function<void()> hook = pump_hook_;  // the hook may replace itself
        hook();
    }
}

}  // namespace quibor15::headless
