#pragma once
// Fixed update, variable drawing: real time is cut into whole game steps of
// one fixed length, so the game runs at the same speed on any machine and at
// any drawing rate.
namespace ReEng {

class StepScheduler {
public:
    // step: the length of one game step in seconds. maxSteps: the most steps
    // run before a frame is drawn; beyond it the game slows down instead of
    // jumping. maxElapsed: a longer gap (a stall, a suspend) is dropped.
    explicit StepScheduler(double step = 1.0 / 60.0, int maxSteps = 4, double maxElapsed = 0.25);

    // Real time has moved on by elapsed seconds: how many steps are due now.
    int Advance(double elapsed);
    // Forgets the time gathered so far, so the next step comes one step from now.
    void Reset();

    double GetStep() const { return m_step; }

private:
    double m_step;
    int m_maxSteps;
    double m_maxElapsed;
    double m_pending;
};

}  // namespace ReEng
