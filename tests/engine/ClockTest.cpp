// The frame clock: fixed steps, laps and the frame rate.
#include <gtest/gtest.h>
#include "engine/time/SystemSingleton.h"
#include "tests/engine/FreshEngine.h"

using namespace ReEng;

using ClockTest = FreshEngine;

TEST_F(ClockTest, FixedFrameTimeDrivesLapsAndFps) {
    SystemSingleton* system = engine.System();
    system->SetStep(0.25);
    system->UpdateTime();
    EXPECT_EQ(system->LapClock(), 0.25);
    for (int i = 0; i < 2; ++i) system->UpdateTime();
    EXPECT_EQ(system->LapClock(), 0.5);
    EXPECT_EQ(system->LapClock(), 0.0);
    EXPECT_EQ(system->LapClock(3), 0.75);  // each clock keeps its own lap
    system->SetStep(1.0 / 60.0);
    for (int i = 0; i < 150; ++i) system->UpdateTime();
    EXPECT_EQ(system->GetFPS(), 60);
}
