#pragma once
#include "objects/GameObject.h"

// Scenery the player bounces on.
class Platform : public GameObject {
public:
    Platform(ReEng::MeshManagerSingleton* meshManager, glm::vec3 position, glm::vec3 scale,
             std::string instanceName);
};
