#include "objects/Obstacle.h"

Obstacle::Obstacle(ReEng::MeshManagerSingleton* meshManager, glm::vec3 position, glm::vec3 scale,
                   std::string instanceName)
    : GameObject(meshManager, position, scale, std::string("Platformer\\companion.obj"), instanceName), active(true) {}
