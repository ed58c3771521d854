#pragma once
// A seeded generator of input scripts that mashes every key and button the
// game reads and moves the cursor anywhere, inside the window or far outside
// it. The output is the input script format, so a failing run can be saved
// and replayed with --input.
#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace soak {

struct ScriptOptions {
    std::uint32_t seed = 1;
    unsigned frames = 20000;
    // Chance per frame that an Escape press is generated at all; 0 keeps
    // the run going to its end, since the release of Escape quits.
    double escapeChance = 0.0;
    // Chance per frame of a jump press and of a steering change, on top of
    // the plain mashing, so that some runs climb into later sections.
    double jumpChance = 0.08;
    double steerChance = 0.06;
    int windowWidth = 1080;
    int windowHeight = 720;
};

inline std::string GenerateScript(const ScriptOptions& options)
{
    static const char* const kKeys[] = {"Return", "A", "D", "Left", "Right", "W", "Up", "P",
                                        "MouseLeft", "MouseRight", "MouseMiddle"};
    std::mt19937 random(options.seed);
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random) < p; };
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

    std::ostringstream out;
    out << "# seed " << options.seed << ", " << options.frames << " frames\n";
    out << "0 Return down\n1 Return up\n";
    std::vector<bool> down(sizeof kKeys / sizeof *kKeys, false);
    bool escapeDown = false;
    auto toggle = [&](unsigned frame, std::size_t key) {
        down[key] = !down[key];
        out << frame << ' ' << kKeys[key] << (down[key] ? " down\n" : " up\n");
    };
    auto set = [&](unsigned frame, std::size_t key, bool wanted) {
        if (down[key] != wanted) toggle(frame, key);
    };
    const std::size_t kA = 1, kD = 2, kLeft = 3, kRight = 4, kW = 5, kUp = 6;

    for (unsigned frame = 2; frame < options.frames; ++frame) {
        // Plain mashing: any key or button may flip on any frame.
        if (chance(0.15)) toggle(frame, static_cast<std::size_t>(pick(0, static_cast<int>(down.size()) - 1)));
        if (chance(0.02)) toggle(frame, static_cast<std::size_t>(pick(0, static_cast<int>(down.size()) - 1)));
        // Bias: jumping and holding one direction for a while.
        if (chance(options.jumpChance)) {
            const std::size_t key = chance(0.5) ? kW : kUp;
            set(frame, key, !down[key]);
        }
        if (chance(options.steerChance)) {
            const int direction = pick(0, 2);  // left, right, none
            const bool wasd = chance(0.5);
            set(frame, wasd ? kA : kLeft, direction == 0);
            set(frame, wasd ? kD : kRight, direction == 1);
            set(frame, wasd ? kLeft : kA, false);
            set(frame, wasd ? kRight : kD, false);
        }
        if (chance(0.25)) {
            int x, y;
            switch (pick(0, 5)) {
            case 0:  // far outside, either side
                x = pick(-100000, 100000);
                y = pick(-100000, 100000);
                break;
            case 1:  // the extremes of the format
                x = chance(0.5) ? -2147483647 - 1 : 2147483647;
                y = chance(0.5) ? -2147483647 - 1 : 2147483647;
                break;
            case 2:  // on an edge or the centre
                x = std::vector<int>{-1, 0, options.windowWidth / 2, options.windowWidth - 1,
                                     options.windowWidth}[static_cast<std::size_t>(pick(0, 4))];
                y = std::vector<int>{-1, 0, options.windowHeight / 2, options.windowHeight - 1,
                                     options.windowHeight}[static_cast<std::size_t>(pick(0, 4))];
                break;
            default:  // somewhere around the window
                x = pick(-200, options.windowWidth + 200);
                y = pick(-200, options.windowHeight + 200);
                break;
            }
            out << frame << " mouse " << x << ' ' << y << '\n';
        }
        if (escapeDown || chance(options.escapeChance)) {
            escapeDown = !escapeDown;
            out << frame << " Escape " << (escapeDown ? "down\n" : "up\n");
        }
        if (chance(0.001)) out << "# a comment on its own line\n";
    }
    return out.str();
}

}  // namespace soak
