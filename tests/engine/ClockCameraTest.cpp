// The frame clock with a fixed frame time, and the camera's projections.
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "engine/CameraManagerSingleton.h"
#include "engine/SystemSingleton.h"

using namespace ReEng;

namespace {

class Clock : public ::testing::Test {
protected:
    void TearDown() override { SystemSingleton::ReleaseInstance(); }
    SystemSingleton* system = SystemSingleton::GetInstance();
};

class Camera : public ::testing::Test {
protected:
    void TearDown() override { CameraManagerSingleton::ReleaseInstance(); }
    CameraManagerSingleton* camera = CameraManagerSingleton::GetInstance();

    vector3 ToNdc(vector3 world, float aspect) const {
        const vector4 clip = camera->GetProjectionMatrix(aspect) * camera->GetViewMatrix() * vector4(world, 1.0f);
        return vector3(clip) / clip.w;
    }
};

}  // namespace

TEST_F(Clock, FixedFrameTimeAdvancesTheClockExactly) {
    system->SetFixedFrameTime(0.25);
    EXPECT_EQ(system->GetFixedFrameTime(), 0.25);
    system->UpdateTime();
    EXPECT_EQ(system->LapClock(), 0.25);
    system->UpdateTime();
    system->UpdateTime();
    EXPECT_EQ(system->LapClock(), 0.5);
    // Without a new frame no time has passed.
    EXPECT_EQ(system->LapClock(), 0.0);
    // Each clock keeps its own lap; a clock never lapped counts from the start.
    EXPECT_EQ(system->LapClock(3), 0.75);
    EXPECT_EQ(system->LapClock(SystemSingleton::kClocks), 0.0);
}

TEST_F(Clock, FpsCountsTheFramesOfTheLastSecond) {
    system->SetFixedFrameTime(0.1);
    for (int i = 0; i < 10; ++i) system->UpdateTime();
    EXPECT_EQ(system->GetFPS(), 10);
    for (int i = 0; i < 15; ++i) system->UpdateTime();
    EXPECT_EQ(system->GetFPS(), 10);

    SystemSingleton::ReleaseInstance();
    system = SystemSingleton::GetInstance();
    system->SetFixedFrameTime(1.0 / 60.0);
    for (int i = 0; i < 60; ++i) system->UpdateTime();
    EXPECT_EQ(system->GetFPS(), 60);
    for (int i = 0; i < 150; ++i) system->UpdateTime();
    EXPECT_EQ(system->GetFPS(), 60);
}

TEST_F(Clock, RealTimeNeverRunsBackwards) {
    system->SetFixedFrameTime(100.0);
    system->UpdateTime();
    system->LapClock();
    // Leaving the fixed step must not send the clock back to real time since start.
    system->SetFixedFrameTime(0.0);
    system->UpdateTime();
    EXPECT_GE(system->LapClock(), 0.0);
}

TEST_F(Clock, WindowRectDefaultsAndIsStored) {
    EXPECT_EQ(system->GetWindowWidth(), 1080);
    EXPECT_EQ(system->GetWindowHeight(), 720);
    system->SetWindowRect(10, 20, 800, 600);
    EXPECT_EQ(system->GetWindowX(), 10);
    EXPECT_EQ(system->GetWindowY(), 20);
    EXPECT_EQ(system->GetWindowWidth(), 800);
    EXPECT_EQ(system->GetWindowHeight(), 600);
}

TEST_F(Camera, StartsAsAPerspectiveCameraBackFromTheOrigin) {
    EXPECT_EQ(camera->GetCameraMode(), CAMPERSP);
    EXPECT_EQ(camera->GetPosition(), vector3(0, 0, 10));
    // Straight ahead lands in the middle of the screen.
    const vector3 ahead = ToNdc(vector3(0, 0, 0), 16.0f / 9.0f);
    EXPECT_NEAR(ahead.x, 0.0f, 1e-6f);
    EXPECT_NEAR(ahead.y, 0.0f, 1e-6f);
    // A wider window sees more sideways, not less upwards.
    const matrix4 wide = camera->GetProjectionMatrix(2.0f);
    EXPECT_FLOAT_EQ(wide[0][0] * 2.0f, wide[1][1]);
}

TEST_F(Camera, MoveVerticalIsSeenAtOnce) {
    camera->SetCameraMode(CAMROTHOZ);
    camera->MoveVertical(2.5f);
    camera->MoveVertical(-0.5f);
    EXPECT_EQ(camera->GetPosition(), vector3(0, 2, 10));
    const vector3 view = vector3(camera->GetViewMatrix() * vector4(0, 2, 0, 1));
    EXPECT_NEAR(view.x, 0.0f, 1e-6f);
    EXPECT_NEAR(view.y, 0.0f, 1e-6f);
}

TEST_F(Camera, GameViewShowsTheSameRectangleWhateverTheWindow) {
    camera->SetCameraMode(CAMROTHOZ);
    EXPECT_EQ(camera->GetCameraMode(), CAMROTHOZ);
    camera->SetPosition(vector3(3, -2, 10));
    camera->MoveVertical(4.0f);
    const float cx = 3.0f;
    const float cy = 2.0f;
    for (float aspect : {16.0f / 9.0f, 1.0f, 4.0f / 3.0f, 0.5f}) {
        SCOPED_TRACE(aspect);
        const vector3 topRight = ToNdc(vector3(cx + 15.0f, cy + 10.3f, 0), aspect);
        const vector3 bottomLeft = ToNdc(vector3(cx - 15.0f, cy - 9.7f, 0), aspect);
        EXPECT_NEAR(topRight.x, 1.0f, 1e-5f);
        EXPECT_NEAR(topRight.y, 1.0f, 1e-5f);
        EXPECT_NEAR(bottomLeft.x, -1.0f, 1e-5f);
        EXPECT_NEAR(bottomLeft.y, -1.0f, 1e-5f);
        // The game's plane is between the clipping planes.
        EXPECT_GT(topRight.z, -1.0f);
        EXPECT_LT(topRight.z, 1.0f);
    }
}

TEST_F(Camera, SideViewsLookAlongTheirAxes) {
    camera->SetPosition(vector3(1, 2, 3));
    camera->SetCameraMode(CAMROTHOX);
    const vector3 a = ToNdc(vector3(1, 5, 4), 1.0f);
    const vector3 b = ToNdc(vector3(-20, 5, 4), 1.0f);
    EXPECT_NEAR(a.x, b.x, 1e-5f);
    EXPECT_NEAR(a.y, b.y, 1e-5f);
    EXPECT_NEAR(a.y, (3.0f - 0.3f) / 10.0f, 1e-5f);  // 3 above the camera, extents -9.7..10.3

    camera->SetCameraMode(CAMROTHOY);
    const vector3 c = ToNdc(vector3(7, 2, 3), 1.0f);
    const vector3 d = ToNdc(vector3(7, -30, 3), 1.0f);
    EXPECT_NEAR(c.x, d.x, 1e-5f);
    EXPECT_NEAR(c.y, d.y, 1e-5f);
    EXPECT_NEAR(c.x, 6.0f / 15.0f, 1e-5f);
}
