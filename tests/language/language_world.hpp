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

// The world, with a Windows of type W (SimWindows or a test's variant).
template <class W = sim::SimWindows>
class LanguageWorldOf : public ::testing::Test {
protected:
    LanguageWorldOf() {
        windows->SetWindowResolver(runtime->WindowResolver());
        windows->AddLibraryModule(kLibraryPath);
        UseLocales(fixture);
    }

    void UseLocales(std::shared_ptr<LocaleDatabase> database) { windows->SetLocaleDatabase(std::move(database)); }

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
