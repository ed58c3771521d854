// The pad's mapping onto the keys and buttons a game binds it to.
#include <cmath>
#include <string>
#include <gtest/gtest.h>
#include "app/GameBindings.h"
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
        pad.SetBindings(GamePadBindings());
        pad.Connect();
        if (row.button >= 0) pad.SetButton(unsigned(row.button), true);
        pad.SetAxis(row.axis, row.position);
        std::string held;
        for (const auto& [key, name] : keys) held += pad.HoldsKey(key) ? std::string(name) + " " : "";
        held += pad.HoldsButton(sf::Mouse::Left) ? "fire " : "";
        EXPECT_EQ(held, row.held) << "button " << row.button << ", axis " << row.axis << " at " << row.position;
    }
}

// Another game's table: the south button jumps with Space, the right
// shoulder is the right mouse button, and both sticks' directions steer with
// one key each. Nothing of the first game's table is left, and an engine
// given no table has a pad that holds nothing.
TEST(GamepadTest, TheGamesTableAloneSaysWhatThePadHolds) {
    using K = sf::Keyboard;
    Gamepad pad;
    pad.SetBindings({{PadControl::South, InputKind::Key, K::Space},
                     {PadControl::RightShoulder, InputKind::Button, sf::Mouse::Right},
                     {PadControl::Left, InputKind::Key, K::Left},
                     {PadControl::Right, InputKind::Key, K::Right}});
    pad.Connect();
    pad.SetButton(Gamepad::kXInput.south, true);
    pad.SetButton(Gamepad::kXInput.rightShoulder, true);
    pad.SetButton(Gamepad::kXInput.start, true);
    pad.SetAxis(sf::Joystick::PovX, -100.0f);
    EXPECT_TRUE(pad.HoldsKey(K::Space));
    EXPECT_TRUE(pad.HoldsButton(sf::Mouse::Right));
    EXPECT_TRUE(pad.HoldsKey(K::Left));
    EXPECT_FALSE(pad.HoldsKey(K::Right));
    for (auto key : {K::W, K::Return, K::A, K::P}) EXPECT_FALSE(pad.HoldsKey(key)) << key;
    EXPECT_FALSE(pad.HoldsButton(sf::Mouse::Left));

    Gamepad bare;
    bare.Connect();
    bare.SetButton(Gamepad::kXInput.back, true);
    bare.SetAxis(sf::Joystick::X, 100.0f);
    for (int key = 0; key < K::KeyCount; ++key) EXPECT_FALSE(bare.HoldsKey(K::Key(key))) << key;
    EXPECT_FALSE(bare.HoldsButton(sf::Mouse::Left));
}

TEST(GamepadTest, RestingSticksAndTriggersHoldNothing) {
    Gamepad pad;
    pad.SetBindings(GamePadBindings());
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
