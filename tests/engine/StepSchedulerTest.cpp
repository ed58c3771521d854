// Fixed steps on the real clock: game time keeps to real time at any drawing
// rate, and a stall or a slow machine cannot make the game race to catch up.
#include <algorithm>
#include <gtest/gtest.h>
#include "engine/time/StepScheduler.h"

using namespace ReEng;

namespace {

constexpr double kStep = 1.0 / 60.0;

// Steps run over `seconds` of real time drawn at `fps`, each frame's
// interval off by up to `jitter` seconds either way (alternating).
struct Steps {
    long long total = 0;
    int fewest = 1 << 30, most = 0;  // in one frame
};
Steps Over(double seconds, double fps, double jitter) {
    StepScheduler scheduler(kStep);
    Steps steps;
    for (int i = 0; i < static_cast<int>(seconds * fps + 0.5); ++i) {
        const int n = scheduler.Advance(1.0 / fps + (i == 0 ? 0.0 : i % 2 == 0 ? jitter : -jitter));
        steps.total += n;
        steps.fewest = std::min(steps.fewest, n);
        steps.most = std::max(steps.most, n);
    }
    return steps;
}

}  // namespace

TEST(StepSchedulerTest, GameTimeFollowsRealTimeAtAnyDrawingRate) {
    // Ten seconds are 600 steps whether drawn at 30, 60 or 240 frames a second.
    for (double fps : {30.0, 60.0, 144.0, 240.0}) EXPECT_NEAR(Over(10.0, fps, 0.0).total, 600, 1) << fps;
    // At 60 frames a second every frame gets exactly one step (at 30, two),
    // even when each interval is a few milliseconds early or late.
    const Steps at60 = Over(10.0, 60.0, 0.004), at30 = Over(10.0, 30.0, 0.004);
    EXPECT_EQ(at60.total, 600);
    EXPECT_EQ(at60.fewest, 1);
    EXPECT_EQ(at60.most, 1);
    EXPECT_EQ(at30.fewest, 2);
    EXPECT_EQ(at30.most, 2);
}

TEST(StepSchedulerTest, AStallIsDroppedAndASlowMachineSlowsTheGame) {
    StepScheduler scheduler(kStep, 4, 0.25);
    EXPECT_EQ(scheduler.Advance(kStep), 1);
    EXPECT_EQ(scheduler.Advance(15.0), 1);   // 15 s stopped: one step, not 900
    EXPECT_EQ(scheduler.Advance(0.2), 4);    // 12 due, 4 run: the game slows down
    EXPECT_EQ(scheduler.Advance(kStep), 1);  // the excess is not owed later
    EXPECT_EQ(scheduler.Advance(-1.0), 0);   // a clock that went back
    scheduler.Reset();
    EXPECT_EQ(scheduler.Advance(kStep * 0.4), 0);  // after a reset the next step is a step away
    EXPECT_EQ(scheduler.Advance(kStep * 0.2), 1);
}

TEST(StepSchedulerTest, AStepTooSmallToCountInAnIntStillRunsAtMostTheCap) {
    // A frame's time is more whole steps than an int holds: the cap, every frame.
    for (double step : {1e-11, 1e-300, 5e-324}) {
        StepScheduler scheduler(step, 4, 0.25);
        for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(scheduler.Advance(kStep), 4) << step;
    }
}
