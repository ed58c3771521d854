#include "engine/time/SystemSingleton.h"

#include <cmath>

#include "engine/window/WindowClass.h"

namespace ReEng {

void SystemSingleton::SetStep(double seconds) {
    if (std::isfinite(seconds) && seconds > 0.0) m_step = seconds;
}

void SystemSingleton::UpdateTime() {
    m_time += m_step;
    if (!m_countsPresented) CountFrame(m_time);
}

void SystemSingleton::CountPresentedFrame(double now) {
    m_countsPresented = true;
    CountFrame(now);
}

void SystemSingleton::CountFrame(double now) {
    if (!m_fpsStarted) {
        // Game time starts at 0; a real clock may start anywhere.
        m_fpsStarted = true;
        m_fpsWindowStart = m_countsPresented ? now : 0.0;
    }
    ++m_framesInWindow;
    const double elapsed = now - m_fpsWindowStart;
    // The small slack absorbs rounding when a second is a sum of fixed steps.
    if (elapsed >= 1.0 - 1e-9) {
        m_fps = static_cast<int>(std::lround(static_cast<double>(m_framesInWindow) / elapsed));
        m_fpsWindowStart = now;
        m_framesInWindow = 0;
    }
}

double SystemSingleton::LapClock(unsigned clock) {
    if (clock >= kClocks) return 0.0;
    const double lap = m_time - m_lap[clock];
    m_lap[clock] = m_time;
    return lap;
}

namespace {

PlayArea AreaOf(const WindowClass* window) {
    return window ? window->GetScreenArea() : PlayArea{0, 0, WindowClass::kDefaultWidth, WindowClass::kDefaultHeight};
}

}  // namespace

int SystemSingleton::GetWindowX() const { return AreaOf(m_window).x; }
int SystemSingleton::GetWindowY() const { return AreaOf(m_window).y; }
int SystemSingleton::GetWindowWidth() const { return AreaOf(m_window).width; }
int SystemSingleton::GetWindowHeight() const { return AreaOf(m_window).height; }

}  // namespace ReEng
