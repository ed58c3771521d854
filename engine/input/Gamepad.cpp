#include "engine/input/Gamepad.h"

#include <algorithm>
#include <cmath>

namespace ReEng {

namespace {

constexpr unsigned kSonyVendor = 0x054c;
// The right trigger counts as pulled once it reads past 20 on its -100..100
// axis, whichever rest its driver uses: 60 % of the travel from a rest at
// -100, 20 % from a rest at 0.
constexpr float kTriggerPulled = 20.0f;

}  // namespace

const Gamepad::Layout Gamepad::kXInput = {0, 6, 7, 5};

const Gamepad::Layout& Gamepad::LayoutOf(unsigned vendorId) {
    // Sony's Linux driver: cross, circle, triangle, square, L1, R1, L2, R2, share, options.
    static const Layout kSony = {0, 8, 9, 5};
    return vendorId == kSonyVendor ? kSony : kXInput;
}

void Gamepad::Connect(const Layout& layout) {
    Disconnect();
    m_connected = true;
    m_layout = layout;
}

void Gamepad::Disconnect() {
    m_connected = false;
    std::fill(std::begin(m_axes), std::end(m_axes), 0.0f);
    std::fill(std::begin(m_buttons), std::end(m_buttons), false);
    m_triggerSeen = false;
}

void Gamepad::SetAxis(sf::Joystick::Axis axis, float position) {
    if (axis < 0 || static_cast<int>(axis) >= static_cast<int>(sf::Joystick::AxisCount) || !std::isfinite(position))
        return;
    m_axes[axis] = std::clamp(position, -100.0f, 100.0f);
    if (axis == sf::Joystick::R) m_triggerSeen = true;
}

void Gamepad::SetButton(unsigned button, bool down) {
    if (button < sf::Joystick::ButtonCount) m_buttons[button] = down;
}

void Gamepad::Poll(const PadReading& reading) {
    if (!reading.connected) {
        Disconnect();
        return;
    }
    for (int a = 0; a < sf::Joystick::AxisCount; ++a) {
        if (reading.hasAxis[a]) SetAxis(static_cast<sf::Joystick::Axis>(a), reading.axes[a]);
    }
    const unsigned buttons = std::min(reading.buttonCount, unsigned(sf::Joystick::ButtonCount));
    for (unsigned b = 0; b < buttons; ++b) m_buttons[b] = reading.buttons[b];
}

bool Gamepad::Holds(PadControl control) const {
    const float x = Axis(sf::Joystick::X), hat = Axis(sf::Joystick::PovX);
    switch (control) {
        case PadControl::Left:
            return x < -kDeadZone || hat < -kDeadZone;
        case PadControl::Right:
            return x > kDeadZone || hat > kDeadZone;
        case PadControl::South:
            return Button(m_layout.south);
        case PadControl::Start:
            return Button(m_layout.start);
        case PadControl::Back:
            return Button(m_layout.back);
        case PadControl::RightShoulder:
            return Button(m_layout.rightShoulder) || (m_triggerSeen && Axis(sf::Joystick::R) > kTriggerPulled);
    }
    return false;
}

bool Gamepad::Binds(InputKind kind, int code) const {
    if (!m_connected) return false;
    for (const PadBinding& binding : m_bindings)
        if (binding.kind == kind && binding.code == code && Holds(binding.control)) return true;
    return false;
}

bool Gamepad::HoldsKey(sf::Keyboard::Key key) const { return Binds(InputKind::Key, key); }

bool Gamepad::HoldsButton(sf::Mouse::Button button) const { return Binds(InputKind::Button, button); }

bool Gamepad::AimDirection(float& x, float& y) const {
    if (!m_connected) return false;
    const float u = Axis(sf::Joystick::U), v = Axis(sf::Joystick::V);
    // sqrt is rounded exactly by every C library; hypot is not, and the aim
    // must come out the same on the desktop, on Windows and in the browser.
    const float length = std::sqrt(u * u + v * v);
    if (length <= kDeadZone) return false;
    x = u / length;
    y = v / length;
    return true;
}

}  // namespace ReEng
