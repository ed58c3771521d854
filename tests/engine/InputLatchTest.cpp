// Latched presses: a tap between two steps still counts, once.
#include <gtest/gtest.h>
#include "engine/input/Input.h"

using namespace ReEng;

TEST(InputLatchTest, ATapBetweenTwoStepsCountsForOneStep) {
    Input input;
    input.LatchKey(sf::Keyboard::P);
    input.LatchButton(sf::Mouse::Left);
    EXPECT_TRUE(input.IsKeyPressed(sf::Keyboard::P));
    EXPECT_TRUE(input.IsButtonPressed(sf::Mouse::Left));
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::A));
    input.EndStep();
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::P));
    EXPECT_FALSE(input.IsButtonPressed(sf::Mouse::Left));
    input.LatchKey(sf::Keyboard::P);
    input.FocusLost();  // a press for a window that no longer has the focus does not count
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::P));
    input.LatchKey(sf::Keyboard::Unknown);  // keys SFML cannot name are ignored
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::Unknown));
    EXPECT_EQ(input.ReadThisStep(sf::Keyboard::Unknown), -1);
    int down = 0;  // and nothing else changes: no key or button reads down
    for (int key = 0; key < sf::Keyboard::KeyCount; ++key)
        down += input.IsKeyPressed(static_cast<sf::Keyboard::Key>(key));
    for (int button = 0; button < sf::Mouse::ButtonCount; ++button)
        down += input.IsButtonPressed(static_cast<sf::Mouse::Button>(button));
    EXPECT_EQ(down, 0);
}
