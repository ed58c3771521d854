#pragma once
// Paces presented frames against absolute deadlines, so the rate never
// drifts the way a sleep of "what is left of this frame" does. It sleeps
// until just before each deadline and waits out the rest precisely.
#include <chrono>

namespace ReEng {

class FramePacer {
public:
    using Clock = std::chrono::steady_clock;

    // 0 (or less) frames a second: no pacing at all.
    void SetRate(double framesPerSecond);
    bool IsPacing() const { return m_period.count() > 0; }

    // Waits for this frame's deadline, once per frame: a second call in the
    // same frame returns at once. The first frame only sets the clock going.
    void Wait();
    // Ends the frame: waits if that has not happened yet.
    void EndFrame();

private:
    Clock::duration m_period{0};
    Clock::time_point m_deadline{};
    bool m_started = false;
    bool m_waited = false;
};

// Sleeps until the given time with the system's finest timer.
void SleepUntil(FramePacer::Clock::time_point when);

}  // namespace ReEng
