// A manifest object on the headless runtime and the simulated Windows, with
// the component's folder in a fresh temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/headless/headless_runtime.hpp"
#include "platform/sim/sim_windows.hpp"
#include "system/xp_manifest.hpp"
#include "tests/scratch_folder.hpp"

namespace quibor15::testing {

template <class F>
::testing::AssertionResult RaisesError(int32_t number, F&& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        if (e.Number() == number) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "raised " << e.Number() << ", expected " << number;
    }
    return ::testing::AssertionFailure() << "raised nothing, expected " << number;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class ManifestFixture : public ::testing::Test {
protected:
    static std::filesystem::path CreatedFolder(const std::filesystem::path& path) {
        std::filesystem::create_directories(path);
        return path;
    }
    static headless::HeadlessRuntime::Options RuntimeOptions(const std::filesystem::path& app_path) {
        headless::HeadlessRuntime::Options options;
        options.app_path = app_path.u16string();
        options.exe_name = u"quibor15";
        return options;
    }

    ScratchFolder temp{"q15-system"};
    std::filesystem::path component_folder = CreatedFolder(temp / "component");
    std::shared_ptr<headless::HeadlessRuntime> runtime =
        std::make_shared<headless::HeadlessRuntime>(RuntimeOptions(component_folder));
    std::shared_ptr<sim::SimWindows> windows = std::make_shared<sim::SimWindows>();
    ContextPtr context = std::make_shared<Context>(runtime, windows);
    Ref<clsQuiborWUIXPManifestA> manifest = MakeRef<clsQuiborWUIXPManifestA>(context);
};

}  // namespace quibor15::testing

#define EXPECT_RAISES(number, ...) EXPECT_TRUE(::quibor15::testing::RaisesError((number), [&] { __VA_ARGS__; }))
