#include "objects/Player.h"

#include <cfloat>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

Player::Player(glm::vec3 position, float size)
    : GameObject(position, glm::vec3(size, size, size)),
      size(size),
      velocity(0.0f),
      steerSpeed(0.1f),
      jumpSpeed(0.2f),
      airborne(false),
      rising(true),
      shotTimer(0.0f),
      shotDelay(0.5f),
      canShoot(true),
      bullets() {
    this->size = size;
    ResetBullets();
}

void Player::ResetBullets() {
    velocity = glm::vec3(0.0f);
    for (int i = 0; i < kBulletCount; ++i) {
        // The template's own volume goes with it; the slot keeps its own.
        Bullet bulletTemplate(glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(0.2f, 0.2f, 0.2f), translationMatrix);
        bullets[i] = bulletTemplate;
        bullets[i].active = false;
    }
}

void Player::Update(float deltaTime) {
    // Only Shoot resets the timer; the step that finds it not below the delay re-arms.
    if (!canShoot && shotDelay > shotTimer) {
        shotTimer += deltaTime;
    } else {
        canShoot = true;
    }

    // Tested before subtracting, so the fall speed settles at the first value
    // at or below -jumpSpeed.
    if (airborne && velocity.y > -jumpSpeed) {
        velocity.y -= jumpSpeed * 0.04f;
    }
    if (velocity.y < 0.0f) rising = false;

    // Per frame, not scaled by the frame time.
    translationMatrix = glm::translate(translationMatrix, velocity);
    UpdateModelMatrix(translationMatrix * scaleMatrix);

    for (int i = 0; i < kBulletCount; ++i) {
        if (bullets[i].active) bullets[i].Update(deltaTime);
    }
}

void Player::Decelerate() {
    const float s = steerSpeed;
    if (velocity.x >= 0.1f * s) {
        velocity.x -= 0.07f * s;
    } else if (velocity.x <= -0.1f * s) {
        velocity.x += 0.07f * s;
    } else {
        velocity.x = 0.0f;
    }
}

void Player::Shoot(glm::vec3 direction) {
    // The cooldown starts whether or not a bullet leaves, so a held button
    // fires at the same pace with a full pool or a useless aim.
    shotTimer = 0.0f;
    canShoot = false;

    Bullet* bullet = nullptr;
    for (int i = 0; i < kBulletCount; ++i) {
        if (!bullets[i].active) {
            bullet = &bullets[i];
            break;
        }
    }
    if (bullet == nullptr) return;

    const double length =
        std::sqrt(static_cast<double>(direction.x) * direction.x + static_cast<double>(direction.y) * direction.y +
                  static_cast<double>(direction.z) * direction.z);
    // An aim at the player's own centre, or a non-finite one, has no
    // direction: firing it would send a NaN bullet, so the shot is skipped.
    // The float range check also keeps the narrowing below defined.
    if (!(length > 0.0) || !(length <= static_cast<double>(FLT_MAX))) return;
    const float narrowed = static_cast<float>(length);
    if (!(narrowed > 0.0f)) return;  // too short to survive as a float
    const glm::vec3 shotVelocity = bullet->speed * direction * (1.0f / narrowed);
    // A subnormal or huge direction can still overflow on the way.
    if (!std::isfinite(shotVelocity.x) || !std::isfinite(shotVelocity.y) || !std::isfinite(shotVelocity.z)) {
        return;
    }

    bullet->translationMatrix = translationMatrix;
    bullet->velocity = shotVelocity;
    bullet->active = true;
    bullet->age = 0.0f;
}

void Player::Draw(ReEng::MeshManagerSingleton* meshManager) {
    if (boundingObject->GetVisibleAABB() || boundingObject->GetVisibleBS() || boundingObject->GetVisibleOBB()) {
        boundingObject->AddToRenderList(false);
    }
    const float diameter = 2.0f * size;
    meshManager->AddSphereToQueue(
        translationMatrix * glm::scale(glm::mat4(1.0f), glm::vec3(diameter, diameter, diameter)),
        glm::vec3(1.0f, 1.0f, 1.0f), 1);
    meshManager->SetModelMatrix(modelMatrix, instanceName, false);
    boundingObject->AddToRenderList(true);
    for (int i = 0; i < kBulletCount; ++i) {
        if (bullets[i].active) bullets[i].Draw(meshManager);
    }
}
