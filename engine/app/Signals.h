#pragma once
// SIGINT, SIGTERM and SIGHUP (where there is one) as a quit request: the frame loop ends as it
// does for Escape, so everything is released in order and the output is
// complete; then the process ends by the signal, as a shell expects.
#include <csignal>

namespace ReEng {

class Signals {
public:
    // Catches the three signals (those not ignored) until destroyed. SIGINT
    // and SIGTERM are caught once: a second one (a run stuck on its way out)
    // ends the process at once. A second SIGHUP changes nothing. SIGPIPE is
    // ignored from here on, so a closed pipe is a failed write.
    Signals();
    ~Signals();
    Signals(const Signals&) = delete;
    Signals& operator=(const Signals&) = delete;

    // The number of the first signal caught, or 0.
    static int Caught();
    // Ends the process by the caught signal with its default action (the
    // shell then sees status 128 + its number). Returns if none was caught.
    static void RaiseCaught();

private:
#ifdef _WIN32
    // Windows' C library has no SIGHUP and no sigaction.
    static constexpr int kSignals[] = {SIGINT, SIGTERM};
    using Handler = void (*)(int);
    Handler m_previous[2] = {};
#else
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction m_previous[3] = {};
#endif
    static constexpr int kCount = static_cast<int>(sizeof(kSignals) / sizeof(kSignals[0]));
};

}  // namespace ReEng
