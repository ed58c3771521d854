#pragma once
// A seeded input script (the --input format) mashing every key and button but
// Escape, with the cursor inside, around or far outside the window.
#include <climits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace soak {

inline std::string GenerateScript(unsigned seed, unsigned frames, int width = 1080, int height = 720)
{
    static const char* const kKeys[] = {"Return", "A", "D", "Left", "Right", "W", "Up", "P",
                                        "MouseLeft", "MouseRight", "MouseMiddle"};
    std::mt19937 random(seed);
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random) < p; };
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::ostringstream out;
    out << "# seed " << seed << ", " << frames << " frames\n0 Return down\n1 Return up\n";
    std::vector<bool> down(std::size(kKeys), false);
    auto toggle = [&](unsigned frame, int key) {
        down[key] = !down[key];
        out << frame << ' ' << kKeys[key] << (down[key] ? " down\n" : " up\n");
    };
    for (unsigned frame = 2; frame < frames; ++frame) {
        if (chance(0.15)) toggle(frame, pick(0, int(down.size()) - 1));
        if (chance(0.08)) toggle(frame, pick(5, 6));  // jumps more often, so that some runs climb
        if (!chance(0.25)) continue;
        const int where = pick(0, 3);  // far outside, the format's extremes, around the window
        const int x = where == 0 ? pick(-100000, 100000) : where == 1 ? (chance(0.5) ? INT_MIN : INT_MAX) : pick(-200, width + 200);
        const int y = where == 0 ? pick(-100000, 100000) : where == 1 ? (chance(0.5) ? INT_MIN : INT_MAX) : pick(-200, height + 200);
        out << frame << " mouse " << x << ' ' << y << '\n';
    }
    return out.str();
}

}  // namespace soak
