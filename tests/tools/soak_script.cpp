// Prints a random input script: soak_script SEED FRAMES [ESCAPE_CHANCE].
// The same seed always gives the same script, for replaying a failed run.
#include <cstdlib>
#include <iostream>

#include "tests/game/RandomScript.h"

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: soak_script SEED FRAMES [ESCAPE_CHANCE]\n";
        return 2;
    }
    soak::ScriptOptions options;
    options.seed = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
    options.frames = static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10));
    if (argc == 4) options.escapeChance = std::strtod(argv[3], nullptr);
    std::cout << soak::GenerateScript(options);
    return std::cout ? 0 : 1;
}
