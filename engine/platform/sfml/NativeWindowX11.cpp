// The X11 window system, asked through our own Xlib connection beside SFML's.
#include "engine/platform/sfml/NativeWindow.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <SFML/Window/Window.hpp>

// Xlib last: its macros (None, Status, Bool...) clash with SFML's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

::Window g_ourWindow = 0;
bool g_xFailed = false;
// The program's name for the error lines, and the lost-display line made
// ready beforehand: the handler that writes it may not allocate.
char g_program[64] = "";
char g_lostLine[128] = "";

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
        std::fprintf(stderr, "%s: X error: %s (request %d)\n", g_program, text, static_cast<int>(event->request_code));
        g_xFailed = true;
    }
    return 0;
}

// A lost display cannot be recovered from, and Xlib ends the process after
// this returns: say so in one line instead of Xlib's several.
int OnXIOError(Display*) {
    if (write(2, g_lostLine, std::strlen(g_lostLine)) < 0) {
    }
    _exit(1);
}

}  // namespace

namespace ReEng {

struct NativeWindow::Impl {
    Display* display = nullptr;
    ::Window handle = 0;
};

NativeWindow::NativeWindow() : m_impl(std::make_unique<Impl>()) {}

NativeWindow::~NativeWindow() {
    Detach();
    Disconnect();
}

bool NativeWindow::Failed() { return g_xFailed; }

bool NativeWindow::Connect(const std::string& program, std::string& error) {
    std::snprintf(g_program, sizeof g_program, "%s", program.c_str());
    std::snprintf(g_lostLine, sizeof g_lostLine, "%s: lost the connection to the X display\n", g_program);
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXIOError);
    // Our own connection is opened first and kept: were it closed before
    // SFML connects, a server run without -noreset would reset as its last
    // client left, and SFML's connection would fail and abort.
    // Such a server also refuses connections for a moment while it resets:
    // a named display is given a second before it counts as absent.
    const char* named = std::getenv("DISPLAY");
    for (int attempt = 0; (m_impl->display = XOpenDisplay(nullptr)) == nullptr; ++attempt) {
        if (named == nullptr || *named == '\0' || attempt == 10) break;
        usleep(100 * 1000);
    }
    if (m_impl->display == nullptr) {
        error = "cannot open a window: no display (set DISPLAY, or run with --headless)";
        return false;
    }
    // SFML crashes on a server without GLX or without a visual GL can use.
    int opcode = 0, event = 0, firstError = 0;
    XVisualInfo visual{};
    if (!XQueryExtension(m_impl->display, "GLX", &opcode, &event, &firstError)) {
        error = "cannot open a window: no OpenGL (the X server has no GLX extension)";
    } else if (!XMatchVisualInfo(m_impl->display, DefaultScreen(m_impl->display), 24, TrueColor, &visual)) {
        error = "cannot open a window: no OpenGL (the screen has no 24-bit colour visual)";
    }
    return error.empty();
}

void NativeWindow::Disconnect() {
    if (m_impl->display != nullptr) XCloseDisplay(m_impl->display);
    m_impl->display = nullptr;
}

void NativeWindow::Attach(sf::Window& window) {
    // A new window has a new id: errors about the old one are not ours.
    m_impl->handle = g_ourWindow = static_cast<::Window>(window.getSystemHandle());
    if (m_impl->display == nullptr) return;
    // SFML has no expose event, and none for a move. X delivers events to
    // every client that asks, so our own connection listens beside SFML's.
    // A window manager that moves its frame tells the window with a
    // synthetic ConfigureNotify, which comes here too.
    XSelectInput(m_impl->display, m_impl->handle, ExposureMask | StructureNotifyMask);
    XFlush(m_impl->display);
}

void NativeWindow::Detach() {
    if (m_impl->handle == g_ourWindow) g_ourWindow = 0;
    m_impl->handle = 0;
}

bool NativeWindow::GetClientOrigin(int& x, int& y) const {
    // Asked of the server: it follows a dragged window, and it leaves out a
    // window manager's frame.
    if (m_impl->display == nullptr || m_impl->handle == 0) return false;
    ::Window child = 0;
    return XTranslateCoordinates(m_impl->display, m_impl->handle, DefaultRootWindow(m_impl->display), 0, 0, &x, &y,
                                 &child) != 0;
}

NativeWindow::Changes NativeWindow::TakeChanges() {
    Changes changes;
    if (m_impl->display == nullptr) return changes;
    XEvent event;
    while (XPending(m_impl->display) > 0) {
        XNextEvent(m_impl->display, &event);
        if (event.type == Expose) changes.exposed = true;
        if (event.type == ConfigureNotify || event.type == ReparentNotify || event.type == MapNotify)
            changes.moved = true;
    }
    return changes;
}

}  // namespace ReEng
