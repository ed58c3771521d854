// Scripted input, the command line and the quit message.
#include <cstring>
#include <sstream>

#include <gtest/gtest.h>

#include "engine/Input.h"
#include "engine/InputScript.h"
#include "engine/Options.h"
#include "engine/Portable.h"
#include "engine/WindowClass.h"

using namespace ReEng;

namespace {

bool ParseScript(InputScript& script, const std::string& text, std::string& error) {
    std::istringstream in(text);
    return script.Parse(in, "run.txt", error);
}

}  // namespace

TEST(InputScriptTest, EventsApplyByFrameAndOnlyOnce) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.Load(std::string(TEST_DATA_DIR) + "/script.txt", error)) << error;
    ASSERT_EQ(script.GetEvents().size(), 6u);
    Input input;

    script.Apply(0, input);
    EXPECT_EQ(input.GetMousePosition(), sf::Vector2i(100, -20));
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::Enter));
    script.Apply(2, input);
    EXPECT_TRUE(input.IsKeyPressed(sf::Keyboard::Enter));
    script.Apply(4, input);  // frame 3 was skipped; its release still lands
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::Enter));

    script.Apply(5, input);
    EXPECT_TRUE(input.IsKeyPressed(sf::Keyboard::A));
    EXPECT_TRUE(input.IsButtonPressed(sf::Mouse::Left));
    input.ReleaseAll();
    script.Apply(5, input);
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::A));

    script.Apply(1000, input);
    EXPECT_EQ(input.GetMousePosition(), sf::Vector2i(-5, 7));
}

TEST(InputScriptTest, EachMistakeIsReportedWithItsLine) {
    const struct {
        const char* text;
        const char* where;  // the "name:line: " prefix
        const char* what;   // part of the explanation
    } cases[] = {
        {"x A down\n", "run.txt:1: ", "x"},
        {"1 A down\n-1 A up\n", "run.txt:2: ", "-1"},
        {"# first\n99999999999 A down\n", "run.txt:2: ", "99999999999"},
        {"1 A down\n\n1 Q down\n", "run.txt:3: ", "Q"},
        {"1 A pressed\n", "run.txt:1: ", "pressed"},
        {"1 A\n", "run.txt:1: ", "A"},
        {"1 A down now\n", "run.txt:1: ", "now"},
        {"1 mouse 5\n", "run.txt:1: ", "mouse"},
        {"1 mouse 1 2x\n", "run.txt:1: ", "2x"},
        {"1 mouse 3000000000 0\n", "run.txt:1: ", "3000000000"},
        {"5 A down\n6 A up\n3 D down\n", "run.txt:3: ", "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        InputScript script;
        std::string error;
        EXPECT_FALSE(ParseScript(script, c.text, error));
        EXPECT_EQ(error.rfind(c.where, 0), 0u) << error;
        EXPECT_NE(error.find(c.what, std::strlen(c.where)), std::string::npos) << error;
        EXPECT_TRUE(script.GetEvents().empty());
    }
    InputScript script;
    std::string error;
    EXPECT_FALSE(script.Load(std::string(TEST_DATA_DIR) + "/no_such_script.txt", error));
    EXPECT_NE(error.find("no_such_script.txt"), std::string::npos);
}

TEST(OptionsTest, ValuesAreChecked) {
    Options options;
    std::string error;
    ASSERT_TRUE(options.Parse({"--headless", "--frames", "0", "--frame-time", "0.5", "--max-fps", "1000",
                               "--input", "in.txt"},
                              error))
        << error;
    EXPECT_EQ(options.frames, 0);
    EXPECT_EQ(options.frameTime, 0.5);
    EXPECT_EQ(options.maxFps, 1000);

    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--foo"}, "unknown option '--foo'"},
        {{"level.txt"}, "unknown option 'level.txt'"},
        {{"--frames"}, "--frames"},
        {{"--input", "--headless"}, "--input"},
        {{"--frames", "-1"}, "bad value '-1' for --frames"},
        {{"--frames", "2.5"}, "bad value '2.5' for --frames"},
        {{"--frames", "99999999999999999999"}, "bad value '99999999999999999999' for --frames"},
        {{"--frame-time", "0"}, "bad value '0' for --frame-time"},
        {{"--frame-time", "nan"}, "bad value 'nan' for --frame-time"},
        {{"--frame-time", "1e999"}, "bad value '1e999' for --frame-time"},
        {{"--frame-time", "0.1s"}, "bad value '0.1s' for --frame-time"},
        {{"--max-fps", "1001"}, "bad value '1001' for --max-fps"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        Options bad;
        EXPECT_FALSE(bad.Parse(c.args, error));
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

TEST(PortableTest, OnlyAQuitMessageToAWindowIsTaken) {
    EXPECT_FALSE(PostMessageW(nullptr, WM_QUIT, 0, 0));
    WindowClass window;
    EXPECT_FALSE(PostMessageW(window.GetHandler(), WM_QUIT + 1, 0, 0));
    EXPECT_FALSE(window.IsQuitRequested());
    EXPECT_TRUE(PostMessageW(window.GetHandler(), WM_QUIT, 0, 0));
    EXPECT_TRUE(window.IsQuitRequested());
}

TEST(InputTest, AKeyHeldForAnotherWindowReadsUpUntilReleased) {
    Input input;
    const auto p = sf::Keyboard::P;
    EXPECT_FALSE(input.FocusGate(p, false, true));  // typed elsewhere
    EXPECT_FALSE(input.FocusGate(p, true, true));   // focus back, still held
    EXPECT_FALSE(input.FocusGate(p, true, false));  // its release is no release here
    EXPECT_TRUE(input.FocusGate(p, true, true));    // a real press
    // Any key may have been held elsewhere: each is trusted once seen up.
    EXPECT_FALSE(input.FocusGate(sf::Keyboard::A, true, true));
    EXPECT_FALSE(input.FocusGate(sf::Keyboard::A, true, false));
    EXPECT_TRUE(input.FocusGate(sf::Keyboard::A, true, true));
}
