// The browser's input tables, checked without a browser: the DOM's key codes,
// which keys the page keeps from the browser, mouse buttons and pads.
#include <gtest/gtest.h>

#include "engine/platform/web/DomInput.h"

using namespace ReEng;

TEST(DomInputTest, KeyCodesNameThePlaceOnTheKeyboard) {
    const struct {
        const char* code;
        sf::Keyboard::Key key;
    } cases[] = {
        {"KeyA", sf::Keyboard::A},
        {"KeyZ", sf::Keyboard::Z},
        {"Digit0", sf::Keyboard::Num0},
        {"Digit9", sf::Keyboard::Num9},
        {"Numpad5", sf::Keyboard::Numpad5},
        {"F1", sf::Keyboard::F1},
        {"F11", sf::Keyboard::F11},
        {"F15", sf::Keyboard::F15},
        {"ArrowLeft", sf::Keyboard::Left},
        {"Enter", sf::Keyboard::Enter},
        {"NumpadEnter", sf::Keyboard::Enter},
        {"Escape", sf::Keyboard::Escape},
        // Past the ends of each run, and names that only begin like one.
        {"F16", sf::Keyboard::Unknown},
        {"F0", sf::Keyboard::Unknown},
        {"Digit10", sf::Keyboard::Unknown},
        {"Key", sf::Keyboard::Unknown},
        {"KeyAA", sf::Keyboard::Unknown},
        {"Keya", sf::Keyboard::Unknown},
        {"Numpad", sf::Keyboard::Unknown},
        {"F1x", sf::Keyboard::Unknown},
        {"", sf::Keyboard::Unknown},
        {"IntlBackslash", sf::Keyboard::Unknown},
    };
    for (const auto& c : cases) EXPECT_EQ(KeyOfCode(c.code), c.key) << c.code;
}

TEST(DomInputTest, TheBrowserKeepsEveryKeyTheGameDoesNotRead) {
    const std::vector<sf::Keyboard::Key> game = {sf::Keyboard::Enter, sf::Keyboard::A, sf::Keyboard::Escape};
    EXPECT_TRUE(GameReads(sf::Keyboard::A, false, false, false, game));
    EXPECT_TRUE(GameReads(sf::Keyboard::F11, false, false, false, game));   // fullscreen, not in any replay
    EXPECT_TRUE(GameReads(sf::Keyboard::Enter, false, false, true, game));  // Alt+Enter
    EXPECT_FALSE(GameReads(sf::Keyboard::Tab, false, false, false, game));
    EXPECT_FALSE(GameReads(sf::Keyboard::F6, false, false, false, game));
    EXPECT_FALSE(GameReads(sf::Keyboard::Left, false, false, true, game));  // Alt+Left: back
    EXPECT_FALSE(GameReads(sf::Keyboard::A, true, false, false, game));     // Ctrl+A
    EXPECT_FALSE(GameReads(sf::Keyboard::A, false, true, false, game));     // Cmd+A
    EXPECT_FALSE(GameReads(sf::Keyboard::Unknown, false, false, false, game));
}

TEST(DomInputTest, MouseButtonsInTheDomsOrder) {
    sf::Mouse::Button button = sf::Mouse::XButton2;
    ASSERT_TRUE(ButtonOf(0, button));
    EXPECT_EQ(button, sf::Mouse::Left);
    ASSERT_TRUE(ButtonOf(1, button));
    EXPECT_EQ(button, sf::Mouse::Middle);
    ASSERT_TRUE(ButtonOf(2, button));
    EXPECT_EQ(button, sf::Mouse::Right);
    EXPECT_FALSE(ButtonOf(5, button));
}

namespace {

// Shaped like html5.h's EmscriptenGamepadEvent, as far as the pads read it.
struct FakePad {
    int numAxes = 0, numButtons = 0;
    double axis[64] = {};
    double analogButton[64] = {};
    int digitalButton[64] = {};
};

}  // namespace

TEST(DomInputTest, AStandardPadReadsAsAnXInputPad) {
    FakePad state;
    state.numAxes = 4;
    state.numButtons = 17;
    state.axis[0] = -0.5;         // left stick half left
    state.axis[3] = 2.0;          // out of range: clamped
    state.analogButton[7] = 1.0;  // right trigger pulled
    state.digitalButton[9] = 1;   // Start
    state.digitalButton[15] = 1;  // d-pad right
    state.digitalButton[12] = 1;  // d-pad up
    PadReading pad;
    ReadStandard(state, pad);
    EXPECT_FLOAT_EQ(pad.axes[sf::Joystick::X], -50.0f);
    EXPECT_FLOAT_EQ(pad.axes[sf::Joystick::V], 100.0f);
    EXPECT_FLOAT_EQ(pad.axes[sf::Joystick::R], 100.0f);
    EXPECT_FLOAT_EQ(pad.axes[sf::Joystick::Z], -100.0f);  // a trigger at rest
    EXPECT_FLOAT_EQ(pad.axes[sf::Joystick::PovX], 100.0f);
    EXPECT_FLOAT_EQ(pad.axes[sf::Joystick::PovY], 100.0f);
    EXPECT_TRUE(pad.hasAxis[sf::Joystick::PovY]);
    EXPECT_EQ(pad.buttonCount, 11u);
    // Start alone held, at 7, where an XInput pad has it.
    for (unsigned b = 0; b < pad.buttonCount; ++b) EXPECT_EQ(pad.buttons[b], b == 7) << "button " << b;
}

TEST(DomInputTest, AnUnmappedPadGivesItsOwnAxesAndButtonsWithinSfmlsCounts) {
    FakePad state;
    state.numAxes = 12;  // more than SFML has
    state.numButtons = 40;
    state.axis[1] = -1.0;
    state.digitalButton[31] = 1;
    state.digitalButton[35] = 1;  // past SFML's 32
    PadReading pad;
    ReadRaw(state, pad);
    EXPECT_FLOAT_EQ(pad.axes[1], -100.0f);
    EXPECT_EQ(pad.buttonCount, static_cast<unsigned>(sf::Joystick::ButtonCount));
    EXPECT_TRUE(pad.buttons[31]);
    for (int a = 0; a < sf::Joystick::AxisCount; ++a) EXPECT_TRUE(pad.hasAxis[a]);
}
