// The letterboxed play area: the picture keeps its shape in any window.
#include <tuple>
#include <gtest/gtest.h>
#include "engine/window/PlayArea.h"

using namespace ReEng;

TEST(PlayAreaTest, ThePictureKeepsItsShapeCentredWithBars) {
    const struct {
        int w, h;
        PlayArea want;
    } cases[] = {
        {1080, 720, {0, 0, 1080, 720}},
        {2160, 1440, {0, 0, 2160, 1440}},
        {600, 700, {0, 150, 600, 400}},      // tall: bars above and below
        {1400, 600, {250, 0, 900, 600}},     // wide: bars left and right
        {1920, 1080, {150, 0, 1620, 1080}},  // a fullscreen desktop
        {1, 1, {0, 0, 1, 1}},
        {0, -5, {0, 0, 1, 1}},  // a minimised window
    };
    for (const auto& c : cases) {
        const PlayArea a = PlayArea::Fit(c.w, c.h, 1080, 720);
        EXPECT_EQ(std::tie(a.x, a.y, a.width, a.height), std::tie(c.want.x, c.want.y, c.want.width, c.want.height))
            << c.w << "x" << c.h;
    }
}
