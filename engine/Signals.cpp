#include "engine/Signals.h"

#include <cstdio>

namespace ReEng {

namespace {

volatile std::sig_atomic_t g_caught = 0;

extern "C" void OnSignal(int number) {
    if (g_caught == 0) g_caught = number;
}

}  // namespace

Signals::Signals() {
    g_caught = 0;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int i = 0; i < 3; ++i) {
        sigaction(kSignals[i], nullptr, &m_previous[i]);
        // Ignored by whoever started us (nohup, a background job): stays ignored.
        if (m_previous[i].sa_handler != SIG_IGN) sigaction(kSignals[i], &action, nullptr);
    }
}

Signals::~Signals() {
    for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &m_previous[i], nullptr);
}

int Signals::Caught() { return g_caught; }

void Signals::RaiseCaught() {
    const int number = g_caught;
    if (number == 0) return;
    std::fflush(nullptr);
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(number, &action, nullptr);
    // The signal may be blocked by whoever started us; unblock it to be sure it lands.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, number);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(number);
}

}  // namespace ReEng
