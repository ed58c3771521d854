#pragma once
#include "objects/GameObject.h"

// Scenery the player bounces on.
// final: owners delete it through this type, as there is no virtual destructor.
class Platform final : public GameObject {
public:
    Platform(ReEng::MeshManagerSingleton* meshManager, glm::vec3 position, glm::vec3 scale, std::string instanceName);
};
