// The events every backend shares: one press per press, whatever repeats
// the window system sends, and nothing held once the focus has gone.
#include <gtest/gtest.h>

#include <vector>

#include "engine/platform/PlatformEvents.h"

using namespace ReEng;

namespace {

std::vector<PlatformEvent> Drain(PlatformEvents& events) {
    std::vector<PlatformEvent> taken;
    PlatformEvent event;
    while (events.Poll(event)) taken.push_back(event);
    return taken;
}

}  // namespace

TEST(PlatformEventsTest, AHeldKeyOrButtonIsPressedOnceUntilItIsLetGo) {
    PlatformEvents events;
    events.Key(sf::Keyboard::A, true, true);
    events.Key(sf::Keyboard::A, true);  // the system's key repeat
    events.Key(sf::Keyboard::A, true);
    events.Button(sf::Mouse::Left, true);
    events.Button(sf::Mouse::Left, true);  // a second finger on the same control
    EXPECT_TRUE(events.IsKeyDown(sf::Keyboard::A));
    EXPECT_TRUE(events.IsButtonDown(sf::Mouse::Left));
    std::vector<PlatformEvent> taken = Drain(events);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].type, PlatformEvent::KeyPressed);
    EXPECT_EQ(taken[0].key, sf::Keyboard::A);
    EXPECT_TRUE(taken[0].alt);
    EXPECT_EQ(taken[1].type, PlatformEvent::ButtonPressed);
    // Let go and pressed again: a new press.
    events.Key(sf::Keyboard::A, false);
    EXPECT_FALSE(events.IsKeyDown(sf::Keyboard::A));
    events.Key(sf::Keyboard::A, true);
    EXPECT_EQ(Drain(events).size(), 1u);
}

TEST(PlatformEventsTest, TheFocusGoneLetsGoOfEverythingAndKeysPastTheTableAreIgnored) {
    PlatformEvents events;
    events.Key(sf::Keyboard::D, true);
    events.Button(sf::Mouse::Right, true);
    PlatformEvent lost;
    lost.type = PlatformEvent::FocusLost;
    events.Push(lost);
    events.ReleaseAll();  // the release happens in another window, unheard
    EXPECT_FALSE(events.IsKeyDown(sf::Keyboard::D));
    EXPECT_FALSE(events.IsButtonDown(sf::Mouse::Right));
    events.Key(sf::Keyboard::D, true);  // back: the next press counts
    const std::vector<PlatformEvent> taken = Drain(events);
    ASSERT_EQ(taken.size(), 4u);
    EXPECT_EQ(taken[2].type, PlatformEvent::FocusLost);
    EXPECT_EQ(taken[3].key, sf::Keyboard::D);

    events.Key(sf::Keyboard::Unknown, true);
    events.Key(sf::Keyboard::KeyCount, true);
    events.Button(sf::Mouse::ButtonCount, true);
    EXPECT_FALSE(events.IsKeyDown(sf::Keyboard::Unknown));
    EXPECT_TRUE(Drain(events).empty());
    events.Key(sf::Keyboard::W, true);
    events.Clear();
    EXPECT_FALSE(events.IsKeyDown(sf::Keyboard::W));
    EXPECT_TRUE(Drain(events).empty());
}
