#include "engine/app/Signals.h"

#include <cstdio>

namespace ReEng {

namespace {

volatile std::sig_atomic_t g_caught = 0;

extern "C" void OnSignal(int number) {
    if (g_caught == 0) g_caught = number;
}

}  // namespace

#ifdef _WIN32
// signal() resets a handler to the default as it runs, as SA_RESETHAND does.
Signals::Signals() {
    g_caught = 0;
    for (int i = 0; i < kCount; ++i) {
        m_previous[i] = std::signal(kSignals[i], OnSignal);
        if (m_previous[i] == SIG_IGN) std::signal(kSignals[i], SIG_IGN);
    }
}

Signals::~Signals() {
    for (int i = 0; i < kCount; ++i) std::signal(kSignals[i], m_previous[i]);
}
#else
Signals::Signals() {
    g_caught = 0;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kCount; ++i) {
        // A write to a pipe interrupted by the signal goes on, not failed with EINTR.
        action.sa_flags = SA_RESTART;
        // A closing terminal sends SIGHUP twice, from the kernel and again from
        // the shell: the second is the same request, not a run stuck on its way out.
        if (kSignals[i] != SIGHUP) action.sa_flags |= SA_RESETHAND;
        sigaction(kSignals[i], nullptr, &m_previous[i]);
        // Ignored by whoever started us (nohup, a background job): stays ignored.
        if (m_previous[i].sa_handler != SIG_IGN) sigaction(kSignals[i], &action, nullptr);
    }
    // A reader that went away (| head) makes a write fail with EPIPE, which
    // ends the run with its recording finished, instead of killing it mid-step.
    // Left ignored to the end: the C library flushes the output once more at exit.
    std::signal(SIGPIPE, SIG_IGN);
}

Signals::~Signals() {
    for (int i = 0; i < kCount; ++i) sigaction(kSignals[i], &m_previous[i], nullptr);
}
#endif

int Signals::Caught() { return g_caught; }

void Signals::RaiseCaught() {
    const int number = g_caught;
    if (number == 0) return;
    std::fflush(nullptr);
#ifdef _WIN32
    std::signal(number, SIG_DFL);
#else
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(number, &action, nullptr);
    // The signal may be blocked by whoever started us; unblock it to be sure it lands.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, number);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
#endif
    std::raise(number);
}

}  // namespace ReEng
