#include "engine/scene/CameraManagerSingleton.h"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

namespace ReEng {

void CameraManagerSingleton::SetCameraMode(CAMERAMODE mode, int) { m_mode = mode; }

CAMERAMODE CameraManagerSingleton::GetCameraMode(int) const { return m_mode; }

vector3 CameraManagerSingleton::GetPosition(int) const { return m_position; }

void CameraManagerSingleton::SetPosition(vector3 position, int) { m_position = position; }

void CameraManagerSingleton::MoveVertical(float amount, int) {
    // Applied at once: the game moves the camera and draws in the same frame.
    m_position.y += amount;
}

matrix4 CameraManagerSingleton::GetViewMatrix(int) const {
    switch (m_mode) {
        case CAMROTHOX:
            return glm::lookAt(m_position, m_position - vector3(1.0f, 0.0f, 0.0f), vector3(0.0f, 1.0f, 0.0f));
        case CAMROTHOY:
            // Looking down: x to the right, far (-z) at the top.
            return glm::lookAt(m_position, m_position - vector3(0.0f, 1.0f, 0.0f), vector3(0.0f, 0.0f, -1.0f));
        case CAMPERSP:
        case CAMROTHOZ:
        default:
            return glm::lookAt(m_position, m_position - vector3(0.0f, 0.0f, 1.0f), vector3(0.0f, 1.0f, 0.0f));
    }
}

matrix4 CameraManagerSingleton::GetProjectionMatrix(float aspect, int) const {
    switch (m_mode) {
        case CAMROTHOZ:
            // Fixed extents so the playfield is the same on any window shape.
            return glm::ortho(-kHalfWidth, kHalfWidth, -kBelow, kAbove, 0.01f, 1000.0f);
        case CAMROTHOX:
        case CAMROTHOY:
            // The side views show the whole scene on both sides of the camera.
            return glm::ortho(-kHalfWidth, kHalfWidth, -kBelow, kAbove, -1000.0f, 1000.0f);
        case CAMPERSP:
        default:
            if (!std::isfinite(aspect) || aspect <= 0.0f) aspect = 1.0f;  // a minimised window
            return glm::perspective(glm::radians(45.0f), aspect, 0.01f, 1000.0f);
    }
}

}  // namespace ReEng
