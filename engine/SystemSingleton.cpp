#include "engine/SystemSingleton.h"

#include <cmath>

namespace ReEng {

SystemSingleton::SystemSingleton() : m_start(std::chrono::steady_clock::now()) {}

double SystemSingleton::Now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
}

void SystemSingleton::SetFixedFrameTime(double seconds) {
    m_fixedFrameTime = std::isfinite(seconds) && seconds > 0.0 ? seconds : 0.0;
}

void SystemSingleton::UpdateTime() {
    if (m_fixedFrameTime > 0.0) {
        m_time += m_fixedFrameTime;
    } else {
        const double now = Now();
        if (now > m_time) m_time = now;
    }

    ++m_framesInWindow;
    const double elapsed = m_time - m_fpsWindowStart;
    // The small slack absorbs rounding when a second is a sum of fixed steps.
    if (elapsed >= 1.0 - 1e-9) {
        m_fps = static_cast<int>(std::lround(m_framesInWindow / elapsed));
        m_fpsWindowStart = m_time;
        m_framesInWindow = 0;
    }
}

double SystemSingleton::LapClock(unsigned clock) {
    if (clock >= kClocks) return 0.0;
    const double lap = m_time - m_lap[clock];
    m_lap[clock] = m_time;
    return lap;
}

void SystemSingleton::SetWindowRect(int x, int y, int width, int height) {
    m_windowX = x;
    m_windowY = y;
    m_windowWidth = width;
    m_windowHeight = height;
}

}  // namespace ReEng
