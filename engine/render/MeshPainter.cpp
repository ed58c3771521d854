#include "engine/render/MeshPainter.h"

#include <glm/gtc/matrix_inverse.hpp>
#include <glm/gtc/type_ptr.hpp>

namespace ReEng {

namespace {

const char* const kLitVertex = R"(
IN vec3 a_position;
IN vec3 a_normal;
IN vec3 a_colour;
uniform mat4 u_mvp;
uniform mat3 u_normalMatrix;
OUT vec3 v_normal;
OUT vec3 v_colour;
void main() {
    v_normal = u_normalMatrix * a_normal;
    v_colour = a_colour;
    gl_Position = u_mvp * vec4(a_position, 1.0);
}
)";

const char* const kLitFragment = R"(
uniform vec3 u_lightDir;
VARYING vec3 v_normal;
VARYING vec3 v_colour;
void main() {
    float len = length(v_normal);
    // A degenerate normal is shown flat rather than black.
    float diffuse = len > 1e-6 ? max(dot(v_normal / len, u_lightDir), 0.0) : 1.0;
    FRAG_COLOUR = vec4(v_colour * (0.4 + 0.6 * diffuse), 1.0);
}
)";

// Lines and rims: one colour, nothing to light. In Mesa's software
// rasterizer a 1-pixel line shades whole 4x4 blocks along its length, so the
// grid costs as much as a large filled area and a lean shader pays off.
const char* const kFlatVertex = R"(
IN vec3 a_position;
IN vec3 a_colour;
uniform mat4 u_mvp;
OUT vec3 v_colour;
void main() {
    v_colour = a_colour;
    gl_Position = u_mvp * vec4(a_position, 1.0);
}
)";

const char* const kFlatFragment = R"(
VARYING vec3 v_colour;
void main() {
    FRAG_COLOUR = vec4(v_colour, 1.0);
}
)";

}  // namespace

bool MeshPainter::Build() {
    if (m_lit.Build(kLitVertex, kLitFragment,
                    {{kPositionAttrib, "a_position"}, {kNormalAttrib, "a_normal"}, {kColourAttrib, "a_colour"}})) {
        m_litMvp = m_lit.Uniform("u_mvp");
        m_normalMatrix = m_lit.Uniform("u_normalMatrix");
        m_lightDir = m_lit.Uniform("u_lightDir");
    }
    if (m_flat.Build(kFlatVertex, kFlatFragment, {{kPositionAttrib, "a_position"}, {kColourAttrib, "a_colour"}}))
        m_flatMvp = m_flat.Uniform("u_mvp");
    return IsReady();
}

void MeshPainter::Use(GLuint program) {
    if (program != m_current) glUseProgram(program);
    m_current = program;
}

void MeshPainter::Begin(const vector3& lightDirection) {
    m_current = 0;  // another pass may have changed it since the last frame
    Use(m_lit.Id());
    glUniform3f(m_lightDir, lightDirection.x, lightDirection.y, lightDirection.z);
    glEnableVertexAttribArray(kPositionAttrib);
}

void MeshPainter::End() {
    glDisableVertexAttribArray(kColourAttrib);
    glDisableVertexAttribArray(kNormalAttrib);
    glDisableVertexAttribArray(kPositionAttrib);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
    m_current = 0;
}

void MeshPainter::Draw(const GLMesh& mesh, GLenum mode, const matrix4& viewProjection, const matrix4& model,
                       const vector3& colour, bool lit) {
    if (mesh.count == 0) return;
    const matrix4 mvp = viewProjection * model;
    const bool shaded = lit && mesh.normals != 0;
    Use(shaded ? m_lit.Id() : m_flat.Id());
    glUniformMatrix4fv(shaded ? m_litMvp : m_flatMvp, 1, GL_FALSE, glm::value_ptr(mvp));
    // A mesh of several shapes carries a colour per vertex; any other is one
    // colour, given as the attribute's constant value.
    if (mesh.colours != 0) {
        glEnableVertexAttribArray(kColourAttrib);
        glBindBuffer(GL_ARRAY_BUFFER, mesh.colours);
        glVertexAttribPointer(kColourAttrib, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    } else {
        glDisableVertexAttribArray(kColourAttrib);
        glVertexAttrib3f(kColourAttrib, colour.r, colour.g, colour.b);
    }
    glBindBuffer(GL_ARRAY_BUFFER, mesh.positions);
    glVertexAttribPointer(kPositionAttrib, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    if (shaded) {
        const glm::mat3 normalMatrix = glm::inverseTranspose(glm::mat3(model));
        glUniformMatrix3fv(m_normalMatrix, 1, GL_FALSE, glm::value_ptr(normalMatrix));
        glEnableVertexAttribArray(kNormalAttrib);
        glBindBuffer(GL_ARRAY_BUFFER, mesh.normals);
        glVertexAttribPointer(kNormalAttrib, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    } else {
        glDisableVertexAttribArray(kNormalAttrib);
    }
    glDrawArrays(mode, 0, mesh.count);
    ++m_draws;
}

}  // namespace ReEng
