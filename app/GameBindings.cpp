#include "app/GameBindings.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

using ReEng::InputKind;
using ReEng::PadControl;

ReEng::InputNames GameInputNames() {
    // Recordings write each step's changes in this order: reordering it
    // changes every replay recorded from then on.
    return {
        {"Return", InputKind::Key, sf::Keyboard::Enter},
        {"A", InputKind::Key, sf::Keyboard::A},
        {"D", InputKind::Key, sf::Keyboard::D},
        {"Left", InputKind::Key, sf::Keyboard::Left},
        {"Right", InputKind::Key, sf::Keyboard::Right},
        {"W", InputKind::Key, sf::Keyboard::W},
        {"Up", InputKind::Key, sf::Keyboard::Up},
        {"P", InputKind::Key, sf::Keyboard::P},
        {"Escape", InputKind::Key, sf::Keyboard::Escape},
        {"MouseLeft", InputKind::Button, sf::Mouse::Left},
        {"MouseRight", InputKind::Button, sf::Mouse::Right},
        {"MouseMiddle", InputKind::Button, sf::Mouse::Middle},
    };
}

ReEng::PadBindings GamePadBindings() {
    // The south button launches and, on the title screen, starts; Start and
    // Back act on release, as P and Escape do.
    return {
        {PadControl::Left, InputKind::Key, sf::Keyboard::A},
        {PadControl::Right, InputKind::Key, sf::Keyboard::D},
        {PadControl::South, InputKind::Key, sf::Keyboard::W},
        {PadControl::South, InputKind::Key, sf::Keyboard::Return},
        {PadControl::Start, InputKind::Key, sf::Keyboard::P},
        {PadControl::Back, InputKind::Key, sf::Keyboard::Escape},
        {PadControl::RightShoulder, InputKind::Button, sf::Mouse::Left},
    };
}
