// The scene a newcomer would write with SFML's own drawing, as the second
// baseline for the windowed frame: the grid as a vertex array, 22
// rectangles, 17 circles and a text line, at the game's size, timed like
// --timedemo. Usage: plain_scene FONT [frames [fps]] (a cap of fps frames a
// second, by SFML's own limiter)
#include <cstdlib>
#include <iostream>

#include <SFML/Graphics.hpp>

#include "engine/time/FrameStats.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: plain_scene FONT [frames [fps]]\n";
        return 2;
    }
    sf::Font font;
    if (!font.loadFromFile(argv[1])) return 1;
    const int frames = argc > 2 ? std::atoi(argv[2]) : 600;
    const sf::ContextSettings settings(24, 0, 0, 2, 1);
    sf::RenderWindow window(sf::VideoMode(1080, 720), "plain scene", sf::Style::Default, settings);
    window.setVerticalSyncEnabled(false);
    if (argc > 3) window.setFramerateLimit(static_cast<unsigned>(std::atoi(argv[3])));

    sf::VertexArray grid(sf::Lines);
    for (int x = 0; x <= 1080; x += 36) {
        grid.append(sf::Vertex(sf::Vector2f(static_cast<float>(x), 0.0f), sf::Color(0, 0, 191)));
        grid.append(sf::Vertex(sf::Vector2f(static_cast<float>(x), 720.0f), sf::Color(0, 0, 191)));
    }
    for (int y = 0; y <= 720; y += 36) {
        grid.append(sf::Vertex(sf::Vector2f(0.0f, static_cast<float>(y)), sf::Color(0, 0, 191)));
        grid.append(sf::Vertex(sf::Vector2f(1080.0f, static_cast<float>(y)), sf::Color(0, 0, 191)));
    }
    sf::RectangleShape rectangle(sf::Vector2f(36.0f, 20.0f));
    rectangle.setFillColor(sf::Color(204, 128, 56));
    sf::CircleShape circle(7.0f);
    circle.setFillColor(sf::Color::White);
    sf::Text text("Score: 1234", font, 24);
    text.setPosition(8.0f, 8.0f);

    ReEng::FrameStats stats;
    stats.MarkNow();
    for (int i = 0; i < frames; ++i) {
        sf::Event event;
        while (window.pollEvent(event)) {
        }
        window.clear(sf::Color(102, 153, 229));
        window.draw(grid);
        for (int r = 0; r < 22; ++r) {
            rectangle.setPosition(static_cast<float>(100 + (r * 137) % 880), static_cast<float>((r * 53 + i) % 700));
            window.draw(rectangle);
        }
        for (int c = 0; c < 17; ++c) {
            circle.setPosition(static_cast<float>(80 + (c * 211) % 900), static_cast<float>((c * 97 + 2 * i) % 700));
            window.draw(circle);
        }
        window.draw(text);
        window.display();
        stats.MarkNow();
    }
    std::cout << ReEng::FrameStats::Format("plain scene: frames", stats.Summarize()) << "\n";
    return 0;
}
