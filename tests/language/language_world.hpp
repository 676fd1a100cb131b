// A staged world for the language tests: a headless forms runtime whose App
// is the component's own module file, a simulated Windows holding that
// module's string table and resolving the forms' window handles, and the
// fixture locale database (English, German, French, Japanese; system
// default English (United States)) unless a test asks for another.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "frame/core/expect_error.hpp"
#include "language/language_module.hpp"
#include "language/resource_text.hpp"
#include "language/wuills.hpp"
#include "platform/headless/headless_runtime.hpp"
#include "platform/icu/icu_locale_database.hpp"
#include "platform/sim/fixture_locale_database.hpp"
#include "platform/sim/sim_windows.hpp"
#include "quibor15/context.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::testing {

inline constexpr char16_t kLibraryFolder[] = u"C:\\Program Files\\quibor15";
inline constexpr char16_t kLibraryPath[] = u"C:\\Program Files\\quibor15\\quibor15.dll";
inline constexpr char16_t kAppTitle[] = u"Quibor Library";

inline headless::HeadlessRuntime::Options LibraryApp() {
    headless::HeadlessRuntime::Options options;
    options.app_path = kLibraryFolder;
    options.exe_name = u"quibor15";
    options.app_title = kAppTitle;
    return options;
}

// Windows does not count the default-locale aliases as installed locales.
class WithoutDefaultAliases : public LocaleDatabase {
public:
    explicit WithoutDefaultAliases(std::shared_ptr<LocaleDatabase> inner) : inner_(std::move(inner)) {}
    int32_t SystemDefaultLcid() const override { return inner_->SystemDefaultLcid(); }
    bool IsInstalled(int32_t lcid) const override {
        return lcid != 0 && lcid != 0x400 && lcid != 0x800 && inner_->IsInstalled(lcid);
    }
    std::optional<std::u16string> GetInfo(int32_t lcid, uint32_t lctype) const override {
        return inner_->GetInfo(lcid, lctype);
    }
    std::optional<std::u16string> FormatDate(int32_t lcid, uint32_t flags, const SystemTime& time,
                                             const std::u16string* picture) const override {
        return inner_->FormatDate(lcid, flags, time, picture);
    }
    std::optional<std::u16string> FormatTime(int32_t lcid, uint32_t flags, const SystemTime& time,
                                             const std::u16string* picture) const override {
        return inner_->FormatTime(lcid, flags, time, picture);
    }
    std::vector<std::u16string> DatePictures(int32_t lcid, uint32_t flags) const override {
        return inner_->DatePictures(lcid, flags);
    }
    std::vector<std::u16string> TimePictures(int32_t lcid) const override { return inner_->TimePictures(lcid); }
    int32_t Compare(int32_t lcid, uint32_t flags, std::u16string_view a, std::u16string_view b) const override {
        return inner_->Compare(lcid, flags, a, b);
    }
    std::optional<std::u16string> MapCase(int32_t lcid, uint32_t flags, std::u16string_view text) const override {
        return inner_->MapCase(lcid, flags, text);
    }

private:
    std::shared_ptr<LocaleDatabase> inner_;
};

// The world, with a Windows of type W (SimWindows or a test's variant).
template <class W = sim::SimWindows>
class LanguageWorldOf : public ::testing::Test {
protected:
    LanguageWorldOf() {
        windows->SetWindowResolver(runtime->WindowResolver());
        windows->AddLibraryModule(kLibraryPath);
        UseLocales(fixture);
    }

    void UseLocales(std::shared_ptr<LocaleDatabase> database) {
        windows->SetLocaleDatabase(std::make_shared<WithoutDefaultAliases>(std::move(database)));
    }

    LanguageModuleState& Module() { return context->ModuleState<LanguageModuleState>(); }
    ResourceLoaderState& Loader() { return context->ModuleState<ResourceLoaderState>(); }
    // The reader pointed at the library's table, as the dialog's load does.
    void PointLoaderAtLibrary() {
        Loader().dialog_language = 1033;
        Loader().module_path = kLibraryPath;
    }

    std::shared_ptr<headless::HeadlessRuntime> runtime = std::make_shared<headless::HeadlessRuntime>(LibraryApp());
    std::shared_ptr<W> windows = std::make_shared<W>();
    std::shared_ptr<sim::FixtureLocaleDatabase> fixture = sim::FixtureLocaleDatabase::Standard();
    ContextPtr context = std::make_shared<Context>(runtime, windows);
};

using LanguageWorld = LanguageWorldOf<>;

}  // namespace quibor15::testing
