// Frames paced to even deadlines, so the steps they run keep an even beat.
#include <chrono>
#include <gtest/gtest.h>
#include "engine/time/FramePacer.h"
#include "engine/time/StepScheduler.h"

using namespace ReEng;

namespace {

constexpr double kStep = 1.0 / 60.0;

}  // namespace

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
