#include "engine/platform/web/WebPlatform.h"

#include "engine/platform/web/DomInput.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

// Whether the element holds the keyboard now; html5.h only tells of changes.
// clang-format off
EM_JS(int, reeng_has_focus, (const char* selector), {
    return document.activeElement == document.querySelector(UTF8ToString(selector)) ? 1 : 0;
});
// The page times its start to the first frame shown.
EM_JS(void, reeng_first_frame, (), {
    if (Module.onFirstFrame) Module.onFirstFrame();
});
// The element that goes fullscreen: the canvas's frame, where the page keeps
// the picture at 3:2 in black bars, as its own Fullscreen button does. A
// canvas without a named frame goes fullscreen itself.
EM_JS(void, reeng_fullscreen_target, (const char* canvas, char* out, int size), {
    var frame = document.querySelector(UTF8ToString(canvas)).parentElement;
    var id = frame && frame !== document.body && frame.id ? '#' + frame.id : UTF8ToString(canvas);
    stringToUTF8(id, out, size);
});
// A phone's or tablet's browser: its main pointer is a finger.
EM_JS(int, reeng_coarse_pointer, (), {
    return window.matchMedia && window.matchMedia('(pointer: coarse)').matches ? 1 : 0;
});
EM_JS(void, reeng_focus, (const char* selector), {
    var element = document.querySelector(UTF8ToString(selector));
    if (element && document.activeElement !== element) element.focus({preventScroll : true});
});
// clang-format on

namespace ReEng {

WebPlatform* WebPlatform::s_current = nullptr;

WebPlatform::WebPlatform(std::string program, std::string canvas)
    : m_program(std::move(program)), m_canvas(std::move(canvas)) {}

WebPlatform::~WebPlatform() { Close(); }

bool WebPlatform::Open(const std::string& title, int width, int height, std::string& error) {
    if (IsOpen()) Close();
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;  // opaque, though the clear colour's alpha is 0
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    m_context = emscripten_webgl_create_context(m_canvas.c_str(), &attributes);
    if (m_context <= 0) {
        m_context = 0;
        error = "this browser has no WebGL2";
        return false;
    }
    MakeCurrent();
    SetTitle(title);
    // The page sizes the canvas; a page that does not gets the asked size.
    double cssWidth = 0.0, cssHeight = 0.0;
    emscripten_get_element_css_size(m_canvas.c_str(), &cssWidth, &cssHeight);
    if (cssWidth < 1.0 || cssHeight < 1.0) emscripten_set_element_css_size(m_canvas.c_str(), width, height);
    FitCanvas();
    MakeSink();
    Listen(true);
    EmscriptenVisibilityChangeEvent visibility;
    m_hidden = emscripten_get_visibility_status(&visibility) == EMSCRIPTEN_RESULT_SUCCESS && visibility.hidden;
    // The page may have given the canvas the keyboard before the game began.
    m_canvasFocus = reeng_has_focus(m_canvas.c_str());
    m_touchDevice = m_touchDevice || reeng_coarse_pointer();
    NoteFocus();
    s_current = this;
    return true;
}

void WebPlatform::Close() {
    if (!IsOpen()) return;
    Listen(false);
    FreeSink();
    emscripten_webgl_destroy_context(m_context);
    m_context = 0;
    m_events.Clear();
    m_aiming = false;
    if (s_current == this) s_current = nullptr;
}

void WebPlatform::SetTitle(const std::string& title) { emscripten_set_window_title(title.c_str()); }

bool WebPlatform::MakeCurrent() {
    return IsOpen() && emscripten_webgl_make_context_current(m_context) == EMSCRIPTEN_RESULT_SUCCESS;
}

void WebPlatform::Listen(bool on) {
    const char* canvas = m_canvas.c_str();
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    void* self = on ? this : nullptr;
    // Keys go to the canvas, which takes them once clicked (its tabindex);
    // releases are heard anywhere, so no key or button stays held.
    emscripten_set_keydown_callback(canvas, self, EM_TRUE, on ? &OnKey : nullptr);
    emscripten_set_keyup_callback(window, self, EM_TRUE, on ? &OnKey : nullptr);
    emscripten_set_mousedown_callback(canvas, self, EM_TRUE, on ? &OnMouse : nullptr);
    emscripten_set_mouseup_callback(window, self, EM_TRUE, on ? &OnMouse : nullptr);
    emscripten_set_mousemove_callback(canvas, self, EM_TRUE, on ? &OnMouse : nullptr);
    // A touch on the canvas aims and fires, and starts the game on its title.
    emscripten_set_touchstart_callback(canvas, self, EM_TRUE, on ? &OnTouch : nullptr);
    emscripten_set_touchmove_callback(canvas, self, EM_TRUE, on ? &OnTouch : nullptr);
    emscripten_set_touchend_callback(canvas, self, EM_TRUE, on ? &OnTouch : nullptr);
    emscripten_set_touchcancel_callback(canvas, self, EM_TRUE, on ? &OnTouch : nullptr);
    emscripten_set_focus_callback(canvas, self, EM_TRUE, on ? &OnFocus : nullptr);
    emscripten_set_blur_callback(canvas, self, EM_TRUE, on ? &OnFocus : nullptr);
    emscripten_set_visibilitychange_callback(self, EM_TRUE, on ? &OnVisibility : nullptr);
    emscripten_set_resize_callback(window, self, EM_TRUE, on ? &OnResize : nullptr);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, self, EM_TRUE,
                                             on ? &OnFullscreen : nullptr);
    emscripten_set_webglcontextlost_callback(canvas, self, EM_TRUE, on ? &OnContextLost : nullptr);
    // Without a Gamepad API (an insecure page in some browsers) there are no pads.
    if (emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS) {
        emscripten_set_gamepadconnected_callback(self, EM_TRUE, on ? &OnPad : nullptr);
        emscripten_set_gamepaddisconnected_callback(self, EM_TRUE, on ? &OnPad : nullptr);
    }
}

void WebPlatform::FitCanvas() {
    double cssWidth = 0.0, cssHeight = 0.0;
    emscripten_get_element_css_size(m_canvas.c_str(), &cssWidth, &cssHeight);
    const double density = emscripten_get_device_pixel_ratio();
    const int width = std::max(1, static_cast<int>(std::lround(cssWidth * density)));
    const int height = std::max(1, static_cast<int>(std::lround(cssHeight * density)));
    if (width == m_size.x && height == m_size.y) return;
    emscripten_set_canvas_element_size(m_canvas.c_str(), width, height);
    m_size = sf::Vector2i(width, height);
    PlatformEvent event;
    event.type = PlatformEvent::Resized;
    event.width = width;
    event.height = height;
    m_events.Push(event);
}

void WebPlatform::MakeSink() {
    glGenFramebuffers(1, &m_sink);
    glGenRenderbuffers(1, &m_sinkColour);
    glBindRenderbuffer(GL_RENDERBUFFER, m_sinkColour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 1, 1);
    glBindFramebuffer(GL_FRAMEBUFFER, m_sink);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_sinkColour);
}

void WebPlatform::FreeSink() {
    if (m_sink == 0) return;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &m_sink);
    glDeleteRenderbuffers(1, &m_sinkColour);
    m_sink = m_sinkColour = 0;
}

void WebPlatform::BeginPicture() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void WebPlatform::Present() {
    // The browser shows the canvas when this task ends; until the next
    // picture, clears go where they cannot be seen.
    glBindFramebuffer(GL_FRAMEBUFFER, m_sink);
    if (!m_presented) reeng_first_frame();
    m_presented = true;
}

void WebPlatform::ReleaseAll() {
    m_events.ReleaseAll();
    m_aiming = false;  // that touch's end would release nothing now
}

sf::Vector2i WebPlatform::CanvasPixel(double x, double y) const {
    // The aim maths works in the drawing buffer's pixels, not CSS pixels.
    double cssWidth = 0.0, cssHeight = 0.0;
    emscripten_get_element_css_size(m_canvas.c_str(), &cssWidth, &cssHeight);
    const double sx = cssWidth > 0.0 ? m_size.x / cssWidth : 1.0;
    const double sy = cssHeight > 0.0 ? m_size.y / cssHeight : 1.0;
    return sf::Vector2i(static_cast<int>(std::floor(x * sx)), static_cast<int>(std::floor(y * sy)));
}

void WebPlatform::TakeFocus() {
    m_touchDevice = true;
    if (!HasFocus()) reeng_focus(m_canvas.c_str());
}

void WebPlatform::TouchKey(const char* code, bool down) {
    const sf::Keyboard::Key key = KeyOfCode(code);
    if (key == sf::Keyboard::Unknown) return;
    if (!down) {
        m_events.Key(key, false);
        return;
    }
    TakeFocus();
    // A hidden page has no player to press anything.
    if (HasFocus()) m_events.Key(key, true);
}

void WebPlatform::NoteFocus() {
    const bool focused = HasFocus();
    if (focused == m_focused) return;
    m_focused = focused;
    if (!focused) ReleaseAll();
    PlatformEvent event;
    event.type = focused ? PlatformEvent::FocusGained : PlatformEvent::FocusLost;
    m_events.Push(event);
}

EM_BOOL WebPlatform::OnKey(int type, const EmscriptenKeyboardEvent* event, void* self) {
    WebPlatform& p = *static_cast<WebPlatform*>(self);
    const sf::Keyboard::Key key = KeyOfCode(event->code);
    if (key != sf::Keyboard::Unknown) p.m_events.Key(key, type == EMSCRIPTEN_EVENT_KEYDOWN, event->altKey);
    // A key the game uses must not scroll the page or leave fullscreen.
    return type == EMSCRIPTEN_EVENT_KEYDOWN &&
           GameReads(key, event->ctrlKey, event->metaKey, event->altKey, p.m_gameKeys);
}

EM_BOOL WebPlatform::OnMouse(int type, const EmscriptenMouseEvent* event, void* self) {
    WebPlatform& p = *static_cast<WebPlatform*>(self);
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE || type == EMSCRIPTEN_EVENT_MOUSEDOWN)
        p.m_mouse = p.CanvasPixel(event->targetX, event->targetY);
    sf::Mouse::Button button;
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE || !ButtonOf(event->button, button)) return EM_FALSE;
    p.m_events.Button(button, type == EMSCRIPTEN_EVENT_MOUSEDOWN);
    // A press on the canvas must still give it the keyboard.
    return EM_FALSE;
}

EM_BOOL WebPlatform::OnTouch(int type, const EmscriptenTouchEvent* event, void* self) {
    WebPlatform& p = *static_cast<WebPlatform*>(self);
    if (type == EMSCRIPTEN_EVENT_TOUCHSTART) p.TakeFocus();
    // The first finger on the picture is the cursor with the left button
    // held, and Enter, which the game reads only on its title (a tap there
    // starts it). Other fingers on the picture are left alone: the steering
    // thumb is on the page's buttons, tracked there.
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        if (!touch.isChanged) continue;
        if (type == EMSCRIPTEN_EVENT_TOUCHSTART) {
            if (p.m_aiming || !p.HasFocus()) continue;
            p.m_aiming = true;
            p.m_aimTouch = touch.identifier;
            p.m_mouse = p.CanvasPixel(touch.targetX, touch.targetY);
            p.m_events.Key(sf::Keyboard::Enter, true);
            p.m_events.Button(sf::Mouse::Left, true);
        } else if (p.m_aiming && touch.identifier == p.m_aimTouch) {
            p.m_mouse = p.CanvasPixel(touch.targetX, touch.targetY);
            if (type == EMSCRIPTEN_EVENT_TOUCHEND || type == EMSCRIPTEN_EVENT_TOUCHCANCEL) {
                p.m_aiming = false;
                p.m_events.Key(sf::Keyboard::Enter, false);
                p.m_events.Button(sf::Mouse::Left, false);
            }
        }
    }
    // No scroll, zoom or long-press menu, and no mouse events made up from
    // the touch, which would press the button a second time.
    return EM_TRUE;
}

EM_BOOL WebPlatform::OnFocus(int type, const EmscriptenFocusEvent*, void* self) {
    WebPlatform& p = *static_cast<WebPlatform*>(self);
    p.m_canvasFocus = type == EMSCRIPTEN_EVENT_FOCUS;
    p.NoteFocus();
    return EM_FALSE;
}

EM_BOOL WebPlatform::OnVisibility(int, const EmscriptenVisibilityChangeEvent* event, void* self) {
    WebPlatform& p = *static_cast<WebPlatform*>(self);
    // A hidden tab is a window left: the game freezes as on the desktop.
    p.m_hidden = event->hidden;
    p.NoteFocus();
    return EM_FALSE;
}

EM_BOOL WebPlatform::OnResize(int, const EmscriptenUiEvent*, void* self) {
    static_cast<WebPlatform*>(self)->FitCanvas();
    return EM_FALSE;
}

EM_BOOL WebPlatform::OnFullscreen(int, const EmscriptenFullscreenChangeEvent* event, void* self) {
    WebPlatform& p = *static_cast<WebPlatform*>(self);
    p.m_fullscreen = event->isFullscreen;
    p.FitCanvas();
    return EM_FALSE;
}

EM_BOOL WebPlatform::OnPad(int type, const EmscriptenGamepadEvent* event, void* self) {
    PlatformEvent pad;
    pad.type = type == EMSCRIPTEN_EVENT_GAMEPADCONNECTED ? PlatformEvent::PadConnected : PlatformEvent::PadDisconnected;
    pad.pad = static_cast<unsigned>(event->index);
    if (pad.pad < sf::Joystick::Count) static_cast<WebPlatform*>(self)->m_events.Push(pad);
    return EM_FALSE;
}

EM_BOOL WebPlatform::OnContextLost(int, const void*, void* self) {
    WebPlatform& p = *static_cast<WebPlatform*>(self);
    // Nothing drawn from here on would show: end the run as a window error does.
    if (!p.m_lost) std::fprintf(stderr, "%s: the WebGL2 context was lost\n", p.m_program.c_str());
    p.m_lost = true;
    return EM_FALSE;
}

bool WebPlatform::SetFullscreen(bool fullscreen) {
    if (fullscreen == m_fullscreen || !IsOpen()) return false;
    if (!fullscreen) return emscripten_exit_fullscreen() == EMSCRIPTEN_RESULT_SUCCESS;
    // The browser grants fullscreen only during a user's input: a request from
    // the game's step waits for the next key or click (the key's release).
    // The page sizes the canvas in it, as for a window.
    char target[256];
    reeng_fullscreen_target(m_canvas.c_str(), target, sizeof(target));
    const EMSCRIPTEN_RESULT result = emscripten_request_fullscreen(target, EM_TRUE);
    return result == EMSCRIPTEN_RESULT_SUCCESS || result == EMSCRIPTEN_RESULT_DEFERRED;
}

bool WebPlatform::PollEvent(PlatformEvent& event) { return m_events.Poll(event); }

Platform::Changes WebPlatform::TakeChanges() {
    // The browser keeps the canvas's picture while covered, and the canvas's
    // origin is always (0, 0): nothing to tell.
    return Changes{};
}

bool WebPlatform::IsKeyDown(sf::Keyboard::Key key) const { return m_events.IsKeyDown(key); }

bool WebPlatform::IsButtonDown(sf::Mouse::Button button) const { return m_events.IsButtonDown(button); }

bool WebPlatform::GetClientOrigin(int& x, int& y) const {
    // The mouse is read in the canvas's own pixels, so its origin is the client's.
    x = 0;
    y = 0;
    return IsOpen();
}

sf::Vector2i WebPlatform::GetClientSize() const { return IsOpen() ? m_size : sf::Vector2i(0, 0); }

PadReading WebPlatform::ReadPad(unsigned id) const {
    PadReading pad;
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return pad;
    if (static_cast<int>(id) >= emscripten_get_num_gamepads()) return pad;
    EmscriptenGamepadEvent state;
    if (emscripten_get_gamepad_status(static_cast<int>(id), &state) != EMSCRIPTEN_RESULT_SUCCESS || !state.connected)
        return pad;
    pad.connected = true;
    // Mapped pads are given in the XInput pad's order: the default layout.
    pad.vendorId = 0;
    if (std::strcmp(state.mapping, "standard") == 0)
        ReadStandard(state, pad);
    else
        ReadRaw(state, pad);
    return pad;
}

// The page's touch buttons: down is 1 while held, 0 on release.
extern "C" EMSCRIPTEN_KEEPALIVE void reeng_touch_key(const char* code, int down) {
    if (WebPlatform* platform = WebPlatform::Current()) platform->TouchKey(code, down != 0);
}

std::unique_ptr<Platform> CreateWindowedPlatform(const std::string& program) {
    return std::make_unique<WebPlatform>(program);
}

}  // namespace ReEng
