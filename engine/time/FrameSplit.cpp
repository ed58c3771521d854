#include "engine/time/FrameSplit.h"

#include <cstdio>

namespace ReEng {

void FrameSplit::Lap(Pass pass) {
    const Clock::time_point now = Clock::now();
    m_total[pass] += now - m_last;
    m_last = now;
}

const char* FrameSplit::NameOf(Pass pass) {
    static const char* const kNames[kPasses] = {"clear", "grid", "models", "spheres",
                                                "wires", "text", "swap",   "window place"};
    return pass >= 0 && pass < kPasses ? kNames[pass] : "?";
}

std::string FrameSplit::Report() const {
    std::string line = "split per frame over " + std::to_string(m_frames) + " frames:";
    for (int pass = 0; pass < kPasses; ++pass) {
        const double ms = m_frames == 0 ? 0.0
                                        : std::chrono::duration<double, std::milli>(m_total[pass]).count() /
                                              static_cast<double>(m_frames);
        char item[48];
        std::snprintf(item, sizeof item, "%s %s %.3f ms", pass == 0 ? "" : ",", NameOf(static_cast<Pass>(pass)), ms);
        line += item;
    }
    char draws[48];
    std::snprintf(draws, sizeof draws, ", %.1f draws",
                  m_frames == 0 ? 0.0 : static_cast<double>(m_draws) / static_cast<double>(m_frames));
    return line + draws;
}

}  // namespace ReEng
