#include "engine/Input.h"

#include <algorithm>

#include <SFML/Window/Window.hpp>

namespace ReEng {

namespace {

// Alt+Enter belongs to the window (fullscreen), not to the game.
bool AltEnter(sf::Keyboard::Key key) {
    return key == sf::Keyboard::Return &&
           (sf::Keyboard::isKeyPressed(sf::Keyboard::LAlt) || sf::Keyboard::isKeyPressed(sf::Keyboard::RAlt));
}

}  // namespace

bool Input::IsKeyPressed(sf::Keyboard::Key key) const {
    if (!ValidKey(key)) return false;  // Unknown is -1
    if (m_stepKeys[key] < 0) m_stepKeys[key] = ReadKey(key) ? 1 : 0;
    return m_stepKeys[key] == 1;
}

bool Input::IsButtonPressed(sf::Mouse::Button button) const {
    if (!ValidButton(button)) return false;
    if (m_stepButtons[button] < 0) m_stepButtons[button] = ReadButton(button) ? 1 : 0;
    return m_stepButtons[button] == 1;
}

sf::Vector2i Input::GetMousePosition() const {
    if (!m_stepMouseRead) m_stepMouse = IsLive() ? sf::Mouse::getPosition() : m_mouse;
    m_stepMouseRead = true;
    return m_stepMouse;
}

bool Input::ReadKey(sf::Keyboard::Key key) const {
    // SFML reports the keyboard whatever window is in front; a game in the
    // background must not react to typing elsewhere.
    if (IsLive()) {
        const bool focused = m_window->hasFocus();
        const bool down = focused && sf::Keyboard::isKeyPressed(key) && !AltEnter(key);
        return FocusGate(key, focused, down) || m_latchedKeys[key];
    }
    return m_keys[key] || m_latchedKeys[key];
}

bool Input::FocusGate(sf::Keyboard::Key key, bool focused, bool down) const {
    if (!ValidKey(key)) return false;
    if (!focused) {
        MarkAllHeldElsewhere();
        return false;
    }
    if (!down) m_heldElsewhere[key] = false;
    return down && !m_heldElsewhere[key];
}

bool Input::ReadButton(sf::Mouse::Button button) const {
    if (IsLive()) return (m_window->hasFocus() && sf::Mouse::isButtonPressed(button)) || m_latchedButtons[button];
    return m_buttons[button] || m_latchedButtons[button];
}

void Input::SetKey(sf::Keyboard::Key key, bool down) {
    if (!ValidKey(key)) return;
    m_keys[key] = down;
    m_stepKeys[key] = -1;
}

void Input::SetButton(sf::Mouse::Button button, bool down) {
    if (!ValidButton(button)) return;
    m_buttons[button] = down;
    m_stepButtons[button] = -1;
}

void Input::SetMousePosition(sf::Vector2i position) {
    m_mouse = position;
    m_stepMouseRead = false;
}

void Input::ForgetStep() {
    std::fill(std::begin(m_stepKeys), std::end(m_stepKeys), static_cast<signed char>(-1));
    std::fill(std::begin(m_stepButtons), std::end(m_stepButtons), static_cast<signed char>(-1));
    m_stepMouseRead = false;
}

void Input::LatchKey(sf::Keyboard::Key key) {
    if (!ValidKey(key)) return;
    m_latchedKeys[key] = true;
    m_stepKeys[key] = -1;
    // A press seen here is a new press in this window, not one held from elsewhere.
    m_heldElsewhere[key] = false;
}

void Input::LatchButton(sf::Mouse::Button button) {
    if (!ValidButton(button)) return;
    m_latchedButtons[button] = true;
    m_stepButtons[button] = -1;
}

void Input::MarkAllHeldElsewhere() const {
    // Until seen up with focus, any key may be held for another window.
    std::fill(std::begin(m_heldElsewhere), std::end(m_heldElsewhere), true);
}

void Input::FocusLost() {
    MarkAllHeldElsewhere();
    ForgetStep();
    std::fill(std::begin(m_latchedKeys), std::end(m_latchedKeys), false);
    std::fill(std::begin(m_latchedButtons), std::end(m_latchedButtons), false);
}

void Input::EndStep() {
    ForgetStep();
    std::fill(std::begin(m_latchedKeys), std::end(m_latchedKeys), false);
    std::fill(std::begin(m_latchedButtons), std::end(m_latchedButtons), false);
}

void Input::ReleaseAll() {
    std::fill(std::begin(m_keys), std::end(m_keys), false);
    std::fill(std::begin(m_buttons), std::end(m_buttons), false);
    ForgetStep();
}

}  // namespace ReEng
