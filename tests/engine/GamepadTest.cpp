// The pad's mapping onto the game's keys and button.
#include <cmath>
#include <gtest/gtest.h>
#include "engine/Gamepad.h"

using namespace ReEng;

TEST(GamepadTest, RestingSticksAndTriggersHoldNothing) {
    Gamepad pad;
    pad.SetButton(0, true);
    EXPECT_FALSE(pad.HoldsKey(sf::Keyboard::W)) << "unplugged";
    pad.Connect();
    float x = 0.0f, y = 0.0f;
    // A trigger at rest reads -100 on some drivers, a worn stick a little off centre.
    for (auto axis : {sf::Joystick::X, sf::Joystick::PovX, sf::Joystick::U, sf::Joystick::V}) pad.SetAxis(axis, 15.0f);
    pad.SetAxis(sf::Joystick::R, -100.0f);
    EXPECT_FALSE(pad.HoldsKey(sf::Keyboard::D));
    EXPECT_FALSE(pad.HoldsButton(sf::Mouse::Left));
    EXPECT_FALSE(pad.AimDirection(x, y));
    pad.SetAxis(sf::Joystick::R, 100.0f);
    pad.SetAxis(sf::Joystick::U, 300.0f);  // clamped
    EXPECT_TRUE(pad.HoldsButton(sf::Mouse::Left));
    EXPECT_TRUE(pad.AimDirection(x, y));
    EXPECT_NEAR(x, 100.0f / std::hypot(100.0f, 15.0f), 1e-5f);
    pad.Disconnect();
    EXPECT_FALSE(pad.HoldsButton(sf::Mouse::Left));
    EXPECT_FALSE(pad.AimDirection(x, y));
}
