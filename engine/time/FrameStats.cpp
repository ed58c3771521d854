#include "engine/time/FrameStats.h"

#include <algorithm>
#include <cstdio>

namespace ReEng {

void FrameStats::Mark(Clock::time_point now) {
    if (m_marked)
        m_intervals.push_back(std::chrono::duration<double, std::milli>(now - m_last).count());
    else
        m_first = now;
    m_marked = true;
    m_last = now;
}

namespace {

// The value below which the given share of the sorted values lie.
double Percentile(const std::vector<double>& sorted, double share) {
    const std::size_t rank = static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(rank, sorted.size() - 1)];
}

}  // namespace

FrameStats::Summary FrameStats::Summarize() const {
    Summary s;
    s.count = m_intervals.size();
    if (s.count == 0) return s;
    std::vector<double> sorted(m_intervals);
    std::sort(sorted.begin(), sorted.end());
    s.totalMs = std::chrono::duration<double, std::milli>(m_last - m_first).count();
    s.meanMs = s.totalMs / static_cast<double>(s.count);
    s.p50Ms = Percentile(sorted, 0.50);
    s.p99Ms = Percentile(sorted, 0.99);
    s.maxMs = sorted.back();
    const auto steady = std::count_if(sorted.begin(), sorted.end(),
                                      [&](double ms) { return ms >= s.p50Ms - 1.0 && ms <= s.p50Ms + 1.0; });
    s.steadyShare = static_cast<double>(steady) / static_cast<double>(s.count);
    return s;
}

std::string FrameStats::Format(const char* label, const Summary& s) {
    char line[200];
    std::snprintf(
        line, sizeof line,
        "%s %zu  wall %.3f s  mean %.3f ms  p50 %.3f ms  p99 %.3f ms  max %.3f ms  within 1 ms of p50 %.1f %%", label,
        s.count, s.totalMs / 1000.0, s.meanMs, s.p50Ms, s.p99Ms, s.maxMs, s.steadyShare * 100.0);
    return line;
}

}  // namespace ReEng
