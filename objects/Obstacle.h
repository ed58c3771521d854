#pragma once
#include "objects/GameObject.h"

// Scenery that ends the game on contact until a bullet takes it out.
class Obstacle : public GameObject {
public:
    bool active;

    Obstacle(ReEng::MeshManagerSingleton* meshManager, glm::vec3 position, glm::vec3 scale,
             std::string instanceName);
};
