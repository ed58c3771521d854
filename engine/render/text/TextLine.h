#pragma once
// One line of text to draw over the picture, and its fill colour.
#include <string>

#include "engine/core/Definitions.h"

namespace ReEng {

struct TextLine {
    std::string text;      // UTF-8; what is not printable ASCII shows as '?'
    vector3 colour{1.0f};  // 0..1

    bool operator==(const TextLine& other) const { return text == other.text && colour == other.colour; }
    bool operator!=(const TextLine& other) const { return !(*this == other); }
};

}  // namespace ReEng
