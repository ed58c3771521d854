// The floor under any frame of ours: an SFML window of the game's size and
// depth buffer that only clears and presents, timed like --timedemo.
// With "grid", it also draws the lines a playing frame's grid puts on screen
// (a unit apart over the 30 x 20 units in view, depth-tested, scrolling as
// the camera climbs): the floor under any frame that shows the grid.
// Usage: floor [frames [fps [grid]]] (fps: a cap, by SFML's own limiter; 0 for none)
#include <cstdlib>
#include <iostream>
#include <string>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/OpenGL.hpp>

#include "engine/time/FrameStats.h"

namespace {

void DrawGrid(float scroll) {
    glBegin(GL_LINES);
    for (int x = -15; x <= 15; ++x) {
        glVertex2f(static_cast<float>(x), -11.0f);
        glVertex2f(static_cast<float>(x), 11.0f);
    }
    for (int y = -10; y <= 10; ++y) {
        glVertex2f(-16.0f, static_cast<float>(y) - scroll);
        glVertex2f(16.0f, static_cast<float>(y) - scroll);
    }
    glEnd();
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    const sf::ContextSettings settings(24, 0, 0, 2, 1);
    sf::RenderWindow window(sf::VideoMode(1080, 720), "floor", sf::Style::Default, settings);
    window.setVerticalSyncEnabled(false);
    if (argc > 2) window.setFramerateLimit(static_cast<unsigned>(std::atoi(argv[2])));
    const bool grid = argc > 3 && std::string(argv[3]) == "grid";
    if (grid) {  // the play view's 30 x 20 units, in the grid's colour
        glMatrixMode(GL_PROJECTION);
        glOrtho(-15.0, 15.0, -10.0, 10.0, -10.0, 10.0);
        glEnable(GL_DEPTH_TEST);
        glColor3f(0.0f, 0.0f, 0.75f);
    }
    ReEng::FrameStats stats;
    stats.MarkNow();
    for (int i = 0; i < frames; ++i) {
        sf::Event event;
        while (window.pollEvent(event)) {
        }
        glClearColor(0.4f, 0.6f, 0.9f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (grid) DrawGrid(static_cast<float>(i % 60) / 60.0f);
        window.display();
        stats.MarkNow();
    }
    std::cout << ReEng::FrameStats::Format(grid ? "floor and grid: frames" : "floor: frames", stats.Summarize())
              << "\n";
    return 0;
}
