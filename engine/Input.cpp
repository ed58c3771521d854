#include "engine/Input.h"

#include <algorithm>

#include <SFML/Window/Window.hpp>

namespace ReEng {

namespace {

bool ValidKey(sf::Keyboard::Key key) {
    return key >= 0 && key < sf::Keyboard::KeyCount;  // Unknown is -1
}

bool ValidButton(sf::Mouse::Button button) {
    return button >= 0 && button < sf::Mouse::ButtonCount;
}

// Alt+Enter belongs to the window (fullscreen), not to the game.
bool AltEnter(sf::Keyboard::Key key) {
    return key == sf::Keyboard::Return &&
           (sf::Keyboard::isKeyPressed(sf::Keyboard::LAlt) || sf::Keyboard::isKeyPressed(sf::Keyboard::RAlt));
}

}  // namespace

bool Input::IsKeyPressed(sf::Keyboard::Key key) const {
    if (!ValidKey(key)) return false;
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

bool Input::IsButtonPressed(sf::Mouse::Button button) const {
    if (!ValidButton(button)) return false;
    if (IsLive()) return (m_window->hasFocus() && sf::Mouse::isButtonPressed(button)) || m_latchedButtons[button];
    return m_buttons[button] || m_latchedButtons[button];
}

sf::Vector2i Input::GetMousePosition() const {
    if (IsLive()) return sf::Mouse::getPosition();
    return m_mouse;
}

void Input::SetKey(sf::Keyboard::Key key, bool down) {
    if (ValidKey(key)) m_keys[key] = down;
}

void Input::SetButton(sf::Mouse::Button button, bool down) {
    if (ValidButton(button)) m_buttons[button] = down;
}

void Input::LatchKey(sf::Keyboard::Key key) {
    if (!ValidKey(key)) return;
    m_latchedKeys[key] = true;
    // A press seen here is a new press in this window, not one held from elsewhere.
    m_heldElsewhere[key] = false;
}

void Input::LatchButton(sf::Mouse::Button button) {
    if (ValidButton(button)) m_latchedButtons[button] = true;
}

void Input::MarkAllHeldElsewhere() const {
    // Until seen up with focus, any key may be held for another window.
    std::fill(std::begin(m_heldElsewhere), std::end(m_heldElsewhere), true);
}

void Input::FocusLost() {
    MarkAllHeldElsewhere();
    std::fill(std::begin(m_latchedKeys), std::end(m_latchedKeys), false);
    std::fill(std::begin(m_latchedButtons), std::end(m_latchedButtons), false);
}

void Input::EndStep() {
    std::fill(std::begin(m_latchedKeys), std::end(m_latchedKeys), false);
    std::fill(std::begin(m_latchedButtons), std::end(m_latchedButtons), false);
}

void Input::ReleaseAll() {
    std::fill(std::begin(m_keys), std::end(m_keys), false);
    std::fill(std::begin(m_buttons), std::end(m_buttons), false);
}

}  // namespace ReEng
