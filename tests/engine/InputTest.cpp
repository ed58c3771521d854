// Scripted input, the command line and the focus gate.
#include <sstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include "app/GameBindings.h"
#include "engine/input/Input.h"
#include "engine/replay/InputScript.h"
#include "engine/app/Options.h"

using namespace ReEng;

TEST(InputScriptTest, EventsApplyByFrameAndOnlyOnce) {
    InputScript script;
    script.SetNames(GameInputNames());
    std::string error;
    ASSERT_TRUE(script.Load(std::string(TEST_DATA_DIR) + "/script.txt", error)) << error;
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
    script.Apply(5, input);  // already applied
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::A));
}

// One short printable line: the file and line, then the mistake, its token
// echoed at most 40 bytes long with every byte past printable ASCII escaped.
TEST(InputScriptTest, EachMistakeIsReportedWithItsLine) {
    const struct {
        std::string text;
        int line;
        std::string what;
    } cases[] = {
        {std::string(4 << 20, '7') + "x A down\n", 1, "bad frame number '" + std::string(40, '7') + "...'"},
        {"1 \xc2\x9b"
         "2J down\n",
         1, "unknown key '\\xc2\\x9b2J'"},  // a UTF-8 CSI
        {"1 A down \x1b[2J\n", 1, "unexpected '\\x1b[2J'"},
        {"x A down\n", 1, "x"},
        {"1 A down\n-1 A up\n", 2, "-1"},
        {"# first\n99999999999 A down\n", 2, "99999999999"},
        {"1 A down\n\n1 Q down\n", 3, "Q"},
        {"1 A pressed\n", 1, "pressed"},
        {"1 mouse 5\n", 1, "mouse"},
        {"1 mouse 1 2x\n", 1, "2x"},
        {"1 mouse 3000000000 0\n", 1, "3000000000"},
        {"5 A down\n6 A up\n3 D down\n", 3, "3"},  // frames go back
        {"1 pad\n", 1, "pad needs"},
        {"1 pad wiggle\n", 1, "wiggle"},
        {"1 pad \x7f\x1b[2J\n", 1, "unknown pad event '\\x7f\\x1b[2J'"},  // a pad's tokens are escaped too
        {"0 pad connect\n1 pad axis " + std::string(100, 'Z') + " 5\n", 2, std::string(40, 'Z') + "...'"},
        {"1 pad axis X 50\n", 1, "no pad is connected"},
        {"0 pad connect\n1 pad disconnect\n2 pad button 0 down\n", 3, "no pad is connected"},
        {"0 pad connect\n1 pad axis W 50\n", 2, "'W'"},
        {"0 pad connect\n1 pad axis X 101\n", 2, "101"},
        {"0 pad connect\n1 pad button 32 down\n", 2, "32"},
        {"0 pad connect\n1 pad button 1 held\n", 2, "held"},
        {"0 pad connect\n1 pad axis X\n", 2, "needs AXIS"},
        {"0 pad connect extra\n", 1, "extra"},
    };
    for (const auto& c : cases) {
        InputScript script;
        script.SetNames(GameInputNames());
        std::istringstream in(c.text);
        std::string error;
        const std::string where = "\\x9b.txt:" + std::to_string(c.line) + ": ";
        EXPECT_FALSE(script.Parse(in, "\x9b.txt", error)) << c.what;
        EXPECT_THAT(error, ::testing::StartsWith(where)) << c.what;
        EXPECT_NE(error.find(c.what, where.size()), std::string::npos) << error;
        EXPECT_LT(error.size(), 100u) << c.what;
    }
}

// A script refused, or a file that cannot be read, leaves nothing behind:
// not its events, nor the step of its header, its window or its end, nor
// those of the script read before it.
TEST(InputScriptTest, ARefusedScriptLeavesTheScriptEmpty) {
    const std::string header = "# game 1 replay, step 0.5 s\n0 window 1 2 3 4\n";
    const std::string good = header + "2 A down\n5 end\n";
    const std::string refused[] = {
        header + "5 end\n6 A down\n",  // after the end
        header + "1 Q down\n",         // not a key of the game's
        header + "3 A down\n",         // cut short
    };
    for (const std::string& text : refused) {
        InputScript script;
        script.SetProgram("game", "1");
        script.SetNames(GameInputNames());
        std::string error;
        std::istringstream first(good), second(text);
        ASSERT_TRUE(script.Parse(first, "good.txt", error)) << error;
        EXPECT_FALSE(script.Parse(second, "bad.txt", error)) << text;
        EXPECT_TRUE(script.GetEvents().empty()) << text;
        EXPECT_EQ(script.GetStep(), 0.0) << text;
        EXPECT_FALSE(script.HasWindowEvents()) << text;
        EXPECT_EQ(script.GetEndFrame(), -1) << text;
    }
    InputScript script;
    script.SetProgram("game", "1");
    script.SetNames(GameInputNames());
    std::string error;
    std::istringstream first(good);
    ASSERT_TRUE(script.Parse(first, "good.txt", error)) << error;
    EXPECT_FALSE(script.Load(std::string(TEST_DATA_DIR) + "/no-such-script.txt", error));
    EXPECT_EQ(script.GetStep(), 0.0);
    EXPECT_FALSE(script.HasWindowEvents());
    EXPECT_EQ(script.GetEndFrame(), -1);
}

// A script names what the game it drives names, and nothing else: another
// game's keys are typos, and an engine told of no keys takes none.
TEST(InputScriptTest, OnlyTheGamesOwnNamesAreKeys) {
    InputScript script;
    script.SetNames({{"Jump", InputKind::Key, sf::Keyboard::Space}, {"Fire", InputKind::Button, sf::Mouse::Right}});
    std::string error;
    std::istringstream jump("0 Jump down\n0 Fire down\n");
    ASSERT_TRUE(script.Parse(jump, "jump.txt", error)) << error;
    Input input;
    script.Apply(0, input);
    EXPECT_TRUE(input.IsKeyPressed(sf::Keyboard::Space));
    EXPECT_TRUE(input.IsButtonPressed(sf::Mouse::Right));
    for (const char* text : {"0 Return down\n", "0 MouseLeft down\n", "0 Space down\n"}) {
        std::istringstream in(text);
        EXPECT_FALSE(script.Parse(in, "other.txt", error)) << text;
        EXPECT_NE(error.find("other.txt:1: unknown key"), std::string::npos) << error;
    }
    InputScript bare;
    std::istringstream in("0 Escape down\n");
    EXPECT_FALSE(bare.Parse(in, "bare.txt", error));
    EXPECT_EQ(error, "bare.txt:1: unknown key 'Escape'");
}

TEST(OptionsTest, ValuesAreChecked) {
    Options options;
    std::string error;
    ASSERT_TRUE(options.Parse({"--frames", "0", "--frame-time", "0.5", "--max-fps", "1000"}, error)) << error;
    for (const char* seconds : {"0.0001", "1", "1e-4", ".5"})
        EXPECT_TRUE(Options().Parse({"--frame-time", seconds}, error)) << seconds << ": " << error;
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"--foo"}, "unknown option '--foo'"},
        {{"--frames"}, "--frames"},
        {{"--input", "--headless"}, "--input"},
        {{"--frames", "-1"}, "bad value '-1' for --frames"},
        {{"--frames", "99999999999999999999"}, "bad value '99999999999999999999' for --frames"},
        {{"--frame-time", "0"}, "bad value '0' for --frame-time"},
        {{"--frame-time", "nan"}, "bad value 'nan' for --frame-time"},
        {{"--frame-time", "0.1s"}, "bad value '0.1s' for --frame-time"},
        {{"--frame-time", "1e300"}, "bad value '1e300'"},    // infinity once summed
        {{"--frame-time", "1e-300"}, "bad value '1e-300'"},  // the view would never move
        {{"--frame-time", "0.00009"}, "bad value '0.00009'"},
        {{"--frame-time", "1.01"}, "bad value '1.01'"},
        {{"--frame-time", "0x1p-3"}, "bad value '0x1p-3'"},
        {{"--frame-time", "\n0.1"}, "bad value '\\x0a0.1'"},  // as a leading space is
        {{std::string(100000, 'a')}, "unknown option '" + std::string(40, 'a') + "...'"},
        {{"--max-fps", "1001"}, "bad value '1001' for --max-fps"},
    };
    for (const auto& c : cases) {
        Options bad;
        EXPECT_FALSE(bad.Parse(c.args, error)) << c.error;
        EXPECT_THAT(error, ::testing::HasSubstr(c.error));
        EXPECT_LT(error.size(), 200u);
    }
}

TEST(InputTest, AKeyHeldForAnotherWindowReadsUpUntilReleased) {
    Input input;
    EXPECT_FALSE(input.FocusGate(sf::Keyboard::P, false, true));  // typed elsewhere
    for (auto key : {sf::Keyboard::P, sf::Keyboard::A}) {         // any key may have been held elsewhere
        EXPECT_FALSE(input.FocusGate(key, true, true));           // focus back, still held
        EXPECT_FALSE(input.FocusGate(key, true, false));          // its release is no release here
        EXPECT_TRUE(input.FocusGate(key, true, true));            // a real press
    }
}
