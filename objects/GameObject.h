#pragma once
// Base of every scene object: its placement, its model instance's name and
// the bounding volume it owns.
#include <string>

#include "engine/scene/BoundingObjectClass.h"
#include "engine/scene/MeshManagerSingleton.h"

class GameObject {
public:
    std::string instanceName;
    glm::mat4 scaleMatrix;
    glm::mat4 translationMatrix;
    glm::mat4 modelMatrix;
    ReEng::BoundingObjectClass* boundingObject;

    GameObject();
    GameObject(glm::vec3 position, glm::vec3 scale);
    GameObject(ReEng::MeshManagerSingleton* meshManager, glm::vec3 position, glm::vec3 scale, std::string modelFile,
               std::string instanceName);
    // Not virtual: owners delete through the concrete kind.
    ~GameObject();
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    virtual void Draw(ReEng::MeshManagerSingleton* meshManager);
    virtual void UpdateModelMatrix(glm::mat4 matrix);

private:
    void Place(glm::vec3 position, glm::vec3 scale);
};
