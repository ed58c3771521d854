#pragma once
// What a platform backend gives the engine: a window with a GL context,
// its events and live input, presenting, the client area, fullscreen and
// the gamepads. One backend file per kind, chosen when the engine is built:
//   sfml/DesktopPlatform.cpp   a desktop window through SFML (+ X11 beside it)
//   web/WebPlatform.cpp        a browser canvas through Emscripten's html5.h
//   headless/HeadlessPlatform.cpp  no window at all (--headless, the tests)
// Keys, buttons and axes keep SFML 2's names and codes: they are plain
// enumerations, and the input scripts and replays are written in them.
//
// What every backend keeps to:
// - Units. Sizes and positions are in the pixels the picture is drawn in:
//   a desktop window's pixels, a canvas's drawing-buffer pixels (CSS pixels
//   times the device pixel ratio). The client origin and the cursor are in
//   the same pixels, the cursor relative to the same origin.
// - Threads. Every call comes from the thread that made the backend, the
//   one the frame loop runs on; a browser's callbacks come on that thread
//   too, between frames.
// - Events. A key or button pressed gives one KeyPressed or ButtonPressed
//   however long it is held (PlatformEvents filters the repeats, for all).
//   When the focus goes, everything held is let go.
// - After Close, or before Open: IsOpen is false, no event comes, nothing
//   is held, the client size is 0 x 0 and GetClientOrigin is false; Open
//   may be called again.
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Joystick.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

namespace ReEng {

// The clock every backend keeps time with: steady, in any C++ library.
using Clock = std::chrono::steady_clock;

// One thing the window system told us, in the engine's terms.
struct PlatformEvent {
    enum Type {
        Closed,   // the close button
        Resized,  // width, height: the client area's new size
        FocusLost,
        FocusGained,
        KeyPressed,       // key, alt
        ButtonPressed,    // button
        PadConnected,     // pad
        PadDisconnected,  // pad
    };
    Type type = Closed;
    int width = 0, height = 0;
    sf::Keyboard::Key key = sf::Keyboard::Unknown;
    bool alt = false;
    sf::Mouse::Button button = sf::Mouse::Left;
    unsigned pad = 0;
};

// A gamepad as read at one moment: axes from -100 to 100, as SFML gives them.
struct PadReading {
    bool connected = false;
    unsigned vendorId = 0;  // to tell the makers' button layouts apart
    bool hasAxis[sf::Joystick::AxisCount] = {};
    float axes[sf::Joystick::AxisCount] = {};
    unsigned buttonCount = 0;
    bool buttons[sf::Joystick::ButtonCount] = {};
};

// An image in memory, RGBA, rows top-down.
struct ImageView {
    const std::uint8_t* pixels = nullptr;
    int width = 0, height = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Opens a resizable window with a client area of width x height and a
    // GL context with a depth buffer, current on return. False with a
    // one-line error when there is no display or no context.
    virtual bool Open(const std::string& title, int width, int height, std::string& error) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetIcon(const ImageView& icon) = 0;
    // Makes the window's GL context current; false without one.
    virtual bool MakeCurrent() = 0;
    // Fullscreen on the desktop's mode, or back to the window's own size.
    // The GL context's objects survive the switch. False if nothing changed.
    virtual bool SetFullscreen(bool fullscreen) = 0;
    virtual bool IsFullscreen() const = 0;
    virtual void SetVerticalSync(bool on) = 0;

    // The next event since the last look, until false.
    virtual bool PollEvent(PlatformEvent& event) = 0;
    // The window system's own answers beside the events: the window, or
    // part of it, was uncovered and needs drawing again; it was moved or
    // resized (always, where asking for the place costs next to nothing).
    struct Changes {
        bool exposed = false;
        bool moved = false;
    };
    virtual Changes TakeChanges() = 0;
    // True once the window system reported an error about our own window
    // (on stderr); the run then ends with status 1.
    virtual bool HasFailed() const = 0;

    // Live input, as it is now. Keys and buttons read whatever window is in
    // front: Input asks HasFocus first.
    virtual bool HasFocus() const = 0;
    virtual bool IsKeyDown(sf::Keyboard::Key key) const = 0;
    // The keys the game reads, told once the window is open: a platform that
    // shares the keyboard (a browser) leaves every other key to its owner.
    virtual void SetGameKeys(std::vector<sf::Keyboard::Key>) {}
    virtual bool IsButtonDown(sf::Mouse::Button button) const = 0;
    // In screen pixels, as the client origin is.
    virtual sf::Vector2i GetMousePosition() const = 0;
    // True where the player plays by touch (a phone's or tablet's browser):
    // the title then tells the touch controls, not the keys, and text is
    // drawn large enough to read on a small screen.
    virtual bool IsTouchDevice() const { return false; }

    // Called just before a picture is drawn: where it goes, cleared. A
    // backend whose surface is shown whenever anything touches it (a
    // browser's canvas) keeps the game's own clear off it until here, so a
    // step that draws nothing leaves the last picture in place.
    virtual void BeginPicture() = 0;
    // Shows the picture just drawn.
    virtual void Present() = 0;
    // True where the system, not the engine, decides when frames are shown
    // (a browser's animation frames): the engine then never waits for a
    // deadline of its own.
    virtual bool PacesFrames() const = 0;

    // Top-left of the client area in screen pixels, leaving out a window
    // manager's frame; false without a window.
    virtual bool GetClientOrigin(int& x, int& y) const = 0;
    // The client area's size in pixels; 0 x 0 without a window.
    virtual sf::Vector2i GetClientSize() const = 0;

    // Pad `id` (0 to sf::Joystick::Count - 1) as it is now.
    virtual PadReading ReadPad(unsigned id) const = 0;
};

// The build's windowed backend (desktop or web); `program` names its
// error lines.
std::unique_ptr<Platform> CreateWindowedPlatform(const std::string& program);
// No window, no events, nothing held down.
std::unique_ptr<Platform> CreateHeadlessPlatform();

}  // namespace ReEng
