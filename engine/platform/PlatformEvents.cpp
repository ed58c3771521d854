#include "engine/platform/PlatformEvents.h"

#include <algorithm>

namespace ReEng {

bool PlatformEvents::Poll(PlatformEvent& event) {
    if (m_queue.empty()) return false;
    event = m_queue.front();
    m_queue.pop_front();
    return true;
}

void PlatformEvents::Key(sf::Keyboard::Key key, bool down, bool alt) {
    if (key < 0 || key >= sf::Keyboard::KeyCount) return;
    const bool pressed = down && !m_keys[key];
    m_keys[key] = down;
    if (!pressed) return;
    PlatformEvent event;
    event.type = PlatformEvent::KeyPressed;
    event.key = key;
    event.alt = alt;
    m_queue.push_back(event);
}

void PlatformEvents::Button(sf::Mouse::Button button, bool down) {
    if (button < 0 || button >= sf::Mouse::ButtonCount) return;
    const bool pressed = down && !m_buttons[button];
    m_buttons[button] = down;
    if (!pressed) return;
    PlatformEvent event;
    event.type = PlatformEvent::ButtonPressed;
    event.button = button;
    m_queue.push_back(event);
}

bool PlatformEvents::IsKeyDown(sf::Keyboard::Key key) const {
    return key >= 0 && key < sf::Keyboard::KeyCount && m_keys[key];
}

bool PlatformEvents::IsButtonDown(sf::Mouse::Button button) const {
    return button >= 0 && button < sf::Mouse::ButtonCount && m_buttons[button];
}

void PlatformEvents::ReleaseAll() {
    std::fill(std::begin(m_keys), std::end(m_keys), false);
    std::fill(std::begin(m_buttons), std::end(m_buttons), false);
}

void PlatformEvents::Clear() {
    m_queue.clear();
    ReleaseAll();
}

}  // namespace ReEng
