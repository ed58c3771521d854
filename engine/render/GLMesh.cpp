#include "engine/render/GLMesh.h"

namespace ReEng {

void Upload(GLMesh& mesh, const std::vector<vector3>& positions, const std::vector<vector3>* normals) {
    mesh.count = static_cast<GLsizei>(positions.size());
    if (positions.empty()) return;
    vector3 low = positions.front(), high = positions.front();
    for (const vector3& p : positions) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    mesh.centre = (low + high) * 0.5f;
    mesh.half = (high - low) * 0.5f;
    glGenBuffers(1, &mesh.positions);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.positions);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(positions.size() * sizeof(vector3)), positions.data(),
                 GL_STATIC_DRAW);
    if (normals != nullptr && normals->size() == positions.size()) {
        glGenBuffers(1, &mesh.normals);
        glBindBuffer(GL_ARRAY_BUFFER, mesh.normals);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(normals->size() * sizeof(vector3)), normals->data(),
                     GL_STATIC_DRAW);
    }
}

void Fill(GLuint& buffer, const std::vector<vector3>& data) {
    if (buffer == 0) glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(vector3)), data.data(), GL_DYNAMIC_DRAW);
}

void Delete(GLMesh& mesh) {
    if (mesh.positions != 0) glDeleteBuffers(1, &mesh.positions);
    if (mesh.normals != 0) glDeleteBuffers(1, &mesh.normals);
    if (mesh.colours != 0) glDeleteBuffers(1, &mesh.colours);
    mesh = GLMesh();
}

}  // namespace ReEng
