#include "engine/WindowClass.h"

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <sstream>
#include <streambuf>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/ContextSettings.hpp>
#include <SFML/Window/VideoMode.hpp>

// Xlib last: its macros (None, Status, Bool...) clash with SFML's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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
    void WriteTo(int fd) const {
        const char* at = pbase();
        while (at < pptr()) {
            const ssize_t n = write(fd, at, static_cast<std::size_t>(pptr() - at));
            if (n <= 0) return;
            at += n;
        }
    }

protected:
    int overflow(int c) override { return c == EOF ? 0 : c; }  // full: the rest is dropped

private:
    char m_text[4096];
};

HeldText* g_held = nullptr;

extern "C" void OnAbortWhileOpening(int) {
    static const char kPrefix[] = "vaultrix: the window system failed while opening the window: ";
    if (write(2, kPrefix, sizeof(kPrefix) - 1) < 0) {
    }
    if (g_held != nullptr) g_held->WriteTo(2);
    signal(SIGABRT, SIG_DFL);
    raise(SIGABRT);
}

// Holds sf::err() and watches for SIGABRT while SFML opens the window.
class SfmlOpening {
public:
    SfmlOpening() : m_previousBuffer(sf::err().rdbuf(&m_held)) {
        g_held = &m_held;
        struct sigaction action {};
        action.sa_handler = OnAbortWhileOpening;
        sigemptyset(&action.sa_mask);
        sigaction(SIGABRT, &action, &m_previousAbort);
    }
    ~SfmlOpening() {
        sigaction(SIGABRT, &m_previousAbort, nullptr);
        g_held = nullptr;
        sf::err().rdbuf(m_previousBuffer);
    }
    SfmlOpening(const SfmlOpening&) = delete;
    SfmlOpening& operator=(const SfmlOpening&) = delete;
    std::string Text() const { return m_held.Text(); }

private:
    HeldText m_held;
    std::streambuf* m_previousBuffer;
    struct sigaction m_previousAbort {};
};

::Window g_ourWindow = 0;
bool g_xFailed = false;

// Xlib's default handler ends the process on any error. A window manager
// that went away leaves the root pointing at its dead window, and SFML asks
// it about itself: errors about windows that are not ours are ignored. Any
// other error is reported once and ends the run.
int OnXError(Display* display, XErrorEvent* event) {
    const bool aboutAWindow = event->error_code == BadWindow || event->error_code == BadDrawable;
    if (aboutAWindow && (g_ourWindow == 0 || event->resourceid != g_ourWindow)) return 0;
    if (!g_xFailed) {
        char text[160] = "";
        XGetErrorText(display, event->error_code, text, sizeof(text));
        std::fprintf(stderr, "vaultrix: X error: %s (request %d)\n", text, static_cast<int>(event->request_code));
        g_xFailed = true;
    }
    return 0;
}

// A lost display cannot be recovered from, and Xlib ends the process after
// this returns: say so in one line instead of Xlib's several.
int OnXIOError(Display*) {
    static const char kLine[] = "\nvaultrix: lost the connection to the X display\n";
    if (write(2, kLine + 1, sizeof(kLine) - 2) < 0) {
    }
    _exit(1);
}

}  // namespace

namespace ReEng {

WindowClass::WindowClass() = default;

WindowClass::~WindowClass() { Close(); }

bool WindowClass::XErrorOccurred() { return g_xFailed; }

bool WindowClass::Open(const std::string& title, int width, int height, std::string& error) {
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXIOError);
    // Our own connection is opened first and kept: were it closed before
    // SFML connects, a server run without -noreset would reset as its last
    // client left, and SFML's connection would fail and abort.
    // Such a server also refuses connections for a moment while it resets:
    // a named display is given a second before it counts as absent.
    const char* named = std::getenv("DISPLAY");
    for (int attempt = 0; (m_display = XOpenDisplay(nullptr)) == nullptr; ++attempt) {
        if (named == nullptr || *named == '\0' || attempt == 10) break;
        usleep(100 * 1000);
    }
    if (m_display == nullptr) {
        error = "cannot open a window: no display (set DISPLAY, or run with --headless)";
        return false;
    }
    // SFML crashes on a server without GLX or without a visual GL can use.
    int opcode = 0, event = 0, firstError = 0;
    XVisualInfo visual{};
    if (!XQueryExtension(m_display, "GLX", &opcode, &event, &firstError)) {
        error = "cannot open a window: no OpenGL (the X server has no GLX extension)";
    } else if (!XMatchVisualInfo(m_display, DefaultScreen(m_display), 24, TrueColor, &visual)) {
        error = "cannot open a window: no OpenGL (the screen has no 24-bit colour visual)";
    }
    if (!error.empty()) {
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
    if (m_window)
        m_window->create(mode, m_title, style, settings);
    else
        m_window = std::make_unique<sf::RenderWindow>(mode, m_title, style, settings);
    // Presses arrive as events and are latched; repeats would be new presses.
    m_window->setKeyRepeatEnabled(false);
    m_window->setVerticalSyncEnabled(m_verticalSync);
    // A new window (fullscreen and back) has a new id: errors about the old one are not ours.
    g_ourWindow = static_cast<::Window>(m_window->getSystemHandle());
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
    return XTranslateCoordinates(m_display, handle, DefaultRootWindow(m_display), 0, 0, &x, &y, &child) != 0;
}

void WindowClass::Close() {
    if (m_window) {
        g_ourWindow = 0;
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
