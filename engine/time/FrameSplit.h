#pragma once
// Where a drawn frame's time goes, pass by pass (--frame-split). The GL
// driver may defer work, so each pass is finished before it is timed: the
// split adds up to a little more than a frame, and shows the shares.
#include <chrono>
#include <string>

namespace ReEng {

class FrameSplit {
public:
    using Clock = std::chrono::steady_clock;
    enum Pass { Clear, Grid, Models, Spheres, Wires, Text, Swap, WindowPlace, kPasses };

    // Starts timing the next pass from now.
    void Mark() { m_last = Clock::now(); }
    // The pass that ends now took the time since the last mark.
    void Lap(Pass pass);
    void Add(Pass pass, Clock::duration time) { m_total[pass] += time; }
    void CountFrame() { ++m_frames; }
    void CountDraws(unsigned draws) { m_draws += draws; }

    // "grid", "window place": how a pass is named in reports.
    static const char* NameOf(Pass pass);

    // "split per frame: clear X ms, grid Y ms, ..., N draws", one line.
    std::string Report() const;

private:
    Clock::time_point m_last{};
    Clock::duration m_total[kPasses] = {};
    unsigned long long m_frames = 0;
    unsigned long long m_draws = 0;  // GL draw calls
};

}  // namespace ReEng
