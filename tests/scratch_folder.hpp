// A test's own folder under the system's temporary folder, removed with it.
// ctest runs every test case as its own process, several at a time, so the
// name must differ between processes as well as between cases in one.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace quibor15::testing {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix = "q15") {
        std::random_device random;
        std::string name = prefix + "-" + std::to_string(::getpid()) + "-" + std::to_string(random());
        if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
            name += std::string("-") + test->name();
        }
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const noexcept { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace quibor15::testing
