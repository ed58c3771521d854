// Without Xlib: the window's place from Win32 on Windows, from SFML elsewhere.
#include "engine/platform/sfml/NativeWindow.h"

#include <cstdlib>

#include <SFML/Window/Window.hpp>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace ReEng {

struct NativeWindow::Impl {
    sf::Window* window = nullptr;
};

NativeWindow::NativeWindow() : m_impl(std::make_unique<Impl>()) {}

NativeWindow::~NativeWindow() = default;

bool NativeWindow::Failed() { return false; }  // SFML reports its own failures

bool NativeWindow::Connect(const std::string&, std::string& error) {
#ifndef _WIN32  // a Windows session always has its desktop
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        error = "cannot open a window: no display (set DISPLAY, or run with --headless)";
        return false;
    }
#endif
    (void)error;
    return true;
}

void NativeWindow::Disconnect() {}

void NativeWindow::Attach(sf::Window& window) { m_impl->window = &window; }

void NativeWindow::Detach() { m_impl->window = nullptr; }

bool NativeWindow::GetClientOrigin(int& x, int& y) const {
    if (m_impl->window == nullptr) return false;
#ifdef _WIN32
    // SFML's position is the outer frame's; the cursor is aimed within the
    // client area, below the title bar and inside the borders.
    POINT origin{0, 0};
    if (!ClientToScreen(m_impl->window->getSystemHandle(), &origin)) return false;
    x = origin.x;
    y = origin.y;
#else
    const sf::Vector2i position = m_impl->window->getPosition();
    x = position.x;
    y = position.y;
#endif
    return true;
}

NativeWindow::Changes NativeWindow::TakeChanges() {
    // Nothing here tells of an uncovered window: Windows' compositor keeps
    // the picture of a covered one, and elsewhere a redraw follows SFML's own
    // events (resize, focus). Nothing tells of a move either, but the place
    // is a cheap local question, so it is asked every time.
    Changes changes;
    changes.moved = m_impl->window != nullptr;
    return changes;
}

}  // namespace ReEng
