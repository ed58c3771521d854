#include "engine/render/MeshPainter.h"

#include <glm/gtc/matrix_inverse.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <string>

namespace ReEng {

namespace {

// Each vertex is placed by one of the draw's placements, chosen by its slot:
// slot 0 for a mesh drawn as it stands, further slots for the copies of a
// shape that moves each frame (the spheres), so one draw serves them all.
const char* const kLitVertex = R"(
IN vec3 a_position;
IN vec3 a_normal;
IN vec3 a_colour;
IN float a_slot;
uniform mat4 u_mvp[SLOTS];
uniform mat3 u_normalMatrix[SLOTS];
OUT vec3 v_normal;
OUT vec3 v_colour;
void main() {
    int slot = int(a_slot + 0.5);
    v_normal = u_normalMatrix[slot] * a_normal;
    v_colour = a_colour;
    gl_Position = u_mvp[slot] * vec4(a_position, 1.0);
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
IN float a_slot;
uniform mat4 u_mvp[SLOTS];
OUT vec3 v_colour;
void main() {
    v_colour = a_colour;
    gl_Position = u_mvp[int(a_slot + 0.5)] * vec4(a_position, 1.0);
}
)";

const char* const kFlatFragment = R"(
VARYING vec3 v_colour;
void main() {
    FRAG_COLOUR = vec4(v_colour, 1.0);
}
)";

std::string WithSlots(const char* body) { return "#define SLOTS " + std::to_string(MeshPainter::kSlots) + "\n" + body; }

}  // namespace

bool MeshPainter::Build() {
    if (m_lit.Build(WithSlots(kLitVertex).c_str(), kLitFragment,
                    {{kPositionAttrib, "a_position"},
                     {kNormalAttrib, "a_normal"},
                     {kColourAttrib, "a_colour"},
                     {kSlotAttrib, "a_slot"}})) {
        m_litMvp = m_lit.Uniform("u_mvp");
        m_normalMatrix = m_lit.Uniform("u_normalMatrix");
        m_lightDir = m_lit.Uniform("u_lightDir");
    }
    if (m_flat.Build(WithSlots(kFlatVertex).c_str(), kFlatFragment,
                     {{kPositionAttrib, "a_position"}, {kColourAttrib, "a_colour"}, {kSlotAttrib, "a_slot"}}))
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
    glDisableVertexAttribArray(kSlotAttrib);
    glDisableVertexAttribArray(kColourAttrib);
    glDisableVertexAttribArray(kNormalAttrib);
    glDisableVertexAttribArray(kPositionAttrib);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
    m_current = 0;
}

void MeshPainter::Draw(const GLMesh& mesh, GLenum mode, const matrix4& viewProjection, const matrix4& model,
                       const vector3& colour, bool lit) {
    const matrix4 mvp = viewProjection * model;
    const glm::mat3 normalMatrix = glm::inverseTranspose(glm::mat3(model));
    Draw(mesh, mode, Placements{&mvp, &normalMatrix, 1}, colour, lit);
}

void MeshPainter::Draw(const GLMesh& mesh, GLenum mode, const Placements& placements, const vector3& colour, bool lit) {
    if (mesh.count == 0 || placements.count < 1) return;
    const bool shaded = lit && mesh.normals != 0;
    const GLsizei count = std::min(placements.count, kSlots);
    Use(shaded ? m_lit.Id() : m_flat.Id());
    glUniformMatrix4fv(shaded ? m_litMvp : m_flatMvp, count, GL_FALSE, glm::value_ptr(placements.mvp[0]));
    // A mesh of several shapes carries a colour per vertex; any other is one
    // colour, given as the attribute's constant value. Likewise the slot.
    Attribute(kColourAttrib, mesh.colours, 3);
    if (mesh.colours == 0) glVertexAttrib3f(kColourAttrib, colour.r, colour.g, colour.b);
    Attribute(kSlotAttrib, mesh.slots, 1);
    if (mesh.slots == 0) glVertexAttrib1f(kSlotAttrib, 0.0f);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.positions);
    glVertexAttribPointer(kPositionAttrib, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    if (shaded) glUniformMatrix3fv(m_normalMatrix, count, GL_FALSE, glm::value_ptr(placements.normal[0]));
    Attribute(kNormalAttrib, shaded ? mesh.normals : 0, 3);
    glDrawArrays(mode, 0, mesh.count);
    ++m_draws;
}

void MeshPainter::Attribute(GLuint attribute, GLuint buffer, GLint size) {
    if (buffer == 0) {
        glDisableVertexAttribArray(attribute);
        return;
    }
    glEnableVertexAttribArray(attribute);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(attribute, size, GL_FLOAT, GL_FALSE, 0, nullptr);
}

}  // namespace ReEng
