#pragma once
// A test with a folder of its own for the files it writes, made before the
// test and removed after it. One per process: ctest runs several at once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string suite = ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name();
        dir = std::filesystem::temp_directory_path() / ("vaultrix-" + suite + "-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::filesystem::path dir;
};
