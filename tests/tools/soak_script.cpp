// soak_script SEED FRAMES: prints the soak test's input script for that seed, for --input.
#include <cstdlib>
#include <iostream>

#include "tests/game/RandomScript.h"

int main(int argc, char** argv)
{
    if (argc != 3) return std::cerr << "usage: soak_script SEED FRAMES\n", 2;
    std::cout << soak::GenerateScript(unsigned(std::strtoul(argv[1], nullptr, 10)), unsigned(std::strtoul(argv[2], nullptr, 10)));
    return std::cout ? 0 : 1;
}
