#include "engine/platform/sfml/SfmlOpening.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdio>
#include <cstring>

#include <SFML/System/Err.hpp>

namespace ReEng {

namespace {

#ifndef _WIN32
HeldText* g_held = nullptr;
char g_prefix[128] = "";  // made before the abort: the handler may not allocate

extern "C" void OnAbortWhileOpening(int) {
    if (write(2, g_prefix, std::strlen(g_prefix)) < 0) {
    }
    if (g_held != nullptr) g_held->WriteTo(2);
    signal(SIGABRT, SIG_DFL);
    raise(SIGABRT);
}
#endif

}  // namespace

void HeldText::WriteTo(int fd) const {
#ifndef _WIN32
    const char* at = pbase();
    while (at < pptr()) {
        const ssize_t n = write(fd, at, static_cast<std::size_t>(pptr() - at));
        if (n <= 0) return;
        at += n;
    }
#else
    (void)fd;
#endif
}

SfmlOpening::SfmlOpening(const std::string& program) : m_previousBuffer(sf::err().rdbuf(&m_held)) {
#ifndef _WIN32
    std::snprintf(g_prefix, sizeof g_prefix,
                  "%s: the window system failed while opening the window: ", program.c_str());
    g_held = &m_held;
    struct sigaction action {};
    action.sa_handler = OnAbortWhileOpening;
    sigemptyset(&action.sa_mask);
    sigaction(SIGABRT, &action, &m_previousAbort);
#else
    (void)program;
#endif
}

SfmlOpening::~SfmlOpening() {
#ifndef _WIN32
    sigaction(SIGABRT, &m_previousAbort, nullptr);
    g_held = nullptr;
#endif
    sf::err().rdbuf(m_previousBuffer);
}

}  // namespace ReEng
