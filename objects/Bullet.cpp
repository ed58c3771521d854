#include "objects/Bullet.h"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

Bullet::Bullet() : GameObject(), velocity(0.0f), speed(10.0f), active(false), age(0.0f), lifetime(3.0f) {
    translationMatrix = glm::mat4(1.0f);
    velocity = glm::vec3(speed, 0.0f, 0.0f);
    active = false;
    scaleMatrix = glm::scale(glm::mat4(1.0f), glm::vec3(0.1f, 0.1f, 0.1f));
}

Bullet::Bullet(glm::vec3 direction, glm::vec3 scale, glm::mat4 transform)
    : GameObject(glm::vec3(transform[3]), scale),
      velocity(0.0f),
      speed(10.0f),
      active(false),
      age(0.0f),
      lifetime(3.0f) {
    translationMatrix = transform;
    const double length =
        std::sqrt(static_cast<double>(direction.x) * direction.x + static_cast<double>(direction.y) * direction.y +
                  static_cast<double>(direction.z) * direction.z);
    velocity = speed * direction * (1.0f / static_cast<float>(length));
    active = true;
}

Bullet& Bullet::operator=(const Bullet& other) {
    translationMatrix = other.translationMatrix;
    scaleMatrix = other.scaleMatrix;
    velocity = other.velocity;
    active = other.active;
    return *this;
}

void Bullet::Update(float deltaTime) {
    // Seconds, not frames: a bullet's flight does not depend on the frame rate.
    const glm::vec3 step = velocity * deltaTime;
    translationMatrix = glm::translate(translationMatrix, step);
    UpdateModelMatrix(translationMatrix * scaleMatrix);
    age += deltaTime;
    if (age >= lifetime) active = false;
}

void Bullet::Draw(ReEng::MeshManagerSingleton* meshManager) {
    if (boundingObject->GetVisibleAABB() || boundingObject->GetVisibleBS() || boundingObject->GetVisibleOBB()) {
        boundingObject->AddToRenderList(false);
    }
    meshManager->AddSphereToQueue(translationMatrix * scaleMatrix, glm::vec3(0.0f, 0.0f, 0.0f), 1);
}
