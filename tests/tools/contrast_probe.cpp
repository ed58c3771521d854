// Measures legibility in a screenshot, by WCAG relative luminance.
//   contrast_probe text FILE X Y W H
//     Every light glyph pixel in the region is walled off from the scene
//     behind it by pixels of at least 4.5:1 against the text's white: a walk
//     from the glyphs through anything lighter never reaches the clear
//     colour or the grid. Prints the glyph pixels and the walled ones.
//   contrast_probe shapes FILE X Y W H
//     For the obstacles' and the bullets' fills and rims in the region (keep
//     the text out: its outline is as black as a bullet), the count of their
//     pixels and the lowest contrast of any of them against the clear colour
//     and against the grid.
// Exit status 0 when measured (text: when walled off), 1 otherwise, 2 on misuse.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/io/Image.h"

namespace {

using ReEng::Image;

struct Colour {
    int r = 0, g = 0, b = 0;
    Colour(int red, int green, int blue) : r(red), g(green), b(blue) {}
};

Colour PixelAt(const Image& image, int x, int y) {
    const std::uint8_t* p = image.Pixels() + (static_cast<std::size_t>(y) * image.Width() + x) * 4;
    return Colour(p[0], p[1], p[2]);
}

const Colour kClear(102, 153, 229);  // the game's clear colour
const Colour kGrid(0, 0, 191);       // the grid the game asks for

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Colour c) { return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b); }

double Contrast(Colour a, Colour b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool Near(Colour a, Colour b, int fuzz) {
    return std::abs(a.r - b.r) <= fuzz && std::abs(a.g - b.g) <= fuzz && std::abs(a.b - b.b) <= fuzz;
}

bool Inside(const Image& image, int x0, int y0, int w, int h) {
    if (x0 >= 0 && y0 >= 0 && w > 0 && h > 0 && x0 + w <= image.Width() && y0 + h <= image.Height()) return true;
    std::fprintf(stderr, "contrast_probe: region outside the picture\n");
    return false;
}

int Text(const Image& image, int x0, int y0, int w, int h) {
    const Colour white(255, 255, 255);
    auto at = [&](int x, int y) { return PixelAt(image, x0 + x, y0 + y); };
    std::vector<char> seen(std::size_t(w) * std::size_t(h), 0);
    std::vector<std::pair<int, int>> todo;
    int glyph = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (Luminance(at(x, y)) > 0.7) {
                ++glyph;
                seen[std::size_t(y) * w + x] = 1;
                todo.emplace_back(x, y);
            }
    // Through every pixel too light to stand at 4.5:1 against white.
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        const Colour c = at(x, y);
        if (Near(c, kClear, 12) || Near(c, kGrid, 12)) {
            std::printf("glyphs %d leak at %d,%d (%d,%d,%d)\n", glyph, x0 + x, y0 + y, c.r, c.g, c.b);
            return 1;
        }
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || seen[std::size_t(ny) * w + nx]) continue;
            seen[std::size_t(ny) * w + nx] = 1;
            if (Contrast(at(nx, ny), white) < 4.5) todo.emplace_back(nx, ny);
        }
    }
    std::printf("glyphs %d walled\n", glyph);
    return glyph > 0 ? 0 : 1;
}

struct Kind {
    const char* name;
    bool (*is)(Colour);
};

int Shapes(const Image& image, int x0, int y0, int w, int h) {
    // The obstacles are pink (red well above green, blue between); their
    // lit fill is dark, their rim full strength. Bullets are pure black
    // inside a yellow rim.
    static const Kind kinds[] = {
        {"obstacle-fill", [](Colour c) { return c.r > c.g + 30 && c.b > c.g + 10 && c.r >= c.b && c.r < 200; }},
        {"obstacle-rim", [](Colour c) { return c.r > c.g + 30 && c.b > c.g + 10 && c.r >= c.b && c.r >= 200; }},
        {"bullet-fill", [](Colour c) { return c.r <= 3 && c.g <= 3 && c.b <= 3; }},
        {"bullet-rim", [](Colour c) { return c.r > 200 && c.g > 170 && c.b < 100; }},
    };
    for (const Kind& kind : kinds) {
        int count = 0;
        double clear = 1e9, grid = 1e9;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const Colour c = PixelAt(image, x, y);
                if (!kind.is(c)) continue;
                ++count;
                clear = std::min(clear, Contrast(c, kClear));
                grid = std::min(grid, Contrast(c, kGrid));
            }
        if (count == 0) clear = grid = 0.0;
        std::printf("%s %d %.2f %.2f\n", kind.name, count, clear, grid);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if ((what != "text" && what != "shapes") || argc != 7) {
        std::fprintf(stderr, "usage: contrast_probe text|shapes FILE X Y W H\n");
        return 2;
    }
    Image image;
    if (!image.LoadFile(argv[2])) return 2;
    const int x = std::atoi(argv[3]), y = std::atoi(argv[4]), w = std::atoi(argv[5]), h = std::atoi(argv[6]);
    if (!Inside(image, x, y, w, h)) return 2;
    return what == "text" ? Text(image, x, y, w, h) : Shapes(image, x, y, w, h);
}
