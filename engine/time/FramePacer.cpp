#include "engine/time/FramePacer.h"

#include <thread>

#ifdef __linux__
#include <sys/prctl.h>
#include <time.h>
#endif

namespace ReEng {

namespace {

// The last stretch before a deadline is waited out awake: a sleeping thread
// wakes tens of microseconds late, and that would show as jitter.
constexpr auto kSpin = std::chrono::microseconds(300);

}  // namespace

void SleepUntil(FramePacer::Clock::time_point when) {
#ifdef __linux__
    // steady_clock is CLOCK_MONOTONIC here; an absolute sleep cannot drift.
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch()).count();
    timespec ts{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) != 0) {
        if (FramePacer::Clock::now() >= when) break;  // interrupted by a signal late enough
    }
#else
    std::this_thread::sleep_until(when);
#endif
}

void FramePacer::SetRate(double framesPerSecond) {
    m_period = framesPerSecond > 0.0
                   ? std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / framesPerSecond))
                   : Clock::duration{0};
    m_started = false;
#ifdef __linux__
    // The default 50 us timer slack would be most of the spin budget.
    if (IsPacing()) prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
}

FramePacer::Clock::time_point FramePacer::Schedule(Clock::time_point now) {
    if (!m_started || now > m_deadline + m_period) {
        // First frame, or more than a frame late (a stall, a slow frame):
        // start the deadlines again from now instead of rushing to catch up.
        m_started = true;
        m_deadline = now + m_period;
        return m_frameTime = now;
    }
    m_frameTime = m_deadline;
    m_deadline += m_period;
    return m_frameTime;
}

void FramePacer::Wait() {
    if (m_waited || !IsPacing()) return;
    m_waited = true;
    const Clock::time_point now = Clock::now();
    const Clock::time_point due = Schedule(now);
    if (due - now > kSpin) SleepUntil(due - kSpin);
    while (Clock::now() < due) std::this_thread::yield();
}

void FramePacer::EndFrame() {
    Wait();
    m_waited = false;
}

}  // namespace ReEng
