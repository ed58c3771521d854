#pragma once
// A seeded generator of input scripts that mashes every key and button the
// game reads except Escape, and moves the cursor anywhere, inside the window
// or far outside it. The output is the input script format, so a failing run
// can be saved and replayed with --input.
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace soak {

inline std::string GenerateScript(std::uint32_t seed, unsigned frames, int width = 1080, int height = 720)
{
    static const char* const kKeys[] = {"Return", "A", "D", "Left", "Right", "W", "Up", "P",
                                        "MouseLeft", "MouseRight", "MouseMiddle"};
    enum { kA = 1, kD, kLeft, kRight, kW, kUp };
    std::mt19937 random(seed);
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random) < p; };
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

    std::ostringstream out;
    out << "# seed " << seed << ", " << frames << " frames\n0 Return down\n1 Return up\n";
    std::vector<bool> down(std::size(kKeys), false);
    auto set = [&](unsigned frame, int key, bool wanted) {
        if (down[key] == wanted) return;
        down[key] = wanted;
        out << frame << ' ' << kKeys[key] << (wanted ? " down\n" : " up\n");
    };
    auto toggle = [&](unsigned frame, int key) { set(frame, key, !down[key]); };

    for (unsigned frame = 2; frame < frames; ++frame) {
        if (chance(0.15)) toggle(frame, pick(0, int(down.size()) - 1));
        // Bias towards jumping and holding one direction, so that some runs climb.
        if (chance(0.08)) toggle(frame, chance(0.5) ? kW : kUp);
        if (chance(0.06)) {
            const int direction = pick(0, 2);  // left, right, none
            const bool wasd = chance(0.5);
            set(frame, wasd ? kA : kLeft, direction == 0);
            set(frame, wasd ? kD : kRight, direction == 1);
            set(frame, wasd ? kLeft : kA, false);
            set(frame, wasd ? kRight : kD, false);
        }
        if (chance(0.25)) {
            int x, y;
            switch (pick(0, 3)) {
            case 0:  // far outside
                x = pick(-100000, 100000);
                y = pick(-100000, 100000);
                break;
            case 1:  // the extremes of the format
                x = chance(0.5) ? INT32_MIN : INT32_MAX;
                y = chance(0.5) ? INT32_MIN : INT32_MAX;
                break;
            default:  // around the window, edges included
                x = pick(-200, width + 200);
                y = pick(-200, height + 200);
                break;
            }
            out << frame << " mouse " << x << ' ' << y << '\n';
        }
    }
    return out.str();
}

}  // namespace soak
