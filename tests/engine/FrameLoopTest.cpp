// The frame loop's parts: fixed steps on the real clock, the letterboxed play
// area, frame statistics, latched presses and the unchanged-picture check.
#include <algorithm>
#include <chrono>
#include <tuple>
#include <gtest/gtest.h>
#include "engine/time/FramePacer.h"
#include "engine/time/FrameStats.h"
#include "engine/input/Input.h"
#include "engine/window/PlayArea.h"
#include "engine/render/RenderQueue.h"
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

TEST(FramePacerTest, GameTimeKeepsToTheDeadlinesNotToTheJitter) {
    using Clock = FramePacer::Clock;
    using ms = std::chrono::duration<double, std::milli>;
    FramePacer pacer;
    pacer.SetRate(60.0);
    const Clock::time_point start{};
    const auto at = [&](double msAfter) { return start + std::chrono::duration_cast<Clock::duration>(ms(msAfter)); };
    EXPECT_EQ(pacer.Schedule(at(0.0)), at(0.0));  // the first frame only sets the clock going
    // Frames woken early, late, or drawn slowly (but less than a frame late)
    // are all due on the same even beat, and the step clock reads that beat.
    const double wake[] = {10.0, 15.0, 36.0, 45.0, 66.6, 90.0};
    StepScheduler scheduler(kStep);
    Clock::time_point last = pacer.FrameTime();
    for (int i = 0; i < 6; ++i) {
        const Clock::time_point due = pacer.Schedule(at(wake[i]));
        EXPECT_NEAR(ms(due - start).count(), 1000.0 / 60.0 * (i + 1), 0.001) << i;
        EXPECT_EQ(scheduler.Advance(std::chrono::duration<double>(pacer.FrameTime() - last).count()), 1) << i;
        last = pacer.FrameTime();
    }
    // More than a frame late (a stall): the beat starts again from now.
    EXPECT_EQ(pacer.Schedule(at(500.0)), at(500.0));
    EXPECT_NEAR(ms(pacer.Schedule(at(501.0)) - start).count(), 500.0 + 1000.0 / 60.0, 0.001);
}

TEST(PlayAreaTest, ThePictureKeepsItsShapeCentredWithBars) {
    const struct {
        int w, h;
        PlayArea want;
    } cases[] = {
        {1080, 720, {0, 0, 1080, 720}},
        {2160, 1440, {0, 0, 2160, 1440}},
        {600, 700, {0, 150, 600, 400}},      // tall: bars above and below
        {1400, 600, {250, 0, 900, 600}},     // wide: bars left and right
        {1920, 1080, {150, 0, 1620, 1080}},  // a fullscreen desktop
        {1, 1, {0, 0, 1, 1}},
        {0, -5, {0, 0, 1, 1}},  // a minimised window
    };
    for (const auto& c : cases) {
        const PlayArea a = PlayArea::Fit(c.w, c.h, 1080, 720);
        EXPECT_EQ(std::tie(a.x, a.y, a.width, a.height), std::tie(c.want.x, c.want.y, c.want.width, c.want.height))
            << c.w << "x" << c.h;
    }
}

TEST(FrameStatsTest, PercentilesOfTheIntervalsBetweenFrames) {
    FrameStats stats;
    using ms = std::chrono::milliseconds;
    FrameStats::Clock::time_point t{};
    stats.Mark(t);
    for (int i = 1; i <= 100; ++i) stats.Mark(t += ms(i > 98 ? 50 : 16));  // two slow frames in 100
    const FrameStats::Summary s = stats.Summarize();
    EXPECT_EQ(s.count, 100u);
    EXPECT_DOUBLE_EQ(s.p50Ms, 16.0);
    EXPECT_DOUBLE_EQ(s.p99Ms, 50.0);
    EXPECT_DOUBLE_EQ(s.maxMs, 50.0);
    EXPECT_DOUBLE_EQ(s.totalMs, 98 * 16.0 + 2 * 50.0);
    EXPECT_EQ(FrameStats().Summarize().count, 0u);  // no frames, no division by zero
}

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
}

TEST(RenderQueueTest, OnlyWhatChangesThePictureMakesItNew) {
    RenderQueue a, b;
    for (RenderQueue* q : {&a, &b}) {
        q->grids.push_back({1.0f, 1, vector3(0.0f, 0.0f, 0.75f)});
        q->instances.push_back({"plat_1", 0, matrix4(1.0f), vector3(0.8f, 0.5f, 0.2f)});
        q->lines.push_back({"Paused", vector3(1.0f)});
    }
    EXPECT_TRUE(a.SamePicture(b));
    b.instances[0].name = "plat_2";  // a name draws nothing
    EXPECT_TRUE(a.SamePicture(b));
    b.instances[0].matrix[3].y = 0.5f;
    EXPECT_FALSE(a.SamePicture(b));
    b.instances[0].matrix = a.instances[0].matrix;
    b.instances[0].colour.g = 0.6f;
    EXPECT_FALSE(a.SamePicture(b));
    b.instances[0].colour = a.instances[0].colour;
    b.lines[0].text = "Score: 3";
    EXPECT_FALSE(a.SamePicture(b));
    b.lines.clear();
    EXPECT_FALSE(a.SamePicture(b));
}
