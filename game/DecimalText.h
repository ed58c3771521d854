#pragma once
// An integer as "%d" writes it, for instance names and the score line.
#include <string>

#include "engine/Portable.h"

inline std::string DecimalText(int value)
{
    char buffer[64];
    ReEng::sprintf_s(buffer, sizeof buffer, "%d", value);
    return std::string(buffer);
}
