#pragma once
// What the browser's input events mean to the engine: the DOM's key codes
// as keys, its mouse buttons, which keys the page keeps from the browser,
// and its gamepads read as SFML reads an XInput pad. Plain functions of the
// events' fields, so the tests check them without a browser; the pads take
// any struct shaped like html5.h's EmscriptenGamepadEvent.
#include <algorithm>
#include <vector>

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include "engine/platform/Platform.h"

namespace ReEng {

// A DOM KeyboardEvent.code ("KeyA", "ArrowLeft", "F11"): the key at that
// place on the keyboard, as SFML's scancode-based keys are on the desktop;
// Unknown for the rest.
sf::Keyboard::Key KeyOfCode(const char* code);

// Only the keys the game reads are kept from the browser: those the engine
// tells (the keys a replay can name), F11 and Alt+Enter. Tab, F6, Alt+Left
// and every shortcut with Ctrl or Cmd still move the focus, reach the
// address bar or go back.
bool GameReads(sf::Keyboard::Key key, bool ctrl, bool meta, bool alt, const std::vector<sf::Keyboard::Key>& gameKeys);

// The DOM numbers buttons left, middle, right, back, forward; false for others.
bool ButtonOf(unsigned short dom, sf::Mouse::Button& button);

// A stick's or trigger's -1..1 as SFML's -100..100, clamped.
float PadPercent(double value);

// The standard gamepad's buttons in the order SFML's Linux driver gives an
// XInput pad's (A B X Y LB RB Back Start Guide LS RS), which the engine's
// default layout expects.
inline constexpr int kStandardButtons[] = {0, 1, 2, 3, 4, 5, 8, 9, 16, 10, 11};

// A standard-mapped pad read as SFML reads an XInput pad on Linux: sticks
// on X/Y and U/V, triggers on Z/R resting at -100, the cross on PovX/PovY.
template <typename PadEvent>
void ReadStandard(const PadEvent& state, PadReading& pad) {
    const auto axis = [&](int i) { return i < state.numAxes ? state.axis[i] : 0.0; };
    const auto analog = [&](int i) { return i < state.numButtons ? state.analogButton[i] : 0.0; };
    const auto digital = [&](int i) { return i < state.numButtons && state.digitalButton[i]; };
    const struct {
        sf::Joystick::Axis axis;
        float value;
    } axes[] = {
        {sf::Joystick::X, PadPercent(axis(0))},
        {sf::Joystick::Y, PadPercent(axis(1))},
        {sf::Joystick::U, PadPercent(axis(2))},
        {sf::Joystick::V, PadPercent(axis(3))},
        {sf::Joystick::Z, PadPercent(analog(6) * 2.0 - 1.0)},
        {sf::Joystick::R, PadPercent(analog(7) * 2.0 - 1.0)},
        {sf::Joystick::PovX, (digital(15) ? 100.0f : 0.0f) - (digital(14) ? 100.0f : 0.0f)},
        {sf::Joystick::PovY, (digital(12) ? 100.0f : 0.0f) - (digital(13) ? 100.0f : 0.0f)},
    };
    for (const auto& a : axes) {
        pad.hasAxis[a.axis] = true;
        pad.axes[a.axis] = a.value;
    }
    pad.buttonCount = sizeof(kStandardButtons) / sizeof(kStandardButtons[0]);
    for (unsigned b = 0; b < pad.buttonCount; ++b) pad.buttons[b] = digital(kStandardButtons[b]);
}

// A pad the browser could not map: its axes and buttons as they come.
template <typename PadEvent>
void ReadRaw(const PadEvent& state, PadReading& pad) {
    const int axes = std::min<int>(state.numAxes, sf::Joystick::AxisCount);
    for (int a = 0; a < axes; ++a) {
        pad.hasAxis[a] = true;
        pad.axes[a] = PadPercent(state.axis[a]);
    }
    pad.buttonCount = static_cast<unsigned>(std::clamp<int>(state.numButtons, 0, sf::Joystick::ButtonCount));
    for (unsigned b = 0; b < pad.buttonCount; ++b) pad.buttons[b] = state.digitalButton[b];
}

}  // namespace ReEng
