// Replays the fuzz seed corpora and every input that once broke a parser
// (fuzz/regressions/<target>/) through the same checks the fuzzers make.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "fuzz/FuzzChecks.h"

namespace {

namespace fs = std::filesystem;

using Check = std::string (*)(const std::string&);

int Replay(const std::string& target, Check check)
{
    int count = 0;
    for (const char* kind : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(FUZZ_DIR) / kind / target;
        if (!fs::is_directory(dir)) continue;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
            if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream data;
            data << in.rdbuf();
            EXPECT_EQ(check(data.str()), "") << entry.path();
            ++count;
        }
    }
    return count;
}

}  // namespace

TEST(FuzzReplay, InputScripts) { EXPECT_GT(Replay("input_script", fuzzcheck::CheckInputScript), 0); }
TEST(FuzzReplay, CommandLines) { EXPECT_GT(Replay("options", fuzzcheck::CheckOptions), 0); }
TEST(FuzzReplay, Models) { EXPECT_GT(Replay("model", fuzzcheck::CheckModel), 0); }

// The checks themselves must catch what they are for, and control
// characters and huge numbers are refused on one line.
TEST(FuzzReplay, ChecksCatchWhatTheyAreFor)
{
    EXPECT_FALSE(fuzzcheck::OneLine("a\nb") || fuzzcheck::OneLine("a\rb") || fuzzcheck::OneLine(""));
    EXPECT_TRUE(fuzzcheck::OneLine("bad value"));
    EXPECT_EQ(fuzzcheck::CheckOptions(std::string("--fra\rmes\0" "1", 11)), "");
    EXPECT_EQ(fuzzcheck::CheckModel("v 0 0 0\nv 1e7 0 0\nv 0 1 0\nf 1 2 3\n"), "");
    ReEng::Model model;
    std::string error;
    EXPECT_FALSE(model.LoadObjText("v 0 0 0\nv 1e7 0 0\nv 0 1 0\nf 1 2 3\n", "big.obj", error));
    EXPECT_TRUE(model.LoadObjText("v 0 0 0\nv 1e6 0 0\nv 0 1 0\nf 1 2 3\n", "edge.obj", error)) << error;
}
