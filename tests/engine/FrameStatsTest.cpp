// Frame statistics: percentiles of the intervals between frames.
#include <chrono>
#include <gtest/gtest.h>
#include "engine/time/FrameStats.h"

using namespace ReEng;

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
