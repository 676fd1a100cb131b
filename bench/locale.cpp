// What the locale services cost: building the whole catalogue (creating
// clsQuiborInternationalA), composing an amount, reading dates back and
// sorting a list-box sized list, on the ICU locale database.
//
// The platform here is a thin set of entry points over the database that
// pass its texts as UTF-16, as the simulated Windows does on the ICU
// database (the system's code page, 1252, is only there to be asked for), so
// the figures are the component's and the database's, not a simulation's.
#include <benchmark/benchmark.h>

#include <memory>

#include "../platform/icu/icu_locale_database.hpp"
#include "quibor15/codepage.hpp"
#include "quibor15/context.hpp"
#include "quibor15/interfaces.hpp"
#include "quibor15/library.hpp"

namespace {

using namespace quibor15;

class AnsiLocaleEntryPoints final : public WindowsServices {
public:
    explicit AnsiLocaleEntryPoints(std::shared_ptr<LocaleDatabase> database)
        : database_(std::move(database)), code_page_(MakeAnsiCodePage(1252)) {}

    const AnsiCodePage& CodePage() const override { return *code_page_; }
    bool LocaleTextsCrossCodePage() const override { return false; }

    int32_t GetSystemDefaultLCID() override { return database_->SystemDefaultLcid(); }
    int32_t IsValidLocale(int32_t lcid, uint32_t) override { return database_->IsInstalled(lcid) ? 1 : 0; }
    int32_t GetLocaleInfoA(int32_t lcid, uint32_t lctype, String& out, int32_t buffer_chars) override {
        return Deliver(database_->GetInfo(lcid, lctype), out, buffer_chars);
    }
    int32_t GetDateFormatA(int32_t lcid, uint32_t flags, const SystemTime& time, const String* picture, String& out,
                           int32_t buffer_chars) override {
        return Deliver(database_->FormatDate(lcid, flags, time, picture), out, buffer_chars);
    }
    int32_t GetTimeFormatA(int32_t lcid, uint32_t flags, const SystemTime& time, const String* picture, String& out,
                           int32_t buffer_chars) override {
        return Deliver(database_->FormatTime(lcid, flags, time, picture), out, buffer_chars);
    }
    int32_t EnumDateFormatsA(const PictureCallback& callback, int32_t lcid, uint32_t flags) override {
        if (!database_->IsInstalled(lcid)) return 0;
        for (const String& picture : database_->DatePictures(lcid, flags))
            if (!callback(picture)) break;
        return 1;
    }
    int32_t EnumTimeFormatsA(const PictureCallback& callback, int32_t lcid, uint32_t) override {
        if (!database_->IsInstalled(lcid)) return 0;
        for (const String& picture : database_->TimePictures(lcid))
            if (!callback(picture)) break;
        return 1;
    }
    int32_t CompareStringA(int32_t lcid, uint32_t flags, const String& a, const String& b) override {
        return database_->Compare(lcid, flags, a, b);
    }
    std::unique_ptr<ListComparison> CompareStringsA(int32_t lcid, uint32_t flags, std::vector<String> texts) override {
        return database_->CompareList(lcid, flags, std::move(texts));
    }
    int32_t LCMapStringA(int32_t lcid, uint32_t flags, const String& source, String& out) override {
        auto mapped = database_->MapCase(lcid, flags, source);
        if (!mapped) return 0;
        out = std::move(*mapped);
        return static_cast<int32_t>(out.size());
    }

    // Nothing else of the platform is used by the locale services.
    Handle LoadLibraryA(const String&) override { Unused(u"LoadLibraryA"); }
    Handle FindResourceExA(Handle, int32_t, int32_t, int32_t) override { Unused(u"FindResourceExA"); }
    Handle LoadResource(Handle, Handle) override { Unused(u"LoadResource"); }
    std::vector<uint8_t> LockResource(Handle) override { Unused(u"LockResource"); }
    uint32_t SizeofResource(Handle, Handle) override { Unused(u"SizeofResource"); }
    int32_t FreeResource(Handle) override { Unused(u"FreeResource"); }
    int32_t FreeLibrary(Handle) override { Unused(u"FreeLibrary"); }
    int32_t GetVersionExA(OsVersionInfo&) override { Unused(u"GetVersionExA"); }
    int32_t MulDiv(int32_t, int32_t, int32_t) override { Unused(u"MulDiv"); }
    int32_t GetSystemMetrics(int32_t) override { Unused(u"GetSystemMetrics"); }
    Handle MonitorFromRect(const Rect&, uint32_t) override { Unused(u"MonitorFromRect"); }
    Handle MonitorFromWindow(Handle, uint32_t) override { Unused(u"MonitorFromWindow"); }
    int32_t GetMonitorInfoA(Handle, MonitorInfo&) override { Unused(u"GetMonitorInfoA"); }
    int32_t SetWindowPos(Handle, Handle, int32_t, int32_t, int32_t, int32_t, uint32_t) override {
        Unused(u"SetWindowPos");
    }
    int32_t SetForegroundWindow(Handle) override { Unused(u"SetForegroundWindow"); }
    int32_t SendMessageA(Handle, uint32_t, int32_t, int32_t) override { Unused(u"SendMessageA"); }
    int32_t SendMessageTextA(Handle, uint32_t, int32_t, const String&) override { Unused(u"SendMessageTextA"); }
    int32_t SendMessageToolA(Handle, uint32_t, int32_t, ToolInfo&) override { Unused(u"SendMessageToolA"); }
    Handle CreateWindowExA(uint32_t, const String&, const String&, uint32_t, int32_t, int32_t, int32_t, int32_t, Handle,
                           Handle, Handle) override {
        Unused(u"CreateWindowExA");
    }
    int32_t DestroyWindow(Handle) override { Unused(u"DestroyWindow"); }
    int32_t GetWindowLongA(Handle, int32_t) override { Unused(u"GetWindowLongA"); }
    int32_t SetWindowLongA(Handle, int32_t, int32_t) override { Unused(u"SetWindowLongA"); }
    Handle GetDC(Handle) override { Unused(u"GetDC"); }
    int32_t ReleaseDC(Handle, Handle) override { Unused(u"ReleaseDC"); }
    int32_t GetDeviceCaps(Handle, int32_t) override { Unused(u"GetDeviceCaps"); }
    Handle CreateFontIndirectA(const LogFont&) override { Unused(u"CreateFontIndirectA"); }
    int32_t DeleteObject(Handle) override { Unused(u"DeleteObject"); }
    uint32_t GetLastError() override { Unused(u"GetLastError"); }
    void SHAddToRecentDocs(uint32_t, const String&) override { Unused(u"SHAddToRecentDocs"); }
    int32_t ShellExecuteA(Handle, const String&, const String&, const String&, const String&, int32_t) override {
        Unused(u"ShellExecuteA");
    }
    void InitCommonControls() override { Unused(u"InitCommonControls"); }
    int32_t InitCommonControlsEx(const quibor15::InitCommonControlsEx&) override { Unused(u"InitCommonControlsEx"); }
    uint32_t mciSendStringA(const String&, String*, uint32_t, Handle) override { Unused(u"mciSendStringA"); }
    int32_t mciGetErrorStringA(uint32_t, String&, uint32_t) override { Unused(u"mciGetErrorStringA"); }

private:
    [[noreturn]] static void Unused(std::u16string_view function) {
        RaiseRuntimeError(rt::kDllEntryPointNotFound, String(function));
    }
    static int32_t Deliver(std::optional<String> text, String& out, int32_t buffer_chars) {
        if (!text || static_cast<int32_t>(text->size()) >= buffer_chars) return 0;
        out = std::move(*text);
        return static_cast<int32_t>(out.size()) + 1;
    }

    std::shared_ptr<LocaleDatabase> database_;
    std::unique_ptr<AnsiCodePage> code_page_;
};

ContextPtr ContextOn(std::shared_ptr<LocaleDatabase> database) {
    return std::make_shared<Context>(nullptr, std::make_shared<AnsiLocaleEntryPoints>(std::move(database)));
}

Ref<_clsQuiborInternationalA> CreateCatalogue(Library& library) {
    return RefCast<_clsQuiborInternationalA>(library.CreateObject(u"quibor15.clsQuiborInternationalA"));
}

// A catalogue on a database that has not answered for any locale yet: the
// first catalogue a process builds.
void BM_CatalogueCreationColdDatabase(benchmark::State& state) {
    for (auto _ : state) {
        Library library(ContextOn(std::make_shared<icu_backend::IcuLocaleDatabase>()));
        auto catalogue = CreateCatalogue(library);
        benchmark::DoNotOptimize(catalogue.Get());
        state.counters["locales"] = catalogue->get_Locales()->get_Count();
    }
}
BENCHMARK(BM_CatalogueCreationColdDatabase)->Unit(benchmark::kMillisecond);

// Every later catalogue: the database has answered for every locale
// before; the component asks again and builds its objects again.
void BM_CatalogueCreation(benchmark::State& state) {
    Library library(ContextOn(std::make_shared<icu_backend::IcuLocaleDatabase>()));
    CreateCatalogue(library);
    for (auto _ : state) {
        auto catalogue = CreateCatalogue(library);
        benchmark::DoNotOptimize(catalogue.Get());
    }
}
BENCHMARK(BM_CatalogueCreation)->Unit(benchmark::kMillisecond);

class EnglishLocale : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override {
        library_ = std::make_unique<Library>(ContextOn(std::make_shared<icu_backend::IcuLocaleDatabase>()));
        catalogue_ = CreateCatalogue(*library_);
        locale_ = catalogue_->get_SystemDefault();
    }
    void TearDown(const benchmark::State&) override {
        locale_.Reset();
        catalogue_.Reset();
        library_.reset();
    }

protected:
    std::unique_ptr<Library> library_;
    Ref<_clsQuiborInternationalA> catalogue_;
    Ref<_clsQuiborLocaleA> locale_;
};

BENCHMARK_F(EnglishLocale, FormatCurrency)(benchmark::State& state) {
    Double value = -1234567.891;
    Boolean grouping = Boolean::From(true), symbol = Boolean::From(true);
    for (auto _ : state) benchmark::DoNotOptimize(locale_->FormatCurrency(value, grouping, symbol));
}

// The default short picture fits.
BENCHMARK_F(EnglishLocale, LocaleCDateDefaultPicture)(benchmark::State& state) {
    String text = u"5/3/2010";
    for (auto _ : state) benchmark::DoNotOptimize(locale_->LocaleCDate(text));
}

// Five short pictures are tried before one fits.
BENCHMARK_F(EnglishLocale, LocaleCDateLaterPicture)(benchmark::State& state) {
    String text = u"2010-11-26";
    for (auto _ : state) benchmark::DoNotOptimize(locale_->LocaleCDate(text));
}

// A month written as a name.
BENCHMARK_F(EnglishLocale, LocaleCDateMonthName)(benchmark::State& state) {
    String text = u"Friday, November 26, 2010";
    for (auto _ : state) benchmark::DoNotOptimize(locale_->LocaleCDate(text));
}

BENCHMARK_F(EnglishLocale, ListSort100)(benchmark::State& state) {
    SafeArray texts = SafeArray::OneDim(VarType::String, 0, 99);
    const char16_t* words[] = {u"pear",  u"Apple", u"banana", u"cherry", u"date",
                               u"Elder", u"fig",   u"grape",  u"kiwi",   u"Lemon"};
    for (int32_t k = 0; k < 100; ++k) {
        texts.At(k) = Variant(String(words[(k * 7) % 10]) + u" " + String(1, static_cast<char16_t>(u'a' + k % 26)) +
                              String(1, static_cast<char16_t>(u'0' + k / 26)));
    }
    Variant list(std::move(texts));
    Boolean ascending = Boolean::From(true), ignore_case = Boolean::From(true);
    for (auto _ : state) benchmark::DoNotOptimize(locale_->ListSort(list, ascending, ignore_case));
}

}  // namespace
