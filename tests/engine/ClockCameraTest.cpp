// The frame clock with a fixed frame time, and the camera's projections.
#include <cmath>

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
    system->UpdateTime();
    EXPECT_EQ(system->LapClock(), 0.25);
    system->UpdateTime();
    system->UpdateTime();
    EXPECT_EQ(system->LapClock(), 0.5);
    EXPECT_EQ(system->LapClock(), 0.0);
    // Each clock keeps its own lap; one never lapped counts from the start.
    EXPECT_EQ(system->LapClock(3), 0.75);
}

TEST_F(Clock, FpsCountsTheFramesOfTheLastSecond) {
    system->SetFixedFrameTime(0.1);
    for (int i = 0; i < 10; ++i) system->UpdateTime();
    EXPECT_EQ(system->GetFPS(), 10);
    system->SetFixedFrameTime(1.0 / 60.0);
    for (int i = 0; i < 150; ++i) system->UpdateTime();
    EXPECT_EQ(system->GetFPS(), 60);
}

TEST_F(Camera, MoveVerticalIsSeenAtOnceAndTheViewIsOneRectangleForAnyWindow) {
    EXPECT_EQ(camera->GetCameraMode(), CAMPERSP);
    EXPECT_EQ(camera->GetPosition(), vector3(0, 0, 10));
    camera->SetCameraMode(CAMROTHOZ);
    camera->MoveVertical(2.5f);
    camera->MoveVertical(-0.5f);
    EXPECT_EQ(camera->GetPosition(), vector3(0, 2, 10));
    const vector3 centre = vector3(camera->GetViewMatrix() * vector4(0, 2, 0, 1));
    EXPECT_NEAR(centre.x, 0.0f, 1e-6f);
    EXPECT_NEAR(centre.y, 0.0f, 1e-6f);

    camera->SetPosition(vector3(3, -2, 10));
    camera->MoveVertical(4.0f);
    for (float aspect : {16.0f / 9.0f, 1.0f, 0.5f}) {
        SCOPED_TRACE(aspect);
        const vector3 topRight = ToNdc(vector3(3 + 15.0f, 2 + 10.3f, 0), aspect);
        const vector3 bottomLeft = ToNdc(vector3(3 - 15.0f, 2 - 9.7f, 0), aspect);
        EXPECT_NEAR(topRight.x, 1.0f, 1e-5f);
        EXPECT_NEAR(topRight.y, 1.0f, 1e-5f);
        EXPECT_NEAR(bottomLeft.x, -1.0f, 1e-5f);
        EXPECT_NEAR(bottomLeft.y, -1.0f, 1e-5f);
        EXPECT_LT(std::abs(topRight.z), 1.0f);  // the game's plane is not clipped
    }
}
