#pragma once
// The game's window and its OpenGL context. Without a display (a headless
// run) it holds no window, but still carries the quit request.
#include <memory>
#include <string>

#include "engine/Portable.h"

namespace sf { class RenderWindow; }
struct _XDisplay;

namespace ReEng {

class WindowClass {
public:
    WindowClass();
    ~WindowClass();
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

    // Opens a resizable window with a client area of width x height and a
    // compatibility GL context with a depth buffer. False with a one-line
    // error when there is no display or no context.
    bool Open(const std::string& title, int width, int height, std::string& error);
    void Close();
    bool IsOpen() const;
    void SetTitle(const std::string& title);

    // The native handle the quit message is posted to.
    HWND GetHandler() { return this; }
    sf::RenderWindow* GetRenderWindow() { return m_window.get(); }

    void RequestQuit() { m_quitRequested = true; }
    bool IsQuitRequested() const { return m_quitRequested; }

    // Top-left of the client area in screen pixels, asked of the X server:
    // it follows the window when it is dragged, and leaves out a window
    // manager's frame. False without a window.
    bool GetClientOrigin(int& x, int& y) const;

    // True when an X display can be opened.
    static bool DisplayAvailable();

private:
    std::unique_ptr<sf::RenderWindow> m_window;
    bool m_quitRequested = false;
    _XDisplay* m_display = nullptr;  // our own connection, for position queries
};

}  // namespace ReEng
