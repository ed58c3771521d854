#pragma once
// An integer as "%d" writes it: the one way numbers become text, for names
// and for lines on the screen.
#include <string>

#include "engine/portable/Portable.h"

namespace ReEng {

inline std::string DecimalText(int value) {
    char buffer[64];
    sprintf_s(buffer, sizeof buffer, "%d", value);
    return std::string(buffer);
}

}  // namespace ReEng
