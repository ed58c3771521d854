// The application run as a browser drives it, in passes, and a bad command line refused.
#include "tests/game/GameFixture.h"

class AppRunTest : public TempFolder {};

// The run in passes, as a browser drives it: Start, then Tick until it says
// stop, then Finish. The game, not the draw queue, tells the engine that the
// title (and with it the legend) has gone.
TEST_F(AppRunTest, StartTickFinishPlaysTheFramesAskedForAndStops) {
    int status = -1;
    {  // one game at a time: the game's instance is the process's
        const std::string script = Path("passes.txt");
        std::ofstream(script) << "0 Return down\n1 Return up\n";
        QuietApp app(nullptr, {"--headless", "--frames", "20", "--input", script}, 0, false);
        app.SetAppInfo(GameInfo());
        ASSERT_TRUE(app.Start(status));
        EXPECT_FALSE(app.GetLegend().empty());  // on the title, before the first step
        int passes = 1;
        while (app.Tick()) ++passes;
        EXPECT_EQ(passes, 20);  // one step a pass when every frame is a step
        EXPECT_EQ(app.GetFrameCount(), 20u);
        EXPECT_FALSE(app.Tick());  // over stays over
        EXPECT_EQ(app.gameManager->state, Playing);
        EXPECT_TRUE(app.GetLegend().empty());
        EXPECT_EQ(app.Finish(), 0);
    }

    AppClass bad(nullptr, {"--headless", "--frames", "many"}, 0, false);
    bad.SetAppInfo(GameInfo());
    EXPECT_FALSE(bad.Start(status));
    EXPECT_EQ(status, 2);
}
