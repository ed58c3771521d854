// The pad's mapping onto the game's keys and button, and its script lines.
#include <cmath>
#include <sstream>
#include <gtest/gtest.h>
#include "engine/Gamepad.h"
#include "engine/InputScript.h"

using namespace ReEng;

TEST(GamepadTest, RestingSticksAndTriggersHoldNothing) {
    Gamepad pad;
    pad.SetButton(0, true);
    EXPECT_FALSE(pad.HoldsKey(sf::Keyboard::W)) << "unplugged";
    pad.Connect();
    float x = 0.0f, y = 0.0f;
    // A trigger at rest reads -100 on some drivers, a worn stick a little off centre.
    for (auto axis : {sf::Joystick::X, sf::Joystick::PovX, sf::Joystick::U, sf::Joystick::V})
        pad.SetAxis(axis, 15.0f);
    pad.SetAxis(sf::Joystick::R, -100.0f);
    EXPECT_FALSE(pad.HoldsKey(sf::Keyboard::D) || pad.HoldsButton(sf::Mouse::Left) || pad.AimDirection(x, y));
    pad.SetAxis(sf::Joystick::R, 100.0f);
    pad.SetAxis(sf::Joystick::U, 300.0f);  // clamped
    EXPECT_TRUE(pad.HoldsButton(sf::Mouse::Left) && pad.AimDirection(x, y));
    EXPECT_NEAR(x, 100.0f / std::hypot(100.0f, 15.0f), 1e-5f);
    pad.Disconnect();
    EXPECT_FALSE(pad.HoldsButton(sf::Mouse::Left) || pad.AimDirection(x, y));
}

TEST(GamepadTest, EachPadScriptMistakeIsReportedWithItsLine) {
    const struct { const char* text; int line; const char* what; } cases[] = {
        {"1 pad\n", 1, "pad needs"},
        {"1 pad wiggle\n", 1, "wiggle"},
        {"1 pad axis X 50\n", 1, "no pad is connected"},
        {"0 pad connect\n1 pad disconnect\n2 pad button 0 down\n", 3, "no pad is connected"},
        {"0 pad connect\n1 pad axis W 50\n", 2, "'W'"},
        {"0 pad connect\n1 pad axis X 101\n", 2, "101"},
        {"0 pad connect\n1 pad button 32 down\n", 2, "32"},
        {"0 pad connect\n1 pad button 1 held\n", 2, "held"},
        {"0 pad connect\n1 pad axis X\n", 2, "needs AXIS"},
        {"0 pad connect extra\n", 1, "extra"},
    };
    for (const auto& c : cases) {
        InputScript script;
        std::istringstream in(c.text);
        std::string error;
        const std::string where = "run.txt:" + std::to_string(c.line) + ": ";
        EXPECT_TRUE(!script.Parse(in, "run.txt", error) && error.rfind(where, 0) == 0) << c.text << error;
        EXPECT_NE(error.find(c.what, where.size()), std::string::npos) << error;
    }
}
