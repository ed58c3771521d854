#pragma once
// What every backend shares of its events: the queue the engine polls, and
// the keys and buttons held as the window system's events said. A press of
// a key or button already held (a key repeat, a second finger on the same
// control) is not a new press: it is filtered here, once for all backends,
// so a tap still counts once and a held key never fires again.
#include <deque>

#include "engine/platform/Platform.h"

namespace ReEng {

class PlatformEvents {
public:
    // Any event but a press, which goes through Key or Button.
    void Push(const PlatformEvent& event) { m_queue.push_back(event); }
    // The oldest event not yet taken, until false.
    bool Poll(PlatformEvent& event);

    // A key or button went down or up; a press is queued only on its way down.
    void Key(sf::Keyboard::Key key, bool down, bool alt = false);
    void Button(sf::Mouse::Button button, bool down);
    bool IsKeyDown(sf::Keyboard::Key key) const;
    bool IsButtonDown(sf::Mouse::Button button) const;

    // Everything let go, as when the releases can no longer reach us (the
    // focus went elsewhere); the queue is kept.
    void ReleaseAll();
    // The queue emptied and everything let go: a closed window's state.
    void Clear();

private:
    std::deque<PlatformEvent> m_queue;
    bool m_keys[sf::Keyboard::KeyCount] = {};
    bool m_buttons[sf::Mouse::ButtonCount] = {};
};

}  // namespace ReEng
