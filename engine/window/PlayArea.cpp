#include "engine/window/PlayArea.h"

#include <algorithm>

namespace ReEng {

PlayArea PlayArea::Fit(int windowWidth, int windowHeight, int shapeWidth, int shapeHeight) {
    windowWidth = std::max(1, windowWidth);
    windowHeight = std::max(1, windowHeight);
    PlayArea area;
    // Compare w/h ratios by cross-multiplying, in 64 bits, so no rounding
    // decides which side gets the bars.
    const long long wide = static_cast<long long>(windowWidth) * shapeHeight;
    const long long tall = static_cast<long long>(windowHeight) * shapeWidth;
    if (wide > tall) {  // bars left and right
        area.height = windowHeight;
        area.width = static_cast<int>(tall / shapeHeight);
    } else {  // bars above and below (or none)
        area.width = windowWidth;
        area.height = static_cast<int>(wide / shapeWidth);
    }
    area.width = std::max(1, area.width);
    area.height = std::max(1, area.height);
    area.x = (windowWidth - area.width) / 2;
    area.y = (windowHeight - area.height) / 2;
    return area;
}

}  // namespace ReEng
