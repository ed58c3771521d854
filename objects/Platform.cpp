#include "objects/Platform.h"

Platform::Platform(ReEng::MeshManagerSingleton* meshManager, glm::vec3 position, glm::vec3 scale,
                   std::string instanceName)
    : GameObject(meshManager, position, scale, std::string("Platformer\\portal.obj"), instanceName) {}
