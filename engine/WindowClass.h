#pragma once
// The game's window and its OpenGL context. Without a display (a headless
// run) it holds no window, but still carries the quit request.
#include <memory>
#include <string>

#include "engine/NativeWindow.h"
#include "engine/PlayArea.h"
#include "engine/Portable.h"

#include <SFML/Graphics/Image.hpp>

namespace sf {
class RenderWindow;
}

namespace ReEng {

class WindowClass {
public:
    // The client area a window opens with.
    static constexpr int kDefaultWidth = 1080;
    static constexpr int kDefaultHeight = 720;

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

    // Fullscreen on the desktop's mode, or back to a window of the size it
    // was opened with. The GL context's objects survive the switch.
    bool SetFullscreen(bool fullscreen);
    bool IsFullscreen() const { return m_fullscreen; }
    void SetVerticalSync(bool on);
    // The window's icon, from an image file; false if it cannot be read.
    bool SetIcon(const std::string& file);

    // What the window system said since the last look: the window, or part
    // of it, was uncovered and needs drawing again; it was moved or resized.
    using Changes = NativeWindow::Changes;
    Changes TakeChanges() { return m_native.TakeChanges(); }

    // The native handle the quit message is posted to.
    HWND GetHandler() { return this; }
    sf::RenderWindow* GetRenderWindow() { return m_window.get(); }

    void RequestQuit() { m_quitRequested = true; }
    bool IsQuitRequested() const { return m_quitRequested || XErrorOccurred(); }

    // Top-left of the client area in screen pixels: it follows the window
    // when it is dragged, and leaves out a window manager's frame. False
    // without a window.
    bool GetClientOrigin(int& x, int& y) const { return m_native.GetClientOrigin(x, y); }

    // True once the window system (X) reported an error about our own window
    // (on stderr);
    // errors about other windows are ignored. The run then ends with status 1.
    static bool XErrorOccurred() { return NativeWindow::Failed(); }

    // The play area in screen pixels: what the cursor is aimed against. Until
    // placed (and always in a headless run) the default size at (0, 0).
    const PlayArea& GetScreenArea() const { return m_screenArea; }
    void SetScreenArea(const PlayArea& area) { m_screenArea = area; }

private:
    // Creates (or recreates) the SFML window in the given style and size.
    void Create(unsigned style, int width, int height);

    std::unique_ptr<sf::RenderWindow> m_window;
    std::string m_title;
    int m_windowedWidth = 0, m_windowedHeight = 0;
    bool m_fullscreen = false;
    bool m_verticalSync = false;
    sf::Image m_icon;  // kept to set again on a window made anew
    bool m_quitRequested = false;
    PlayArea m_screenArea{0, 0, kDefaultWidth, kDefaultHeight};
    NativeWindow m_native;  // the window system's answers SFML does not give
};

}  // namespace ReEng
