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
    enum Part { Clear, Grid, Models, Spheres, Wires, Text, Swap, WindowPlace, kParts };

    // Starts timing the next pass from now.
    void Mark() { m_last = Clock::now(); }
    // The pass that ends now took the time since the last mark.
    void Lap(Part part);
    void Add(Part part, Clock::duration time) { m_total[part] += time; }
    void CountFrame() { ++m_frames; }

    // "grid", "window place": how a part is named in reports.
    static const char* NameOf(Part part);

    // "split per frame: clear X ms, grid Y ms, ...", one line.
    std::string Report() const;

private:
    Clock::time_point m_last{};
    Clock::duration m_total[kParts] = {};
    unsigned long long m_frames = 0;
};

}  // namespace ReEng
