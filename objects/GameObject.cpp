#include "objects/GameObject.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {
const glm::mat4 kIdentity(1.0f);
}

// Shared third step of every constructor: translation and scale of the
// identity, and their product as the volume's first placement.
void GameObject::Place(glm::vec3 position, glm::vec3 scale) {
    translationMatrix = glm::translate(kIdentity, position);
    scaleMatrix = glm::scale(kIdentity, scale);
    modelMatrix = translationMatrix * scaleMatrix;
}

GameObject::GameObject()
    : instanceName(),
      scaleMatrix(kIdentity),
      translationMatrix(kIdentity),
      modelMatrix(kIdentity),
      boundingObject(nullptr) {
    // Zero size until the kind sets its own scale (Bullet does).
    Place(glm::vec3(0.0f), glm::vec3(0.0f));
    boundingObject = new ReEng::BoundingObjectClass(glm::vec3(0.0f), 0.5f);
    boundingObject->SetModelMatrix(modelMatrix);
}

GameObject::GameObject(glm::vec3 position, glm::vec3 scale)
    : instanceName(),
      scaleMatrix(kIdentity),
      translationMatrix(kIdentity),
      modelMatrix(kIdentity),
      boundingObject(nullptr) {
    Place(position, scale);
    float largest = scale.x;
    if (scale.y > largest) largest = scale.y;
    if (scale.z > largest) largest = scale.z;
    // Centred on the local origin: the model matrix carries the position.
    boundingObject = new ReEng::BoundingObjectClass(glm::vec3(0.0f), 0.5f * largest);
    boundingObject->SetModelMatrix(modelMatrix);
    boundingObject->SetVisible(true);
}

GameObject::GameObject(ReEng::MeshManagerSingleton* meshManager, glm::vec3 position, glm::vec3 scale,
                       std::string modelFile, std::string instanceName)
    : instanceName(),
      scaleMatrix(kIdentity),
      translationMatrix(kIdentity),
      modelMatrix(kIdentity),
      boundingObject(nullptr) {
    this->instanceName = instanceName;
    Place(position, scale);
    // The result is not examined: a missing model leaves an empty volume.
    meshManager->LoadModel(modelFile, this->instanceName, false, glm::mat4(1.0f), 1, 1, 0);
    boundingObject =
        new ReEng::BoundingObjectClass(meshManager->GetVertexList(this->instanceName), modelMatrix, this->instanceName);
    boundingObject->SetModelMatrix(modelMatrix);
}

GameObject::~GameObject() {
    if (boundingObject != nullptr) {
        delete boundingObject;
        boundingObject = nullptr;
    }
    // The model instance stays loaded in the mesh manager; it is just no
    // longer queued.
    instanceName.clear();
}

void GameObject::Draw(ReEng::MeshManagerSingleton* meshManager) {
    // Set before queueing: instance names can repeat over a long run, and the
    // queue keeps the matrix the name holds at this moment.
    meshManager->SetModelMatrix(translationMatrix * scaleMatrix, instanceName, false);
    meshManager->AddInstanceToRenderList(instanceName);
}

void GameObject::UpdateModelMatrix(glm::mat4 matrix) {
    // Plain float equality on all 16 components, so a NaN never matches and
    // an unmoved object spares its volume a placement.
    bool same = true;
    for (int c = 0; c < 4 && same; ++c) {
        for (int r = 0; r < 4; ++r) {
            if (!(matrix[c][r] == modelMatrix[c][r])) {
                same = false;
                break;
            }
        }
    }
    if (same) return;
    modelMatrix = matrix;
    boundingObject->SetModelMatrix(modelMatrix);
}
