#pragma once
// One gamepad's state, and what it means to the game: its controls hold the
// keys and mouse buttons the game binds them to, and its right stick points
// the aim. The state comes from the platform (a live pad) or from an
// input script; either way a pad that goes away lets go of everything it held.
#include <utility>

#include <SFML/Window/Joystick.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include "engine/input/Bindings.h"
#include "engine/platform/Platform.h"

namespace ReEng {

class Gamepad {
public:
    // A stick or trigger within this much of rest (of 100) is at rest:
    // worn sticks never quite come back to the centre.
    static constexpr float kDeadZone = 25.0f;

    // Where the face buttons sit differs between makers; SFML numbers them
    // as the driver does. The default is the common XInput order.
    struct Layout {
        unsigned south, back, start, rightShoulder;
    };
    static const Layout kXInput;

    // Which control holds which key or button; none until the game says.
    void SetBindings(PadBindings bindings) { m_bindings = std::move(bindings); }

    bool IsConnected() const { return m_connected; }
    void Connect(const Layout& layout = kXInput);
    // Unplugged: every button up, every stick at rest.
    void Disconnect();

    // Axis positions run from -100 to 100 as SFML gives them; out-of-range
    // values are clamped, unknown axes and buttons ignored.
    void SetAxis(sf::Joystick::Axis axis, float position);
    void SetButton(unsigned button, bool down);
    // Takes a live pad's reading; disconnects when the pad is gone.
    void Poll(const PadReading& reading);
    // The layout of a pad by its maker.
    static const Layout& LayoutOf(unsigned vendorId);

    // What the pad holds, in the game's keyboard and mouse terms.
    bool HoldsKey(sf::Keyboard::Key key) const;
    bool HoldsButton(sf::Mouse::Button button) const;
    // The right stick's direction, of length 1, with screen y down; false
    // while it is at rest.
    bool AimDirection(float& x, float& y) const;

private:
    float Axis(sf::Joystick::Axis axis) const { return m_axes[axis]; }
    bool Button(unsigned button) const { return button < sf::Joystick::ButtonCount && m_buttons[button]; }
    bool Holds(PadControl control) const;
    bool Binds(InputKind kind, int code) const;

    PadBindings m_bindings;

    bool m_connected = false;
    Layout m_layout = kXInput;
    float m_axes[sf::Joystick::AxisCount] = {};
    bool m_buttons[sf::Joystick::ButtonCount] = {};
    // Triggers rest at -100 on some drivers and 0 on others; one never
    // reported is treated as absent.
    bool m_triggerSeen = false;
};

}  // namespace ReEng
