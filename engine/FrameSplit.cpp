#include "engine/FrameSplit.h"

#include <cstdio>

namespace ReEng {

void FrameSplit::Lap(Part part) {
    const Clock::time_point now = Clock::now();
    m_total[part] += now - m_last;
    m_last = now;
}

const char* FrameSplit::NameOf(Part part) {
    static const char* const kNames[kParts] = {"clear", "grid", "models", "spheres",
                                               "wires", "text", "swap",   "window place"};
    return part >= 0 && part < kParts ? kNames[part] : "?";
}

std::string FrameSplit::Report() const {
    std::string line = "split per frame over " + std::to_string(m_frames) + " frames:";
    for (int part = 0; part < kParts; ++part) {
        const double ms = m_frames == 0 ? 0.0
                                        : std::chrono::duration<double, std::milli>(m_total[part]).count() /
                                              static_cast<double>(m_frames);
        char item[48];
        std::snprintf(item, sizeof item, "%s %s %.3f ms", part == 0 ? "" : ",", NameOf(static_cast<Part>(part)), ms);
        line += item;
    }
    return line;
}

}  // namespace ReEng
