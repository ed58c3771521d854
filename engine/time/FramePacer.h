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

    // Moves on to the next frame, it being `now`: returns the time it is due
    // (now itself for the first frame and after a stall). Wait sleeps until it.
    Clock::time_point Schedule(Clock::time_point now);
    // When the last frame was due. Game time read from here keeps to the
    // deadlines, free of the jitter of waking up and drawing: a step clock
    // fed the jittered times drifts out of phase and skips a frame now and then.
    Clock::time_point FrameTime() const { return m_started ? m_frameTime : Clock::now(); }

private:
    Clock::duration m_period{0};
    Clock::time_point m_deadline{};
    Clock::time_point m_frameTime{};
    bool m_started = false;
    bool m_waited = false;
};

// Sleeps until the given time with the system's finest timer.
void SleepUntil(FramePacer::Clock::time_point when);

}  // namespace ReEng
