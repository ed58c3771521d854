#pragma once
// The current camera: where it is and how it projects.
#include "engine/core/Singleton.h"
#include "engine/core/Definitions.h"

namespace ReEng {

class CameraManagerSingleton : public Singleton<CameraManagerSingleton> {
public:
    // Camera index -1 is the current (and only) camera.
    void SetCameraMode(CAMERAMODE mode, int index = -1);
    CAMERAMODE GetCameraMode(int index = -1) const;
    vector3 GetPosition(int index = -1) const;
    void SetPosition(vector3 position, int index = -1);
    // Moves along world y; a negative amount moves down.
    void MoveVertical(float amount, int index = -1);

    // The view of the z-mode: x from camera x - 15 to + 15 and y from camera
    // y - 9.7 to + 10.3, whatever the window's shape.
    static constexpr float kHalfWidth = 15.0f;
    static constexpr float kBelow = 9.7f;
    static constexpr float kAbove = 10.3f;

    matrix4 GetViewMatrix(int index = -1) const;
    // aspect: width over height of the client area (used by the perspective mode).
    matrix4 GetProjectionMatrix(float aspect, int index = -1) const;

private:
    CameraManagerSingleton() = default;
    friend class Singleton<CameraManagerSingleton>;

    CAMERAMODE m_mode = CAMPERSP;
    vector3 m_position = vector3(0.0f, 0.0f, 10.0f);
};

}  // namespace ReEng
