#pragma once
// Draws meshes with the two programs every 3D pass shares: lit triangles,
// and flat lines and shapes (rims, wires, the grid) in one colour.
#include <utility>

#include "engine/core/Definitions.h"
#include "engine/render/GLMesh.h"
#include "engine/render/GLProgram.h"

namespace ReEng {

class MeshPainter {
public:
    // Generic 0 must be an enabled array in a compatibility context.
    static constexpr GLuint kPositionAttrib = 0;
    static constexpr GLuint kNormalAttrib = 1;
    static constexpr GLuint kColourAttrib = 2;

    // False without both programs (the reason is on stderr).
    bool Build();
    bool IsReady() const { return m_lit && m_flat; }

    // Around a frame's drawing: the light, the position array on; then all
    // arrays off and no program in use.
    void Begin(const vector3& lightDirection);
    void End();

    // The mesh placed by `model`, lit if asked and it has normals, in
    // `colour` unless it has colours of its own.
    void Draw(const GLMesh& mesh, GLenum mode, const matrix4& viewProjection, const matrix4& model,
              const vector3& colour, bool lit);

    // Draw calls made since the last look (a browser pays for each).
    unsigned TakeDraws() { return std::exchange(m_draws, 0u); }

private:
    void Use(GLuint program);

    GLProgram m_lit;
    GLint m_litMvp = -1, m_normalMatrix = -1, m_lightDir = -1;
    GLProgram m_flat;  // lines and anything without normals
    GLint m_flatMvp = -1;
    GLuint m_current = 0;  // the program in use, to switch only when needed
    unsigned m_draws = 0;
};

}  // namespace ReEng
