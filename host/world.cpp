#include "host/world.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <thread>

#include "host/script/script_error.hpp"
#include "host/script/text.hpp"
#include "quibor15/collection.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::host {

namespace {

constexpr uint32_t kLocaleDecimal = 0x0E;           // LOCALE_SDECIMAL
constexpr uint32_t kLocaleThousand = 0x0F;          // LOCALE_STHOUSAND
constexpr uint32_t kLocaleMonthName1 = 0x38;        // LOCALE_SMONTHNAME1..12
constexpr uint32_t kLocaleAbbrevMonthName1 = 0x44;  // LOCALE_SABBREVMONTHNAME1..12

SystemTime SystemTimeOf(const DateParts& p) {
    SystemTime st;
    st.year = static_cast<uint16_t>(p.year);
    st.month = static_cast<uint16_t>(p.month);
    st.dayOfWeek = static_cast<uint16_t>(p.day_of_week - 1);
    st.day = static_cast<uint16_t>(p.day);
    st.hour = static_cast<uint16_t>(p.hour);
    st.minute = static_cast<uint16_t>(p.minute);
    st.second = static_cast<uint16_t>(p.second);
    return st;
}

}  // namespace

World::World(std::ostream& out, String app_folder)
    : out_(out),
      locales_(std::make_shared<icu_backend::IcuLocaleDatabase>()),
      windows_(std::make_shared<sim::SimWindows>()) {
    // A real folder, so that what a script writes beside the component
    // (its manifest) lands somewhere.
    if (app_folder.empty()) {
        std::error_code ec;
        app_folder = std::filesystem::current_path(ec).u16string();
    }
    // One ANSI code page for the whole simulated system, following its
    // system locale.
    windows_->SetLocaleDatabase(locales_);
    code_page_ = windows_->SharedCodePage();
    headless::HeadlessRuntime::Options options;
    options.app_path = app_folder;
    options.code_page = code_page_;
    runtime_ = std::make_shared<headless::HeadlessRuntime>(options);
    windows_->AddLibraryModule(FolderPrefix(app_folder) + options.exe_name + u".dll");
    windows_->SetWindowResolver(runtime_->WindowResolver());
    MatchPrimaryMonitor(*windows_, *runtime_);
    context_ = std::make_shared<Context>(runtime_, windows_);
    library_ = std::make_unique<Library>(context_);
}

void MatchPrimaryMonitor(sim::SimWindows& windows, headless::HeadlessRuntime& runtime) {
    constexpr int32_t kTaskbarPixels = 40;
    const headless::ScreenMetrics& screen = *runtime.Desk().Metrics();
    const int32_t width = screen.width_pixels, height = screen.height_pixels;
    windows.ClearMonitors();
    windows.AddMonitor(Rect{0, 0, width, height}, Rect{0, 0, width, std::max(0, height - kTaskbarPixels)});
}

World::~World() {
    // The component's implicit instances go first, then the forms.
    library_.reset();
    host_forms_->clear();
}

void World::Connect(script::Interpreter& interp) {
    interp.AddNamedObject(u"Forms", MakeFormsObject(*this));
    interp.AddNamedObject(u"User", MakeUserObject(*this, interp));
    interp.AddNamedObject(u"Sim", MakeSimObject(*this));
}

NumberFormat World::SystemNumberFormat() {
    const int32_t lcid = locales_->SystemDefaultLcid();
    auto [it, added] = number_formats_.try_emplace(lcid);
    LocaleFormat& entry = it->second;
    if (!added) return entry.format;
    NumberFormat& fmt = entry.format;
    if (auto d = locales_->GetInfo(lcid, kLocaleDecimal); d && !d->empty()) fmt.decimal = (*d)[0];
    if (auto t = locales_->GetInfo(lcid, kLocaleThousand); t && !t->empty()) fmt.thousands = (*t)[0];
    for (uint32_t m = 0; m < 12; ++m) {
        entry.months.full[m] = locales_->GetInfo(lcid, kLocaleMonthName1 + m).value_or(String());
        entry.months.abbreviated[m] = locales_->GetInfo(lcid, kLocaleAbbrevMonthName1 + m).value_or(String());
    }
    fmt.months = &entry.months;
    return fmt;
}

// As the system locale writes a date: its short date, then its time unless
// that is midnight; the day zero (1899-12-30) shows the time alone.
String World::DateText(Date value) {
    const DateParts parts = DateToParts(value);
    const SystemTime st = SystemTimeOf(parts);
    const int32_t lcid = locales_->SystemDefaultLcid();
    const bool has_date = !(parts.year == 1899 && parts.month == 12 && parts.day == 30);
    const bool has_time = !has_date || parts.hour != 0 || parts.minute != 0 || parts.second != 0;
    String text;
    if (has_date) {
        std::optional<String> date = locales_->FormatDate(lcid, lcflags::kDateShortDate, st, nullptr);
        if (!date) return VariantToString(Variant(value));
        text = *date;
    }
    if (has_time) {
        std::optional<String> time = locales_->FormatTime(lcid, 0, st, nullptr);
        if (!time) return VariantToString(Variant(value));
        if (!text.empty()) text += u' ';
        text += *time;
    }
    return text;
}

void World::Write(std::u16string_view text) { out_ << script::ToUtf8(text); }

void World::WriteLine(std::u16string_view line) { out_ << script::ToUtf8(line) << '\n'; }

ObjectRef World::CreateObject(std::u16string_view progid) {
    if (EqualsIgnoreCase(progid, u"VBA.Collection")) return ObjectRef(Collection::Create());
    try {
        return library_->CreateObject(progid);
    } catch (const AutomationError& e) {
        if (e.Number() != rt::kCannotCreateObject) throw;
        throw script::ScriptError(
            rt::kCannotCreateObject, script::kRuntimeErrorSource,
            script::ScriptErrorDescription(rt::kCannotCreateObject) + u": '" + String(progid) + u"'");
    }
}

Date World::Now() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    const double day = DateFromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).serial;
    // The time of day is the runtime's clock, which a host may hold still.
    const double seconds = std::floor(runtime_->SecondsSinceMidnight());
    return Date{day + seconds / 86400.0};
}

double World::SecondsSinceMidnight() { return runtime_->SecondsSinceMidnight(); }

const AnsiCodePage& World::CodePage() { return *code_page_; }

int32_t World::MessageBox(const String& prompt, int32_t flags, const String& title) {
    return runtime_->MsgBox(prompt, flags, title);
}

std::optional<String> World::LocaleInfo(uint32_t lctype) {
    return locales_->GetInfo(locales_->SystemDefaultLcid(), lctype);
}

String World::DateOnlyText(Date value, bool long_date) {
    const SystemTime st = SystemTimeOf(DateToParts(value));
    const uint32_t flags = long_date ? lcflags::kDateLongDate : lcflags::kDateShortDate;
    std::optional<String> text = locales_->FormatDate(locales_->SystemDefaultLcid(), flags, st, nullptr);
    return text ? *text : VariantToString(Variant(Date{std::floor(value.serial)}));
}

String World::TimeOnlyText(Date value) {
    const SystemTime st = SystemTimeOf(DateToParts(value));
    std::optional<String> text = locales_->FormatTime(locales_->SystemDefaultLcid(), 0, st, nullptr);
    return text ? *text : VariantToString(Variant(value));
}

void World::WriteError(std::u16string_view text) { (err_ ? *err_ : out_) << script::ToUtf8(text); }

// The headless world has no real time to wait for: a held clock moves on by
// the time slept, a free one is waited for; the events run either way.
void World::Sleep(int32_t milliseconds) {
    if (milliseconds > 0) {
        if (runtime_->ClockIsHeld()) {
            runtime_->AdvanceClock(milliseconds / 1000.0);
        } else {
            out_.flush();
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        }
    }
    runtime_->PumpEvents();
}

ObjectRef World::GlobalMemberOwner(std::u16string_view name) {
    for (const ClassDesc& c : Library::Types().classes) {
        if (!c.IsGlobal()) continue;
        ObjectRef instance = library_->GlobalInstance(c.name);
        if (instance && instance->GetIdOfName(name) != kDispIdUnknown) return instance;
    }
    return nullptr;
}

std::optional<Variant> World::ExtraMember(const ObjectRef& object, std::u16string_view name, uint16_t flags,
                                          std::span<Variant> args) {
    // form.Controls.AddArray(progid, name, count): a control array with
    // elements 0 to count - 1.
    if (!EqualsIgnoreCase(name, u"AddArray") || !(flags & kInvokeMethod)) return std::nullopt;
    auto* controls = dynamic_cast<headless::ControlsCollection*>(object.Get());
    if (!controls) return std::nullopt;
    headless::Form* form = nullptr;
    for (const Ref<headless::Form>& f : *host_forms_) {
        if (f->Controls().Get() == controls) form = f.Get();
    }
    for (const Ref<headless::Form>& f : runtime_->Forms()) {
        if (!form && f->Controls().Get() == controls) form = f.Get();
    }
    if (!form) return std::nullopt;
    if (args.size() != 3) RaiseRuntimeError(rt::kWrongArgumentCount);
    const String progid = VariantToString(args[0]);
    const std::optional<headless::ControlKind> kind = headless::KindFromName(progid);
    if (!kind) RaiseRuntimeError(711, u"Invalid class string: '" + progid + u"'");
    const String array_name = VariantToString(args[1]);
    const Integer count = VariantToInteger(args[2]);
    if (count < 1) RaiseRuntimeError(rt::kInvalidProcedureCall);
    return Variant(ObjectRef(form->AddControlArray(*kind, array_name, count)));
}

}  // namespace quibor15::host
