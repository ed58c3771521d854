#pragma once
// The browser backend: the page's canvas with a WebGL2 context, and the
// DOM's keys, mouse, focus, size and gamepads through Emscripten's html5.h.
// The browser presents each frame itself when the animation frame returns.
#include "engine/platform/GL.h"

#include <emscripten/html5.h>

#include <string>
#include <vector>

#include "engine/platform/Platform.h"
#include "engine/platform/PlatformEvents.h"

namespace ReEng {

class WebPlatform : public Platform {
public:
    // canvas: the CSS selector of the page's canvas; program names error lines.
    WebPlatform(std::string program, std::string canvas = "#canvas");
    ~WebPlatform() override;
    WebPlatform(const WebPlatform&) = delete;
    WebPlatform& operator=(const WebPlatform&) = delete;

    bool Open(const std::string& title, int width, int height, std::string& error) override;
    void Close() override;
    bool IsOpen() const override { return m_context > 0; }
    void SetTitle(const std::string& title) override;
    void SetIcon(const ImageView&) override {}  // the page's own favicon
    bool MakeCurrent() override;
    bool SetFullscreen(bool fullscreen) override;
    bool IsFullscreen() const override { return m_fullscreen; }
    void SetVerticalSync(bool) override {}  // the animation frame is always in step with the display

    bool PollEvent(PlatformEvent& event) override;
    Changes TakeChanges() override;
    bool HasFailed() const override { return m_lost; }

    bool HasFocus() const override { return m_canvasFocus && !m_hidden; }
    bool IsKeyDown(sf::Keyboard::Key key) const override;
    void SetGameKeys(std::vector<sf::Keyboard::Key> keys) override { m_gameKeys = std::move(keys); }
    bool IsButtonDown(sf::Mouse::Button button) const override;
    sf::Vector2i GetMousePosition() const override { return m_mouse; }
    bool IsTouchDevice() const override { return m_touchDevice; }

    // A key held or let go by the page's touch buttons: the same key state
    // as the keyboard's, so a game played by touch records as any other.
    // code is the DOM's name of the key ("KeyA").
    void TouchKey(const char* code, bool down);
    // The open platform the page's buttons reach; null when none is.
    static WebPlatform* Current() { return s_current; }

    // Draws go to the canvas from here to Present, and to the sink otherwise.
    void BeginPicture() override;
    void Present() override;
    bool PacesFrames() const override { return true; }  // the animation frames do

    bool GetClientOrigin(int& x, int& y) const override;
    sf::Vector2i GetClientSize() const override;

    PadReading ReadPad(unsigned id) const override;

private:
    static EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void* self);
    static EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* event, void* self);
    static EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* event, void* self);
    static EM_BOOL OnFocus(int type, const EmscriptenFocusEvent* event, void* self);
    static EM_BOOL OnVisibility(int type, const EmscriptenVisibilityChangeEvent* event, void* self);
    static EM_BOOL OnResize(int type, const EmscriptenUiEvent* event, void* self);
    static EM_BOOL OnFullscreen(int type, const EmscriptenFullscreenChangeEvent* event, void* self);
    static EM_BOOL OnPad(int type, const EmscriptenGamepadEvent* event, void* self);
    static EM_BOOL OnContextLost(int type, const void* reserved, void* self);

    void Listen(bool on);
    // The canvas's drawing buffer follows its CSS size at the display's density.
    void FitCanvas();
    // Keys and buttons held are forgotten when their release cannot reach us.
    void ReleaseAll();
    // A point on the canvas in CSS pixels, in the drawing buffer's pixels.
    sf::Vector2i CanvasPixel(double x, double y) const;
    // A touch is the player's hand on the game: the canvas takes the
    // keyboard, as a click gives it, so the game does not freeze.
    void TakeFocus();
    void NoteFocus();
    // The browser shows the canvas anew after any task that drew or cleared
    // on it, so a step that clears without drawing would show an empty
    // picture. Outside a picture the context draws into a one-pixel
    // framebuffer instead, which nobody sees; the canvas keeps the last one.
    void MakeSink();
    void FreeSink();

    std::string m_program;
    std::string m_canvas;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE m_context = 0;
    PlatformEvents m_events;                    // the queue, and the keys and buttons held
    std::vector<sf::Keyboard::Key> m_gameKeys;  // kept from the browser, with F11 and Alt+Enter
    sf::Vector2i m_mouse{0, 0};
    sf::Vector2i m_size{0, 0};
    bool m_canvasFocus = false;
    bool m_hidden = false;
    bool m_focused = true;  // as last told to the engine, which starts focused
    bool m_fullscreen = false;
    bool m_lost = false;
    bool m_touchDevice = false;  // a coarse pointer, or a touch has come
    bool m_aiming = false;       // a touch on the canvas holds the aim
    int m_aimTouch = 0;          // that touch's identifier
    static WebPlatform* s_current;
    bool m_presented = false;  // a first frame has been shown
    GLuint m_sink = 0, m_sinkColour = 0;
};

}  // namespace ReEng
