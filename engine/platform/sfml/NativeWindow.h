#pragma once
// What the engine asks of the window system beyond what SFML offers: a
// check that a window can be opened at all, where the window's client area
// is on the screen, whether part of it was uncovered, and whether the
// system reported a failure. Built against Xlib where there is one
// (VAULTRIX_X11); elsewhere from SFML's and the platform's own answers.
#include <memory>
#include <string>

#include "engine/platform/Platform.h"

namespace sf {
class Window;
}

namespace ReEng {

class NativeWindow {
public:
    NativeWindow();
    ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    // Before SFML opens the window: false with a one-line error when it
    // could not, since SFML aborts the process where there is no display.
    // The window system's own failures are reported as `program`'s.
    bool Connect(const std::string& program, std::string& error);
    void Disconnect();

    // Follows a window just made (or made anew for fullscreen); Detach before
    // it is destroyed.
    void Attach(sf::Window& window);
    void Detach();

    // Top-left of the client area in screen pixels; false without a window.
    bool GetClientOrigin(int& x, int& y) const;

    // What the window system said since the last look: the window, or part
    // of it, was uncovered and needs drawing again (never where the system
    // keeps a covered window's picture itself); it was moved or resized
    // (always, where asking for the place costs next to nothing).
    using Changes = Platform::Changes;
    Changes TakeChanges();

    // True once the window system reported an error about our window (on
    // stderr); the run then ends with status 1.
    static bool Failed();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace ReEng
