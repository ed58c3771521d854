// Faults found in review, each pinned by the case that shows it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/ReEngAppClass.h"

namespace {

// A bad command line is one line on stderr and status 2, like every other error.
TEST(Review, BadCommandLineIsOneLine)
{
    for (const char* bad : {"--bogus", "--frames"}) {
        ReEng::ReEngAppClass app(nullptr, {bad}, 0, false);
        testing::internal::CaptureStderr();
        const int status = app.Run();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, 2) << bad;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find(bad), std::string::npos) << err;
    }
}

}  // namespace

namespace {

// --print-text prints once, at the end; the usage must not promise every frame.
TEST(Review, UsageSaysPrintTextIsTheLastFrame)
{
    const std::string usage = ReEng::Options::Usage("vaultrix");
    EXPECT_NE(usage.find("last frame's text"), std::string::npos) << usage;
}

}  // namespace
