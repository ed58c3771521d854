#pragma once
// The game's window and its OpenGL context, on the build's platform
// backend. Without a display (a headless run) it holds no window, but still
// carries the quit request and answers as the headless backend does.
#include <memory>
#include <string>

#include "engine/window/PlayArea.h"
#include "engine/platform/Platform.h"

namespace ReEng {

class WindowClass {
public:
    // The client area a window opens with.
    static constexpr int kDefaultWidth = 1080;
    static constexpr int kDefaultHeight = 720;

    // `program` names the window system's error lines.
    explicit WindowClass(std::string program = "reeng");
    ~WindowClass();
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

    // Opens a resizable window with a client area of width x height and a
    // GL context with a depth buffer. False with a one-line error when there
    // is no display or no context.
    bool Open(const std::string& title, int width, int height, std::string& error);
    void Close();
    bool IsOpen() const { return m_platform->IsOpen(); }
    void SetTitle(const std::string& title) { m_platform->SetTitle(title); }

    // Fullscreen on the desktop's mode, or back to a window of the size it
    // was opened with. The GL context's objects survive the switch.
    bool SetFullscreen(bool fullscreen) { return m_platform->SetFullscreen(fullscreen); }
    bool IsFullscreen() const { return m_platform->IsFullscreen(); }
    void SetVerticalSync(bool on) { m_platform->SetVerticalSync(on); }
    // The window's icon, from an image file; false if it cannot be read.
    bool SetIcon(const std::string& file);

    // The backend: events, live input, presenting.
    Platform& GetPlatform() { return *m_platform; }
    const Platform& GetPlatform() const { return *m_platform; }
    using Changes = Platform::Changes;
    Changes TakeChanges() { return m_platform->TakeChanges(); }

    // The native handle the quit message is posted to.
    WindowClass* GetHandler() { return this; }  // the portable layer's HWND

    void RequestQuit() { m_quitRequested = true; }
    bool IsQuitRequested() const { return m_quitRequested || SystemFailed(); }

    // Top-left of the client area in screen pixels: it follows the window
    // when it is dragged, and leaves out a window manager's frame. False
    // without a window.
    bool GetClientOrigin(int& x, int& y) const { return m_platform->GetClientOrigin(x, y); }
    sf::Vector2i GetClientSize() const { return m_platform->GetClientSize(); }

    // True once the window system reported an error about our own window
    // (on stderr); errors about other windows are ignored. The run then
    // ends with status 1.
    bool SystemFailed() const { return m_platform->HasFailed(); }

    // The play area in screen pixels: what the cursor is aimed against. Until
    // placed (and always in a headless run) the default size at (0, 0).
    const PlayArea& GetScreenArea() const { return m_screenArea; }
    void SetScreenArea(const PlayArea& area) { m_screenArea = area; }

private:
    std::string m_program;
    std::unique_ptr<Platform> m_platform;
    bool m_quitRequested = false;
    PlayArea m_screenArea{0, 0, kDefaultWidth, kDefaultHeight};
};

}  // namespace ReEng
