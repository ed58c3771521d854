#pragma once
#include "objects/GameObject.h"

// Scenery that ends the game on contact until a bullet takes it out.
// final: owners delete it through this type, as there is no virtual destructor.
class Obstacle final : public GameObject {
public:
    bool active;

    Obstacle(ReEng::MeshManagerSingleton* meshManager, glm::vec3 position, glm::vec3 scale, std::string instanceName);
};
