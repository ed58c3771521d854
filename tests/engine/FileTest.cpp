// Reading files the user names: only regular files, within a limit; and the
// escaping of what is echoed back.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "engine/io/RegularFile.h"
#include "engine/core/TextParse.h"
#include "tests/engine/TempFolder.h"

using namespace ReEng;
namespace fs = std::filesystem;

class FileTest : public TempFolder {};

TEST_F(FileTest, OnlyRegularFilesWithinTheLimitAreRead) {
    std::ofstream(Path("ok.txt")) << "1 A down\n";
    ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);  // nobody writes: opening it must not wait
    for (int size : {2048, 2049})
        fs::resize_file((std::ofstream(Path(std::to_string(size))), Path(std::to_string(size))), size);  // sparse
    const struct {
        std::string path;
        FileReadResult result;
        const char* what;
    } cases[] = {
        {Path("ok.txt"), FileReadResult::Ok, ""},
        {Path("2048"), FileReadResult::Ok, ""},  // exactly the limit
        {Path("missing"), FileReadResult::Missing, "No such file or directory"},
        {"/dev/zero", FileReadResult::NotRegular, "is not a regular file"},
        {Path("fifo"), FileReadResult::NotRegular, "is not a regular file"},
        {dir.string(), FileReadResult::NotRegular, "is a directory"},
        {Path("2049"), FileReadResult::TooLarge, "is larger than 2048 bytes"},
    };
    for (const auto& c : cases) {
        std::string text = "stale", error;
        EXPECT_EQ(ReadRegularFile(c.path, 2048, text, error), c.result) << c.path;
        if (c.result == FileReadResult::Ok) {
            EXPECT_EQ(text.size(), fs::file_size(c.path)) << c.path;
            continue;
        }
        EXPECT_TRUE(text.empty());
        EXPECT_EQ(error, "'" + c.path + "': " + c.what) << error;
    }
}

TEST(TextParseTest, EveryByteThatIsNotPrintableAsciiIsEscaped) {
    EXPECT_EQ(Printable("/tmp/\xc2\x9b"
                        "2J \x1b[0m\x7f\t~"),
              "/tmp/\\xc2\\x9b2J \\x1b[0m\\x7f\\x09~");
    std::string escaped;
    for (int i = 0; i < 40; ++i) escaped += "\\x9b";
    EXPECT_EQ(Excerpt(std::string(1 << 20, '\x9b')), escaped + "...");
}
