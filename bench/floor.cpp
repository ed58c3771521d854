// The floor under any frame of ours: an SFML window of the game's size and
// depth buffer that only clears and presents, timed like --timedemo.
// Usage: floor [frames [fps]] (a cap of fps frames a second, by SFML's own limiter)
#include <cstdlib>
#include <iostream>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/OpenGL.hpp>

#include "engine/FrameStats.h"

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    const sf::ContextSettings settings(24, 0, 0, 2, 1);
    sf::RenderWindow window(sf::VideoMode(1080, 720), "floor", sf::Style::Default, settings);
    window.setVerticalSyncEnabled(false);
    if (argc > 2) window.setFramerateLimit(static_cast<unsigned>(std::atoi(argv[2])));
    ReEng::FrameStats stats;
    stats.MarkNow();
    for (int i = 0; i < frames; ++i) {
        sf::Event event;
        while (window.pollEvent(event)) {
        }
        glClearColor(0.4f, 0.6f, 0.9f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        window.display();
        stats.MarkNow();
    }
    std::cout << ReEng::FrameStats::Format("floor: frames", stats.Summarize()) << "\n";
    return 0;
}
