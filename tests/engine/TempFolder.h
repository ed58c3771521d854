#pragma once
// A folder of its own for the files a test writes, removed with it: a plain
// one (ScratchFolder) for helpers that outlive no test, and a fixture
// (TempFolder) made before each test and removed after it. Named by the
// process as well: ctest runs several at once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : dir(std::filesystem::temp_directory_path() / ("vaultrix-" + name + "-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(dir);
    }
    ~ScratchFolder() {
        std::error_code ignored;  // a destructor must not throw; a leftover folder is only untidy
        std::filesystem::remove_all(dir, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    const std::filesystem::path dir;
};

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder.emplace(::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name());
        dir = folder->dir;
    }
    void TearDown() override { folder.reset(); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::filesystem::path dir;

private:
    std::optional<ScratchFolder> folder;
};
