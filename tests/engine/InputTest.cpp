// Scripted input, the scripted input state, the command line and the
// portable helpers.
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

bool ParseOptions(Options& options, std::vector<std::string> args, std::string& error) {
    return options.Parse(args, error);
}

}  // namespace

TEST(InputScriptTest, ReadsEveryKindOfEventFromAFile) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.Load(std::string(TEST_DATA_DIR) + "/script.txt", error)) << error;
    const auto& events = script.GetEvents();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].kind, InputScript::Event::Mouse);
    EXPECT_EQ(events[0].x, 100);
    EXPECT_EQ(events[0].y, -20);
    EXPECT_EQ(events[1].frame, 2u);
    EXPECT_EQ(events[1].kind, InputScript::Event::Key);
    EXPECT_EQ(events[1].code, sf::Keyboard::Enter);
    EXPECT_TRUE(events[1].down);
    EXPECT_FALSE(events[2].down);
    EXPECT_EQ(events[4].kind, InputScript::Event::Button);
    EXPECT_EQ(events[4].code, sf::Mouse::Left);
}

TEST(InputScriptTest, EventsApplyByFrameAndOnlyOnce) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.Load(std::string(TEST_DATA_DIR) + "/script.txt", error)) << error;
    Input input;

    script.Apply(0, input);
    EXPECT_EQ(input.GetMousePosition(), sf::Vector2i(100, -20));
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::Enter));
    script.Apply(2, input);
    EXPECT_TRUE(input.IsKeyPressed(sf::Keyboard::Enter));
    // A skipped frame's events still land, in order.
    script.Apply(4, input);
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::Enter));

    script.Apply(5, input);
    EXPECT_TRUE(input.IsKeyPressed(sf::Keyboard::A));
    EXPECT_TRUE(input.IsButtonPressed(sf::Mouse::Left));
    input.SetKey(sf::Keyboard::A, false);
    script.Apply(5, input);
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::A));

    script.Apply(1000, input);
    EXPECT_EQ(input.GetMousePosition(), sf::Vector2i(-5, 7));
}

TEST(InputScriptTest, CommentsBlankLinesAndWindowsLineEndingsAreAccepted) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(ParseScript(script, "  # note\n\n4 W down# jump\r\n4 MouseRight up\r\n7 mouse +3 0\n", error))
        << error;
    ASSERT_EQ(script.GetEvents().size(), 3u);
    EXPECT_EQ(script.GetEvents()[0].code, sf::Keyboard::W);
    EXPECT_EQ(script.GetEvents()[1].code, sf::Mouse::Right);
    EXPECT_EQ(script.GetEvents()[2].x, 3);
}

TEST(InputScriptTest, EachMistakeIsReportedWithItsLine) {
    struct Case {
        const char* text;
        const char* where;  // the expected "name:line:" prefix
        const char* what;   // part of the explanation
    };
    const Case cases[] = {
        {"x A down\n", "run.txt:1: ", "x"},
        {"1 A down\n-1 A up\n", "run.txt:2: ", "-1"},
        {"# first\n99999999999 A down\n", "run.txt:2: ", "99999999999"},
        {"1 A down\n\n1 Q down\n", "run.txt:3: ", "Q"},
        {"1 A pressed\n", "run.txt:1: ", "pressed"},
        {"1 A\n", "run.txt:1: ", "A"},
        {"1\n", "run.txt:1: ", ""},
        {"1 A down now\n", "run.txt:1: ", "now"},
        {"1 mouse 5\n", "run.txt:1: ", "mouse"},
        {"1 mouse 1 2x\n", "run.txt:1: ", "2x"},
        {"1 mouse 3000000000 0\n", "run.txt:1: ", "3000000000"},
        {"1 mouse 0 - \n", "run.txt:1: ", "-"},
        {"1 mouse 4 5 6\n", "run.txt:1: ", "6"},
        {"5 A down\n6 A up\n3 D down\n", "run.txt:3: ", "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        InputScript script;
        std::string error;
        EXPECT_FALSE(ParseScript(script, c.text, error));
        EXPECT_EQ(error.rfind(c.where, 0), 0u) << error;
        EXPECT_NE(error.find(c.what, std::strlen(c.where)), std::string::npos) << error;
        EXPECT_TRUE(script.GetEvents().empty());
    }
}

TEST(InputScriptTest, AFailedParseDropsAnEarlierScript) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(ParseScript(script, "1 A down\n", error));
    EXPECT_FALSE(ParseScript(script, "1 B down\n", error));
    EXPECT_TRUE(script.GetEvents().empty());
    EXPECT_FALSE(script.Load(std::string(TEST_DATA_DIR) + "/no_such_script.txt", error));
    EXPECT_NE(error.find("no_such_script.txt"), std::string::npos);
}

TEST(InputState, ScriptedStateIgnoresKeysItCannotHold) {
    Input input;
    EXPECT_FALSE(input.IsLive());
    input.SetKey(sf::Keyboard::Unknown, true);
    input.SetKey(sf::Keyboard::KeyCount, true);
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::Unknown));
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::KeyCount));
    EXPECT_FALSE(input.IsButtonPressed(sf::Mouse::ButtonCount));

    input.SetKey(sf::Keyboard::Escape, true);
    input.SetButton(sf::Mouse::Middle, true);
    input.SetMousePosition({-3, 4});
    input.ReleaseAll();
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::Escape));
    EXPECT_FALSE(input.IsButtonPressed(sf::Mouse::Middle));
    EXPECT_EQ(input.GetMousePosition(), sf::Vector2i(-3, 4));
}

TEST(OptionsTest, AcceptsEveryOption) {
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions(options,
                             {"--headless", "--frames", "0", "--frame-time", "0.0166", "--input", "in.txt",
                              "--print-text", "--screenshot", "out.png", "--max-fps", "1000", "--help", "--version"},
                             error))
        << error;
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.frames, 0);
    EXPECT_DOUBLE_EQ(options.frameTime, 0.0166);
    EXPECT_EQ(options.inputFile, "in.txt");
    EXPECT_TRUE(options.printText);
    EXPECT_EQ(options.screenshotFile, "out.png");
    EXPECT_EQ(options.maxFps, 1000);
    EXPECT_TRUE(options.help);
    EXPECT_TRUE(options.version);

    Options defaults;
    ASSERT_TRUE(ParseOptions(defaults, {}, error));
    EXPECT_EQ(defaults.frames, -1);
    EXPECT_EQ(defaults.maxFps, 60);
}

TEST(OptionsTest, BadOptionsAndValuesAreNamed) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    const Case cases[] = {
        {{"--foo"}, "unknown option '--foo'"},
        {{"level.txt"}, "unknown option 'level.txt'"},
        {{"--frames"}, "--frames"},
        {{"--input", "--headless"}, "--input"},
        {{"--frames", "x"}, "bad value 'x' for --frames"},
        {{"--frames", "-1"}, "bad value '-1' for --frames"},
        {{"--frames", "2.5"}, "bad value '2.5' for --frames"},
        {{"--frames", "99999999999999999999"}, "bad value '99999999999999999999' for --frames"},
        {{"--frame-time", "0"}, "bad value '0' for --frame-time"},
        {{"--frame-time", "-0.5"}, "bad value '-0.5' for --frame-time"},
        {{"--frame-time", "nan"}, "bad value 'nan' for --frame-time"},
        {{"--frame-time", "1e999"}, "bad value '1e999' for --frame-time"},
        {{"--frame-time", "0.1s"}, "bad value '0.1s' for --frame-time"},
        {{"--max-fps", "1001"}, "bad value '1001' for --max-fps"},
        {{"--max-fps", "-5"}, "bad value '-5' for --max-fps"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        Options options;
        std::string error;
        EXPECT_FALSE(ParseOptions(options, c.args, error));
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

TEST(OptionsTest, UsageListsEveryOption) {
    const std::string usage = Options::Usage("vaultrix");
    EXPECT_NE(usage.find("vaultrix"), std::string::npos);
    for (const char* option : {"--help", "--version", "--headless", "--frames", "--frame-time", "--input",
                               "--print-text", "--screenshot", "--max-fps"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

TEST(PortableTest, SprintfAlwaysTerminates) {
    char buffer[6];
    std::memset(buffer, 'x', sizeof(buffer));
    EXPECT_EQ(sprintf_s(buffer, sizeof(buffer), "%s %d", "score", 1234), 5);
    EXPECT_STREQ(buffer, "score");
    EXPECT_EQ(sprintf_s(buffer, sizeof(buffer), "%d", 42), 2);
    EXPECT_STREQ(buffer, "42");
}

TEST(PortableTest, OnlyAQuitMessageToAWindowIsTaken) {
    EXPECT_FALSE(PostMessageW(nullptr, WM_QUIT, 0, 0));
    WindowClass window;
    EXPECT_FALSE(PostMessageW(window.GetHandler(), WM_QUIT + 1, 0, 0));
    EXPECT_FALSE(window.IsQuitRequested());
    EXPECT_TRUE(PostMessageW(window.GetHandler(), WM_QUIT, 0, 0));
    EXPECT_TRUE(window.IsQuitRequested());
}
