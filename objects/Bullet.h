#pragma once
#include "objects/GameObject.h"

// One of the player's pooled projectiles.
// final: owners delete it through this type, as there is no virtual destructor.
class Bullet final : public GameObject {
public:
    glm::vec3 velocity;  // world units per second
    float speed;
    bool active;
    float age;  // seconds since firing
    float lifetime;

    Bullet();
    Bullet(glm::vec3 direction, glm::vec3 scale, glm::mat4 transform);
    // Copies only the placement, velocity and active flag: the target keeps
    // its own bounding volume.
    Bullet& operator=(const Bullet& other);

    void Update(float deltaTime);
    void Draw(ReEng::MeshManagerSingleton* meshManager) override;
};
