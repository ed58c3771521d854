#include "engine/WindowClass.h"

#include <algorithm>
#include <sstream>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/ContextSettings.hpp>
#include <SFML/Window/VideoMode.hpp>

// Xlib last: its macros (None, Status, Bool...) clash with SFML's names.
#include <X11/Xlib.h>

#if defined(__SANITIZE_ADDRESS__)
#define VAULTRIX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VAULTRIX_ASAN 1
#endif
#endif

#ifdef VAULTRIX_ASAN
#include <dlfcn.h>
#include <link.h>

#include <cstring>

// Mesa's software driver leaks a little while compiling shaders. Those
// reports are not ours, so they are suppressed by the driver's name...
extern "C" const char* __lsan_default_suppressions() {
    return "leak:swrast_dri.so\nleak:libgallium\nleak:libLLVM\n";
}

namespace {

// ...which only works if the driver is still loaded when the leak check
// runs at exit; by default closing the display unloads it.
int PinDriver(dl_phdr_info* info, std::size_t, void*) {
    const char* name = info->dlpi_name;
    if (name != nullptr && (std::strstr(name, "_dri.so") || std::strstr(name, "libgallium")))
        dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}

void PinGLDriver() { dl_iterate_phdr(PinDriver, nullptr); }

}  // namespace
#else
namespace {
void PinGLDriver() {}
}  // namespace
#endif

namespace ReEng {

WindowClass::WindowClass() = default;

WindowClass::~WindowClass() { Close(); }

bool WindowClass::DisplayAvailable() {
    // SFML aborts the process when it cannot reach a display, so ask Xlib first.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    XCloseDisplay(display);
    return true;
}

bool WindowClass::Open(const std::string& title, int width, int height, std::string& error) {
    if (!DisplayAvailable()) {
        error = "cannot open a window: no display (set DISPLAY, or run with --headless)";
        return false;
    }
    m_title = title;
    m_windowedWidth = width;
    m_windowedHeight = height;
    // SFML reports harmless things here (e.g. no vertical sync under Xvfb);
    // keep them off the game's output.
    std::ostringstream sfmlMessages;
    std::streambuf* previous = sf::err().rdbuf(sfmlMessages.rdbuf());
    Create(sf::Style::Default, width, height);
    sf::err().rdbuf(previous);
    PinGLDriver();
    if (!m_window->isOpen() || !m_window->setActive(true)) {
        m_window.reset();
        std::string why;
        std::getline(std::istringstream(sfmlMessages.str()), why);
        error = "cannot open a window: no OpenGL context" + (why.empty() ? "" : " (" + why + ")");
        return false;
    }
    const sf::ContextSettings got = m_window->getSettings();
    if (got.majorVersion < 2) {
        m_window.reset();
        error = "cannot open a window: OpenGL 2.1 or later is needed";
        return false;
    }
    // SFML does not centre the window reliably without a window manager.
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const int x = std::max(0, (static_cast<int>(desktop.width) - width) / 2);
    const int y = std::max(0, (static_cast<int>(desktop.height) - height) / 2);
    m_window->setPosition(sf::Vector2i(x, y));
    m_display = XOpenDisplay(nullptr);
    WatchWindow();
    return true;
}

void WindowClass::Create(unsigned style, int width, int height) {
    // GL 2.1 with default attributes gives a compatibility context, which
    // both our GL calls and SFML's text drawing rely on. No stencil: nothing
    // uses it, and beside it a depth clear is a masked per-pixel write in
    // Mesa's software rasterizer instead of a fill (twice the frame's time).
    const sf::ContextSettings settings(24, 0, 0, 2, 1, sf::ContextSettings::Default);
    const sf::VideoMode mode(static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (m_window) m_window->create(mode, m_title, style, settings);
    else m_window = std::make_unique<sf::RenderWindow>(mode, m_title, style, settings);
    // Presses arrive as events and are latched; repeats would be new presses.
    m_window->setKeyRepeatEnabled(false);
    m_window->setVerticalSyncEnabled(m_verticalSync);
}

bool WindowClass::SetFullscreen(bool fullscreen) {
    if (!m_window || fullscreen == m_fullscreen) return false;
    const sf::Image icon = m_icon;
    if (fullscreen) {
        const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        Create(sf::Style::Fullscreen, static_cast<int>(desktop.width), static_cast<int>(desktop.height));
    } else {
        Create(sf::Style::Default, m_windowedWidth, m_windowedHeight);
    }
    m_fullscreen = fullscreen;
    m_window->setActive(true);
    if (icon.getSize().x > 0) m_window->setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
    WatchWindow();
    return true;
}

void WindowClass::SetVerticalSync(bool on) {
    m_verticalSync = on;
    if (m_window) m_window->setVerticalSyncEnabled(on);
}

bool WindowClass::SetIcon(const std::string& file) {
    if (!m_window) return false;
    std::ostringstream discard;  // a missing icon is no reason to say anything
    std::streambuf* previous = sf::err().rdbuf(discard.rdbuf());
    const bool ok = m_icon.loadFromFile(file);
    sf::err().rdbuf(previous);
    if (!ok) return false;
    m_window->setIcon(m_icon.getSize().x, m_icon.getSize().y, m_icon.getPixelsPtr());
    return true;
}

void WindowClass::WatchWindow() {
    if (!m_window || m_display == nullptr) return;
    // SFML has no expose event, and none for a move. X delivers events to
    // every client that asks, so our own connection listens beside SFML's.
    // A window manager that moves its frame tells the window with a
    // synthetic ConfigureNotify, which comes here too.
    XSelectInput(m_display, static_cast<::Window>(m_window->getSystemHandle()), ExposureMask | StructureNotifyMask);
    XFlush(m_display);
}

WindowClass::Changes WindowClass::TakeChanges() {
    Changes changes;
    if (m_display == nullptr) return changes;
    XEvent event;
    while (XPending(m_display) > 0) {
        XNextEvent(m_display, &event);
        if (event.type == Expose) changes.exposed = true;
        if (event.type == ConfigureNotify || event.type == ReparentNotify || event.type == MapNotify)
            changes.moved = true;
    }
    return changes;
}

bool WindowClass::GetClientOrigin(int& x, int& y) const {
    if (!m_window || m_display == nullptr) return false;
    ::Window child = 0;
    const ::Window handle = static_cast<::Window>(m_window->getSystemHandle());
    return XTranslateCoordinates(m_display, handle, DefaultRootWindow(m_display), 0, 0, &x, &y,
                                 &child) != 0;
}

void WindowClass::Close() {
    if (m_window) {
        m_window->close();
        m_window.reset();
    }
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
}

bool WindowClass::IsOpen() const { return m_window && m_window->isOpen(); }

void WindowClass::SetTitle(const std::string& title) {
    if (m_window) m_window->setTitle(title);
}

}  // namespace ReEng
