#pragma once
// Intervals between presented frames, summed up at exit: the numbers that
// tell whether pacing is steady (--frame-stats) and what a frame costs
// (--timedemo).
#include <chrono>
#include <string>
#include <vector>

namespace ReEng {

class FrameStats {
public:
    using Clock = std::chrono::steady_clock;

    // Room for an hour at 60 frames a second before the list grows.
    FrameStats() { m_intervals.reserve(216000); }

    // A frame was presented now.
    void Mark(Clock::time_point now);
    void MarkNow() { Mark(Clock::now()); }

    struct Summary {
        std::size_t count = 0;  // intervals, one less than the frames marked
        double totalMs = 0.0;   // first mark to last
        double meanMs = 0.0, p50Ms = 0.0, p99Ms = 0.0, maxMs = 0.0;
        double steadyShare = 0.0;  // of the intervals within 1 ms of the median
    };
    Summary Summarize() const;
    // "LABEL N  wall S s  mean X ms  p50 ...  max Z ms", one line.
    static std::string Format(const char* label, const Summary& summary);

private:
    std::vector<double> m_intervals;  // milliseconds
    Clock::time_point m_first{}, m_last{};
    bool m_marked = false;
};

}  // namespace ReEng
