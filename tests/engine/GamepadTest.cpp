// The pad's mapping onto the game's keys and button.
#include <cmath>
#include <string>
#include <gtest/gtest.h>
#include "engine/input/Gamepad.h"

using namespace ReEng;

// The left stick past its dead zone and the d-pad steer; the south button is
// W and Return, Back is Escape and Start is P (so they act on release, as the
// keys do); the right shoulder, or the trigger, is the left mouse button.
TEST(GamepadTest, SticksButtonsAndTriggerHoldTheGamesKeys) {
    using K = sf::Keyboard;
    using J = sf::Joystick;
    const std::pair<K::Key, const char*> keys[] = {{K::A, "A"},           {K::D, "D"}, {K::W, "W"},
                                                   {K::Return, "Return"}, {K::P, "P"}, {K::Escape, "Escape"}};
    const struct {
        int button;  // -1: none
        J::Axis axis;
        float position;
        std::string held;
    } rows[] = {{-1, J::X, 20, ""},       {-1, J::X, 90, "D "},      {-1, J::X, -30, "A "},   {-1, J::PovX, -100, "A "},
                {-1, J::PovX, 100, "D "}, {0, J::X, 0, "W Return "}, {6, J::X, 0, "Escape "}, {7, J::X, 0, "P "},
                {5, J::X, 0, "fire "},    {-1, J::R, 100, "fire "},  {-1, J::R, -100, ""}};
    for (const auto& row : rows) {
        Gamepad pad;
        pad.Connect();
        if (row.button >= 0) pad.SetButton(unsigned(row.button), true);
        pad.SetAxis(row.axis, row.position);
        std::string held;
        for (const auto& [key, name] : keys) held += pad.HoldsKey(key) ? std::string(name) + " " : "";
        held += pad.HoldsButton(sf::Mouse::Left) ? "fire " : "";
        EXPECT_EQ(held, row.held) << "button " << row.button << ", axis " << row.axis << " at " << row.position;
    }
}

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
