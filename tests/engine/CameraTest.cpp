// The camera: where it is and what the game's view shows.
#include <cmath>
#include <gtest/gtest.h>
#include "engine/scene/CameraManagerSingleton.h"
#include "tests/engine/FreshEngine.h"

using namespace ReEng;

using CameraTest = FreshEngine;

TEST_F(CameraTest, TheOrthographicViewIsOneRectangleAfterMoveVertical) {
    CameraManagerSingleton* camera = engine.CameraManager();
    camera->SetCameraMode(CAMROTHOZ);
    camera->SetPosition(vector3(3, -2, 10));
    camera->MoveVertical(4.5f);
    camera->MoveVertical(-0.5f);
    for (float aspect : {16.0f / 9.0f, 0.5f}) {
        const matrix4 toClip = camera->GetProjectionMatrix(aspect) * camera->GetViewMatrix();
        for (float side : {1.0f, -1.0f}) {  // the top right and bottom left corners of the view
            const vector4 clip = toClip * vector4(3 + 15 * side, 2.3f + 10 * side, 0, 1);
            EXPECT_NEAR(clip.x / clip.w, side, 1e-5f) << aspect;
            EXPECT_NEAR(clip.y / clip.w, side, 1e-5f) << aspect;
            EXPECT_LT(std::abs(clip.z / clip.w), 1.0f);  // the game's plane is not clipped
        }
    }
}
