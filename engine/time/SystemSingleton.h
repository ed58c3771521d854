#pragma once
// The game's clock and the frame rate; the play area's place on the screen
// is the window's, looked up here for the game.
// Game time moves in whole steps of a fixed length, so every lap of the
// frame clock is the same, however fast or unevenly frames are drawn.
#include "engine/core/Singleton.h"

namespace ReEng {

class WindowClass;

class SystemSingleton : public Singleton<SystemSingleton> {
public:
    static constexpr double kDefaultStep = 1.0 / 60.0;

    // Advances the game clock by one step.
    void UpdateTime();
    // Seconds since the previous lap of the clock (clock 0 is the frame clock).
    double LapClock(unsigned clock = 0);
    // Frames a second: presented frames over the last second of real time,
    // or, in a run that presents none, steps over a second of game time.
    int GetFPS() const { return m_fps; }

    // The length of one step; anything not finite and positive is ignored.
    void SetStep(double seconds);
    double GetStep() const { return m_step; }
    // A frame was presented at this real time (seconds on any steady clock).
    void CountPresentedFrame(double now);

    // The window's play area in screen pixels (WindowClass::GetScreenArea);
    // without a window, the default size at (0, 0).
    int GetWindowX() const;
    int GetWindowY() const;
    int GetWindowWidth() const;
    int GetWindowHeight() const;
    // The window asked by the look-ups above; not owned, may be null.
    void SetWindow(const WindowClass* window) { m_window = window; }

    static constexpr unsigned kClocks = 8;

private:
    SystemSingleton() = default;
    friend class Singleton<SystemSingleton>;

    // Counts one frame at time now; refreshes the rate once a second has passed.
    void CountFrame(double now);

    double m_step = kDefaultStep;
    double m_time = 0.0;  // game time at the last UpdateTime
    double m_lap[kClocks] = {};
    bool m_countsPresented = false;
    double m_fpsWindowStart = 0.0;
    bool m_fpsStarted = false;
    long long m_framesInWindow = 0;  // a tiny step can pack very many frames in a second
    int m_fps = 0;
    const WindowClass* m_window = nullptr;
};

}  // namespace ReEng
