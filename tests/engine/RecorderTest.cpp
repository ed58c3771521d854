// Recordings: never in place of another name, a reason when the file cannot
// be made, and a size that grows with the steps played, not with whatever
// the window system sent between them.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "engine/input/Input.h"
#include "engine/replay/InputScript.h"
#include "engine/replay/Recorder.h"
#include "engine/window/WindowClass.h"
#include "tests/engine/TempFolder.h"

using namespace ReEng;
namespace fs = std::filesystem;

class RecorderTest : public TempFolder {
protected:
    static std::string Read(const std::string& file) {
        std::ifstream in(file);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static int Count(const std::string& text, const std::string& what) {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
    Input input;
    WindowClass window;
};

TEST_F(RecorderTest, ANameInUseIsNeverRecordedOverNotEvenALinkToNothing) {
    fs::create_symlink(Path("nowhere"), Path("dangling.replay"));
    std::ofstream(Path("kept.replay")) << "mine\n";
    for (const std::string name : {"dangling.replay", "kept.replay"}) {
        Recorder recorder;
        std::string error;
        EXPECT_FALSE(recorder.Open(Path(name), 1.0 / 60.0, error)) << name;
        EXPECT_NE(error.find(name + ": it exists"), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(fs::symlink_status(Path(name + ".part")))) << name;
    }
    EXPECT_TRUE(fs::is_symlink(Path("dangling.replay")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(Path("nowhere"))));

    // A link that appears while the game is played is not replaced either.
    Recorder recorder;
    std::string error;
    ASSERT_TRUE(recorder.Open(Path("late.replay"), 1.0 / 60.0, error)) << error;
    fs::create_symlink(Path("nowhere"), Path("late.replay"));
    EXPECT_FALSE(recorder.Finish(3, error));
    EXPECT_NE(error.find("it appeared during the game"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_symlink(Path("late.replay")));
    EXPECT_TRUE(fs::is_regular_file(Path("late.replay.part")));
}

TEST_F(RecorderTest, AFileThatCannotBeMadeSaysWhy) {
    std::ofstream(Path("file")) << "not a folder\n";
    const struct {
        std::string name;
        int reason;
    } cases[] = {
        {Path("no/such/folder/a.replay"), ENOENT},
        {Path("file/a.replay"), ENOTDIR},
    };
    for (const auto& c : cases) {
        Recorder recorder;
        std::string error;
        EXPECT_FALSE(recorder.Open(c.name, 1.0 / 60.0, error));
        EXPECT_EQ(error, "cannot create the recording " + c.name + ".part: " + std::strerror(c.reason));
    }
    // A folder the user may not write to; root may write anywhere.
    if (geteuid() != 0) {
        fs::create_directory(Path("locked"));
        fs::permissions(Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
        Recorder recorder;
        std::string error;
        EXPECT_FALSE(recorder.Open(Path("locked/a.replay"), 1.0 / 60.0, error));
        EXPECT_NE(error.find(std::string(": ") + std::strerror(EACCES)), std::string::npos) << error;
        fs::permissions(Path("locked"), fs::perms::owner_all);
    }
}

TEST_F(RecorderTest, FocusIsWrittenOnlyAsEachStepHadIt) {
    Recorder recorder;
    std::string error;
    ASSERT_TRUE(recorder.Open(Path("focus.replay"), 1.0 / 60.0, error)) << error;
    recorder.RecordStep(0, input, window);
    // Thousands of changes between two steps, ending where they began.
    for (int i = 0; i < 5000; ++i) recorder.RecordFocus(i % 2 != 0);
    recorder.RecordStep(1, input, window);
    // Away for a step, then back for the next.
    recorder.RecordFocus(false);
    recorder.RecordStep(2, input, window);
    recorder.RecordFocus(true);
    recorder.RecordFocus(false);
    recorder.RecordFocus(true);
    recorder.RecordStep(3, input, window);
    ASSERT_TRUE(recorder.Finish(4, error)) << error;

    const std::string text = Read(Path("focus.replay"));
    EXPECT_EQ(Count(text, " focus "), 2) << text;
    EXPECT_NE(text.find("\n2 focus out\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n3 focus in\n"), std::string::npos) << text;
    InputScript script;
    script.SetProgram("reeng", "0");
    EXPECT_TRUE(script.Load(Path("focus.replay"), error)) << error;
}

// The recording writes the keys the game names, by those names, and reads
// back with them; a key it does not name is not the game's and is left out.
TEST_F(RecorderTest, KeysAreWrittenByTheGamesNamesAndOnlyThose) {
    const InputNames names = {{"Jump", InputKind::Key, sf::Keyboard::Space},
                              {"Fire", InputKind::Button, sf::Mouse::Right}};
    Recorder recorder;
    recorder.SetNames(names);
    std::string error;
    ASSERT_TRUE(recorder.Open(Path("keys.replay"), 0.5, error)) << error;
    input.SetKey(sf::Keyboard::Space, true);
    input.SetKey(sf::Keyboard::A, true);
    input.SetButton(sf::Mouse::Right, true);
    for (auto key : {sf::Keyboard::Space, sf::Keyboard::A}) input.IsKeyPressed(key);
    input.IsButtonPressed(sf::Mouse::Right);
    recorder.RecordStep(0, input, window);
    input.EndStep();
    input.SetKey(sf::Keyboard::Space, false);
    input.IsKeyPressed(sf::Keyboard::Space);
    recorder.RecordStep(1, input, window);
    ASSERT_TRUE(recorder.Finish(2, error)) << error;

    const std::string text = Read(Path("keys.replay"));
    EXPECT_NE(text.find("\n0 Jump down\n0 Fire down\n1 Jump up\n2 end\n"), std::string::npos) << text;
    EXPECT_EQ(Count(text, " A "), 0) << text;
    InputScript script;
    script.SetNames(names);
    ASSERT_TRUE(script.Load(Path("keys.replay"), error)) << error;
    EXPECT_EQ(script.GetStep(), 0.5);
    EXPECT_EQ(script.GetEndFrame(), 2);
}
