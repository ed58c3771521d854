#pragma once
// The three fixed arrangements a section is built from.
#include <cstddef>

class SectionPattern {
public:
    enum class Kind { Platform, Obstacle };
    struct Entry {
        Kind kind;
        float x;
        float dy;  // height above the section's base
    };

    const Entry* entries;
    std::size_t count;

    // Pattern 1 and 2 select those patterns; every other value pattern 0.
    static SectionPattern Get(int pattern);
};
