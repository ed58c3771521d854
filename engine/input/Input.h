#pragma once
// The one seam through which the game reads keys, buttons and the cursor.
// In a normal run it forwards to the platform's live state, but only while
// the window has focus; in a headless or scripted run it answers from its own
// state, which the input script (or a test) sets. A gamepad, live or
// scripted, adds to either: it holds keys and the left button as the
// keyboard and mouse would, and its right stick places the cursor.
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/System/Vector2.hpp>

#include "engine/input/Gamepad.h"
#include "engine/platform/Platform.h"

namespace ReEng {

class Input {
public:
    Input() { ForgetStep(); }

    // Live: read the platform's window. Without one, always scripted.
    void SetLive(const Platform* platform) { m_platform = platform; }
    bool IsLive() const { return m_platform != nullptr; }

    // Each answer is read once a step and then kept until EndStep, so every
    // look within one step agrees, and a recording holds what the game saw.
    bool IsKeyPressed(sf::Keyboard::Key key) const;
    bool IsButtonPressed(sf::Mouse::Button button) const;
    // Screen coordinates, as the window's client origin is.
    sf::Vector2i GetMousePosition() const;

    // What this step has read so far: -1 not read, else 0 or 1.
    int ReadThisStep(sf::Keyboard::Key key) const { return ValidKey(key) ? m_stepKeys[key] : -1; }
    int ReadThisStep(sf::Mouse::Button button) const { return ValidButton(button) ? m_stepButtons[button] : -1; }
    bool MouseReadThisStep() const { return m_stepMouseRead; }

    // The live keyboard as the game sees it, given the window's focus and the
    // key's real state: up while unfocused, and a key still held from before
    // focus came back reads up until it is released, so a press meant for
    // another window cannot fire a release latch (Escape, P) here.
    bool FocusGate(sf::Keyboard::Key key, bool focused, bool down) const;

    // Presses seen as window events since the last step. A key tapped and
    // released between two steps still reads down for one step.
    void LatchKey(sf::Keyboard::Key key);
    void LatchButton(sf::Mouse::Button button);
    // A step starts: whatever was read before it is read again.
    void BeginStep() { ForgetStep(); }
    // A step has read its input: the latched presses have counted.
    void EndStep();
    // The window lost the focus: any key may now be held for another window.
    void FocusLost();

    // Scripted state; ignored while live.
    void SetKey(sf::Keyboard::Key key, bool down);
    void SetButton(sf::Mouse::Button button, bool down);
    // A scripted cursor move hands the aim back to the mouse.
    void SetMousePosition(sf::Vector2i position);
    void ReleaseAll();

    // The pad: live, the platform's pad `id` (connect and disconnect events);
    // scripted, the one the script plugs in and drives.
    Gamepad& GetPad() { return m_pad; }
    const Gamepad& GetPad() const { return m_pad; }
    void PadConnected(unsigned id);
    void PadDisconnected(unsigned id);
    // Once a step, before the game reads its input: a live pad is read, and
    // a right stick out of rest places the cursor on a circle of `radius`
    // pixels around `centre` (screen pixels). The cursor stays where the
    // stick last put it until the mouse moves.
    void UpdatePad(sf::Vector2i centre, int radius);

private:
    static bool ValidKey(sf::Keyboard::Key key) { return key >= 0 && key < sf::Keyboard::KeyCount; }
    static bool ValidButton(sf::Mouse::Button button) { return button >= 0 && button < sf::Mouse::ButtonCount; }
    void MarkAllHeldElsewhere() const;
    bool ReadKey(sf::Keyboard::Key key) const;
    bool ReadButton(sf::Mouse::Button button) const;
    void ForgetStep();

    const Platform* m_platform = nullptr;
    bool m_keys[sf::Keyboard::KeyCount] = {};
    bool m_buttons[sf::Mouse::ButtonCount] = {};
    sf::Vector2i m_mouse;
    mutable bool m_heldElsewhere[sf::Keyboard::KeyCount] = {};
    bool m_latchedKeys[sf::Keyboard::KeyCount] = {};
    bool m_latchedButtons[sf::Mouse::ButtonCount] = {};
    mutable signed char m_stepKeys[sf::Keyboard::KeyCount];
    mutable signed char m_stepButtons[sf::Mouse::ButtonCount];
    mutable sf::Vector2i m_stepMouse;
    mutable bool m_stepMouseRead = false;

    bool PadActive() const;
    Gamepad m_pad;
    int m_padId = -1;        // the live pad read, -1 for none
    bool m_padAims = false;  // the cursor is the pad's, not the mouse's
    sf::Vector2f m_aim;      // the stick's last direction
    sf::Vector2i m_padCursor;
    sf::Vector2i m_lastMouse;  // the live mouse at the last step, to see it move
};

}  // namespace ReEng
