#pragma once
// Vertex buffers of one shape: positions, and normals where it is lit; a
// colour per vertex where several shapes of different colours are one mesh.
#include <vector>

#include "engine/core/Definitions.h"
#include "engine/platform/GL.h"

namespace ReEng {

struct GLMesh {
    GLuint positions = 0;
    GLuint normals = 0;  // 0: unlit lines
    GLuint colours = 0;  // 0: drawn in one colour
    GLsizei count = 0;
    vector3 centre{0.0f};  // of its bounding box, for the rim
    vector3 half{0.0f};    // the box's half sizes
};

// Uploads a fixed shape once; normals are kept only if there is one per position.
void Upload(GLMesh& mesh, const std::vector<vector3>& positions, const std::vector<vector3>* normals);
// Refills a buffer that changes (made on first use).
void Fill(GLuint& buffer, const std::vector<vector3>& data);
void Delete(GLMesh& mesh);

}  // namespace ReEng
