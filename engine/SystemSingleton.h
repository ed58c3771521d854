#pragma once
// The game's clock, the frame rate and the play area's place on the screen.
// Game time moves in whole steps of a fixed length, so every lap of the
// frame clock is the same, however fast or unevenly frames are drawn.
#include "engine/Singleton.h"

namespace ReEng {

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

    // The play area in screen pixels: what the cursor is aimed against.
    int GetWindowX() const { return m_windowX; }
    int GetWindowY() const { return m_windowY; }
    int GetWindowWidth() const { return m_windowWidth; }
    int GetWindowHeight() const { return m_windowHeight; }
    void SetWindowRect(int x, int y, int width, int height);

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
    int m_windowX = 0;
    int m_windowY = 0;
    int m_windowWidth = 1080;
    int m_windowHeight = 720;
};

}  // namespace ReEng
