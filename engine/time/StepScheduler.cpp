#include "engine/time/StepScheduler.h"

#include <cmath>

namespace ReEng {

StepScheduler::StepScheduler(double step, int maxSteps, double maxElapsed)
    : m_step(step), m_maxSteps(maxSteps), m_maxElapsed(maxElapsed) {
    Reset();
}

void StepScheduler::Reset() {
    // Half a step in hand: a frame rate equal to the step rate then gets one
    // step every frame, however much the frame intervals jitter around it.
    m_pending = m_step * 0.5;
}

int StepScheduler::Advance(double elapsed) {
    if (!std::isfinite(elapsed) || elapsed < 0.0) return 0;
    // A stall is time the player did not have: it is not replayed.
    if (elapsed > m_maxElapsed) elapsed = m_step;
    m_pending += elapsed;
    // Counted in double first: with a tiny step the count would not fit an
    // int (and NaN fits nothing); past the cap it is the cap.
    const double due = m_pending / m_step;
    int steps = due < static_cast<double>(m_maxSteps) ? static_cast<int>(due) : m_maxSteps + 1;
    if (steps > m_maxSteps) {
        steps = m_maxSteps;
        // Behind by more than the cap: let the game slow down, keep the phase.
        m_pending = std::fmod(m_pending, m_step) + static_cast<double>(steps) * m_step;
    }
    m_pending -= static_cast<double>(steps) * m_step;
    return steps;
}

}  // namespace ReEng
