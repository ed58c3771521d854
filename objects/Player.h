#pragma once
#include "objects/Bullet.h"
#include "objects/GameObject.h"

// The white sphere the user steers up the course.
// final: owners delete it through this type, as there is no virtual destructor.
class Player final : public GameObject {
public:
    static constexpr int kBulletCount = 10;

    float size;
    glm::vec3 velocity;  // world units per frame
    float steerSpeed;
    float jumpSpeed;
    bool airborne;
    bool rising;
    float shotTimer;
    float shotDelay;
    bool canShoot;
    Bullet bullets[kBulletCount];

    Player(glm::vec3 position, float size);

    void ResetBullets();
    void Update(float deltaTime);
    void Decelerate();
    void Shoot(glm::vec3 direction);
    void Draw(ReEng::MeshManagerSingleton* meshManager) override;
};
