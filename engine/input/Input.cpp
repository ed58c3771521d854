#include "engine/input/Input.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace ReEng {

namespace {

// centre + offset, held to what an int can say: a scripted window may lie
// at the far end of an int, and the pad's cursor beside it need not fit.
int ClampedSum(int centre, long long offset) {
    constexpr long long kFar = 1LL << 40;  // further puts the sum past either end anyway
    const long long sum = static_cast<long long>(centre) + std::clamp(offset, -kFar, kFar);
    return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

// Alt+Enter belongs to the window (fullscreen), not to the game.
bool AltEnter(const Platform& platform, sf::Keyboard::Key key) {
    return key == sf::Keyboard::Return &&
           (platform.IsKeyDown(sf::Keyboard::LAlt) || platform.IsKeyDown(sf::Keyboard::RAlt));
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
    if (!m_stepMouseRead) m_stepMouse = m_padAims ? m_padCursor : IsLive() ? m_platform->GetMousePosition() : m_mouse;
    m_stepMouseRead = true;
    return m_stepMouse;
}

bool Input::ReadKey(sf::Keyboard::Key key) const {
    // The keyboard reads the same whatever window is in front; a game in
    // the background must not react to typing elsewhere.
    if (IsLive()) {
        const bool focused = m_platform->HasFocus();
        const bool down = focused && m_platform->IsKeyDown(key) && !AltEnter(*m_platform, key);
        return FocusGate(key, focused, down) || m_latchedKeys[key] || (PadActive() && m_pad.HoldsKey(key));
    }
    return m_keys[key] || m_latchedKeys[key] || m_pad.HoldsKey(key);
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
    const bool pad = PadActive() && m_pad.HoldsButton(button);
    if (IsLive())
        return (m_platform->HasFocus() && m_platform->IsButtonDown(button)) || m_latchedButtons[button] || pad;
    return m_buttons[button] || m_latchedButtons[button] || pad;
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
    m_padAims = false;  // a scripted cursor move hands the aim back to the mouse
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

bool Input::PadActive() const {
    // Like the keyboard, a live pad is only heard by the window in front.
    return m_pad.IsConnected() && (!IsLive() || m_platform->HasFocus());
}

void Input::PadConnected(unsigned id) {
    // The first pad plugged in plays; another one waits until it goes.
    if (m_padId >= 0 || id >= sf::Joystick::Count) return;
    m_padId = static_cast<int>(id);
    m_pad.Connect(IsLive() ? Gamepad::LayoutOf(m_platform->ReadPad(id).vendorId) : Gamepad::kXInput);
}

void Input::PadDisconnected(unsigned id) {
    if (m_padId != static_cast<int>(id)) return;
    m_padId = -1;
    m_pad.Disconnect();
    m_padAims = false;
    // Another pad still plugged in takes over.
    if (IsLive()) {
        for (unsigned other = 0; other < sf::Joystick::Count; ++other) {
            if (other != id && m_platform->ReadPad(other).connected) {
                PadConnected(other);
                break;
            }
        }
    }
}

void Input::UpdatePad(sf::Vector2i centre, int radius) {
    if (IsLive()) {
        if (m_padId >= 0) {
            m_pad.Poll(m_platform->ReadPad(static_cast<unsigned>(m_padId)));
            if (!m_pad.IsConnected()) PadDisconnected(static_cast<unsigned>(m_padId));
        }
        const sf::Vector2i mouse = m_platform->GetMousePosition();
        if (mouse != m_lastMouse) m_padAims = false;
        m_lastMouse = mouse;
    }
    if (!m_pad.IsConnected()) {
        m_padAims = false;
        return;
    }
    float x = 0.0f, y = 0.0f;
    if (m_pad.AimDirection(x, y)) {
        m_aim = sf::Vector2f(x, y);
        m_padAims = true;
    }
    // Placed again every step: the player moves under a held aim.
    if (m_padAims) {
        m_padCursor = sf::Vector2i(ClampedSum(centre.x, std::llround(m_aim.x * static_cast<float>(radius))),
                                   ClampedSum(centre.y, std::llround(m_aim.y * static_cast<float>(radius))));
    }
}

void Input::ReleaseAll() {
    std::fill(std::begin(m_keys), std::end(m_keys), false);
    std::fill(std::begin(m_buttons), std::end(m_buttons), false);
    ForgetStep();
}

}  // namespace ReEng
