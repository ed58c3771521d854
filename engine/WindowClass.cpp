#include "engine/WindowClass.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>
#include <csignal>
#include <sstream>
#include <streambuf>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/ContextSettings.hpp>
#include <SFML/Window/VideoMode.hpp>

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
extern "C" const char* __lsan_default_suppressions() { return "leak:swrast_dri.so\nleak:libgallium\nleak:libLLVM\n"; }

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

namespace {

// What SFML writes to sf::err() while the window opens. Usually harmless
// (no vertical sync under Xvfb), so it stays off the output; it is shown
// when the window cannot open, and written out from a SIGABRT handler when
// SFML aborts, which it does when its display connection fails. A fixed
// buffer, so the handler reads it without allocating.
class HeldText : public std::streambuf {
public:
    HeldText() { setp(m_text, m_text + sizeof(m_text)); }
    std::string Text() const { return std::string(pbase(), pptr()); }
#ifndef _WIN32
    void WriteTo(int fd) const {
        const char* at = pbase();
        while (at < pptr()) {
            const ssize_t n = write(fd, at, static_cast<std::size_t>(pptr() - at));
            if (n <= 0) return;
            at += n;
        }
    }
#endif

protected:
    int overflow(int c) override { return c == EOF ? 0 : c; }  // full: the rest is dropped

private:
    char m_text[4096];
};

#ifndef _WIN32
HeldText* g_held = nullptr;

extern "C" void OnAbortWhileOpening(int) {
    static const char kPrefix[] = "vaultrix: the window system failed while opening the window: ";
    if (write(2, kPrefix, sizeof(kPrefix) - 1) < 0) {
    }
    if (g_held != nullptr) g_held->WriteTo(2);
    signal(SIGABRT, SIG_DFL);
    raise(SIGABRT);
}
#endif

// Holds sf::err() and watches for SIGABRT while SFML opens the window.
class SfmlOpening {
public:
    SfmlOpening() : m_previousBuffer(sf::err().rdbuf(&m_held)) {
#ifndef _WIN32
        g_held = &m_held;
        struct sigaction action {};
        action.sa_handler = OnAbortWhileOpening;
        sigemptyset(&action.sa_mask);
        sigaction(SIGABRT, &action, &m_previousAbort);
#endif
    }
    ~SfmlOpening() {
#ifndef _WIN32
        sigaction(SIGABRT, &m_previousAbort, nullptr);
        g_held = nullptr;
#endif
        sf::err().rdbuf(m_previousBuffer);
    }
    SfmlOpening(const SfmlOpening&) = delete;
    SfmlOpening& operator=(const SfmlOpening&) = delete;
    std::string Text() const { return m_held.Text(); }

private:
    HeldText m_held;
    std::streambuf* m_previousBuffer;
#ifndef _WIN32
    struct sigaction m_previousAbort {};
#endif
};

}  // namespace

namespace ReEng {

WindowClass::WindowClass() = default;

WindowClass::~WindowClass() { Close(); }

bool WindowClass::Open(const std::string& title, int width, int height, std::string& error) {
    if (!m_native.Connect(error)) {
        Close();
        return false;
    }
    m_title = title;
    m_windowedWidth = width;
    m_windowedHeight = height;
    std::string sfmlMessages;
    {
        const SfmlOpening opening;
        Create(sf::Style::Default, width, height);
        sfmlMessages = opening.Text();
    }
    PinGLDriver();
    if (!m_window->isOpen() || !m_window->setActive(true)) {
        std::string why;
        std::getline(std::istringstream(sfmlMessages), why);
        error = "cannot open a window: no OpenGL context" + (why.empty() ? "" : " (" + why + ")");
        Close();
        return false;
    }
    const sf::ContextSettings got = m_window->getSettings();
    if (got.majorVersion < 2) {
        Close();
        error = "cannot open a window: OpenGL 2.1 or later is needed";
        return false;
    }
    // SFML does not centre the window reliably without a window manager.
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const int x = std::max(0, (static_cast<int>(desktop.width) - width) / 2);
    const int y = std::max(0, (static_cast<int>(desktop.height) - height) / 2);
    m_window->setPosition(sf::Vector2i(x, y));
    return true;
}

void WindowClass::Create(unsigned style, int width, int height) {
    // GL 2.1 with default attributes gives a compatibility context, which
    // both our GL calls and SFML's text drawing rely on. No stencil: nothing
    // uses it, and beside it a depth clear is a masked per-pixel write in
    // Mesa's software rasterizer instead of a fill (twice the frame's time).
    const sf::ContextSettings settings(24, 0, 0, 2, 1, sf::ContextSettings::Default);
    const sf::VideoMode mode(static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (m_window)
        m_window->create(mode, m_title, style, settings);
    else
        m_window = std::make_unique<sf::RenderWindow>(mode, m_title, style, settings);
    // Presses arrive as events and are latched; repeats would be new presses.
    m_window->setKeyRepeatEnabled(false);
    m_window->setVerticalSyncEnabled(m_verticalSync);
    // A new window (fullscreen and back) is a new one to the window system.
    m_native.Attach(*m_window);
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

void WindowClass::Close() {
    if (m_window) {
        m_native.Detach();
        m_window->close();
        m_window.reset();
    }
    m_native.Disconnect();
}

bool WindowClass::IsOpen() const { return m_window && m_window->isOpen(); }

void WindowClass::SetTitle(const std::string& title) {
    if (m_window) m_window->setTitle(title);
}

}  // namespace ReEng
