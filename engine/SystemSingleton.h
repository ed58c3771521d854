#pragma once
// Clock, frame rate and the window's place on the screen.
#include "engine/Singleton.h"
#include <chrono>

namespace ReEng {

class SystemSingleton : public Singleton<SystemSingleton> {
public:

    // Advances the clock by one frame (real time, or the fixed frame time).
    void UpdateTime();
    // Seconds since the previous lap of the clock (clock 0 is the frame clock).
    double LapClock(unsigned clock = 0);
    // Frames counted over the last second of clock time.
    int GetFPS() const { return m_fps; }

    // A positive value makes every frame last exactly that many seconds.
    void SetFixedFrameTime(double seconds);
    double GetFixedFrameTime() const { return m_fixedFrameTime; }

    // Client area in screen pixels.
    int GetWindowX() const { return m_windowX; }
    int GetWindowY() const { return m_windowY; }
    int GetWindowWidth() const { return m_windowWidth; }
    int GetWindowHeight() const { return m_windowHeight; }
    void SetWindowRect(int x, int y, int width, int height);

    static constexpr unsigned kClocks = 8;

private:
    SystemSingleton();
    friend class Singleton<SystemSingleton>;

    double Now() const;

    std::chrono::steady_clock::time_point m_start;
    double m_fixedFrameTime = 0.0;
    double m_time = 0.0;  // clock time at the last UpdateTime
    double m_lap[kClocks] = {};
    double m_fpsWindowStart = 0.0;
    int m_framesInWindow = 0;
    int m_fps = 0;
    int m_windowX = 0;
    int m_windowY = 0;
    int m_windowWidth = 1080;
    int m_windowHeight = 720;
};

}  // namespace ReEng
