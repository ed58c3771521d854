// Faults found in review, each pinned by the case that shows it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/Input.h"
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

// Escape pressed to close another window that then hands focus back, still
// held: its release must not quit the game, and the next real press works.
TEST(Review, KeyHeldWhenFocusReturnsReadsUpUntilReleased)
{
    ReEng::Input input;
    const auto esc = sf::Keyboard::Escape;
    EXPECT_FALSE(input.FocusGate(esc, true, false));
    EXPECT_FALSE(input.FocusGate(esc, false, true));
    EXPECT_FALSE(input.FocusGate(esc, true, true));   // focus back, still held
    EXPECT_FALSE(input.FocusGate(esc, true, false));  // released
    EXPECT_TRUE(input.FocusGate(esc, true, true));    // a press in this window
    // A key that was up during the focus loss counts as soon as it is seen up.
    EXPECT_FALSE(input.FocusGate(sf::Keyboard::P, false, false));
    EXPECT_FALSE(input.FocusGate(sf::Keyboard::P, true, false));
    EXPECT_TRUE(input.FocusGate(sf::Keyboard::P, true, true));
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
