#pragma once
// A linked shader program, written once in the common GLSL of
// ShaderDialect and given the current context's dialect.
#include <initializer_list>
#include <utility>

#include "engine/platform/GL.h"

namespace ReEng {

class GLProgram {
public:
    // Attribute names bound to the given locations before linking.
    using Attribute = std::pair<GLuint, const char*>;

    GLProgram() = default;
    ~GLProgram();
    GLProgram(const GLProgram&) = delete;
    GLProgram& operator=(const GLProgram&) = delete;

    // False when it does not compile or link (the reason goes to stderr).
    bool Build(const char* vertexBody, const char* fragmentBody, std::initializer_list<Attribute> attributes);
    GLuint Id() const { return m_id; }
    explicit operator bool() const { return m_id != 0; }
    GLint Uniform(const char* name) const { return glGetUniformLocation(m_id, name); }

private:
    GLuint m_id = 0;
};

}  // namespace ReEng
