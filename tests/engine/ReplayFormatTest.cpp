// The replay format's writer and reader agree: every line written reads
// back as the event (or step) it was written from.
#include <string>
#include <tuple>
#include <vector>
#include <gtest/gtest.h>
#include <SFML/Window/Joystick.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include "engine/replay/ReplayFormat.h"

using namespace ReEng;

namespace {

auto Fields(const ReplayEvent& e) { return std::make_tuple(e.frame, e.kind, e.code, e.down, e.x, e.y, e.w, e.h); }

}  // namespace

TEST(ReplayFormatTest, EveryKindOfLineReadsBackAsWritten) {
    const InputNames names = {{"Jump", InputKind::Key, sf::Keyboard::Space},
                              {"Fire", InputKind::Button, sf::Mouse::Right}};
    using E = ReplayEvent;
    const ReplayEvent events[] = {
        {7, E::Key, sf::Keyboard::Space, true, 0, 0, 0, 0},
        {7, E::Key, sf::Keyboard::Space, false, 0, 0, 0, 0},
        {8, E::Button, sf::Mouse::Right, true, 0, 0, 0, 0},
        {9, E::Mouse, 0, false, -2147483647 - 1, 2147483647, 0, 0},
        {9, E::Window, 0, false, -40, 30, 1, 2147483647},
        {10, E::Focus, 0, false, 0, 0, 0, 0},
        {10, E::Focus, 0, true, 0, 0, 0, 0},
        {11, E::PadConnect, 0, false, 0, 0, 0, 0},
        {12, E::PadAxis, sf::Joystick::PovY, false, -100, 0, 0, 0},
        {12, E::PadButton, 31, true, 0, 0, 0, 0},
        {13, E::PadDisconnect, 0, false, 0, 0, 0, 0},
        {4294967295u, E::End, 0, false, 0, 0, 0, 0},
    };
    bool plugged = false;
    for (const ReplayEvent& event : events) {
        const std::string line = replay::EventLine(event.frame, event, names);
        ASSERT_FALSE(line.empty()) << event.kind;
        EXPECT_EQ(line.back(), '\n');
        ReplayEvent read;
        std::string what;
        ASSERT_TRUE(replay::ParseEvent(replay::Tokens(line), names, plugged, read, what)) << line << what;
        EXPECT_EQ(Fields(read), Fields(event)) << line;
    }
    // A key the game has no name for cannot be written.
    EXPECT_EQ(replay::EventLine(1, {1, E::Key, sf::Keyboard::A, true, 0, 0, 0, 0}, names), "");
}

// The step is written with every digit it takes to come back the same.
TEST(ReplayFormatTest, TheHeadersStepReadsBackExactly) {
    for (const double step : {1.0 / 60.0, 0.0166666, 1.0 / 3.0, replay::kMinStep, replay::kMaxStep}) {
        const std::string line = replay::HeaderLine("game", "1.2", step);
        double read = 0.0;
        std::string why;
        ASSERT_EQ(replay::ParseHeader(line, "game", "1.2", read, why), replay::HeaderKind::Replay) << line << why;
        EXPECT_EQ(read, step) << line;
        EXPECT_EQ(replay::ParseHeader(line, "game", "1.3", read, why), replay::HeaderKind::Bad) << line;
        EXPECT_EQ(replay::ParseHeader(line, "other", "1.2", read, why), replay::HeaderKind::Comment) << line;
    }
}
