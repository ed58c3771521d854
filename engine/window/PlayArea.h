#pragma once
// The part of the window the game is drawn in: the largest rectangle of the
// game's own shape that fits, centred, with bars of the clear colour around
// it, so the picture never stretches.
namespace ReEng {

struct PlayArea {
    int x = 0, y = 0;  // from the window's top-left corner, in pixels
    int width = 0, height = 0;

    // A window of windowWidth x windowHeight showing a picture shaped
    // shapeWidth x shapeHeight. Never smaller than 1 x 1.
    static PlayArea Fit(int windowWidth, int windowHeight, int shapeWidth, int shapeHeight);
};

}  // namespace ReEng
