#pragma once
// The desktop backend: a window, its GL context, events and live input
// through SFML, with the window system's own answers (the client area's
// place, exposure, errors) from NativeWindow beside it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/Platform.h"
#include "engine/platform/PlatformEvents.h"
#include "engine/platform/sfml/NativeWindow.h"

namespace sf {
class Event;
class Window;
}  // namespace sf

namespace ReEng {

class DesktopPlatform : public Platform {
public:
    explicit DesktopPlatform(std::string program);
    ~DesktopPlatform() override;

    bool Open(const std::string& title, int width, int height, std::string& error) override;
    void Close() override;
    bool IsOpen() const override;
    void SetTitle(const std::string& title) override;
    void SetIcon(const ImageView& icon) override;
    bool MakeCurrent() override;
    bool SetFullscreen(bool fullscreen) override;
    bool IsFullscreen() const override { return m_fullscreen; }
    void SetVerticalSync(bool on) override;

    bool PollEvent(PlatformEvent& event) override;
    Changes TakeChanges() override { return m_native.TakeChanges(); }
    bool HasFailed() const override { return NativeWindow::Failed(); }

    bool HasFocus() const override;
    bool IsKeyDown(sf::Keyboard::Key key) const override;
    bool IsButtonDown(sf::Mouse::Button button) const override;
    sf::Vector2i GetMousePosition() const override;

    bool PacesFrames() const override { return false; }
    void BeginPicture() override {}  // the game's clear went to the back buffer
    void Present() override;
    bool GetClientOrigin(int& x, int& y) const override { return m_native.GetClientOrigin(x, y); }
    sf::Vector2i GetClientSize() const override;
    PadReading ReadPad(unsigned id) const override;

private:
    // One of SFML's events in the engine's terms, into the queue.
    void Take(const sf::Event& event);

    // Creates (or recreates) the SFML window in the given style and size.
    void Create(unsigned style, int width, int height);

    std::string m_program;
    std::unique_ptr<sf::Window> m_window;
    std::string m_title;
    int m_windowedWidth = 0, m_windowedHeight = 0;
    bool m_fullscreen = false;
    bool m_verticalSync = false;
    std::vector<std::uint8_t> m_icon;  // kept to set again on a window made anew
    int m_iconWidth = 0, m_iconHeight = 0;
    NativeWindow m_native;
    PlatformEvents m_events;
};

}  // namespace ReEng
