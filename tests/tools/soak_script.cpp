// Prints a random input script: soak_script SEED FRAMES. The same seed always
// gives the same script, for replaying a failed run.
#include <cstdlib>
#include <iostream>

#include "tests/game/RandomScript.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: soak_script SEED FRAMES\n";
        return 2;
    }
    std::cout << soak::GenerateScript(static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)),
                                      static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    return std::cout ? 0 : 1;
}
