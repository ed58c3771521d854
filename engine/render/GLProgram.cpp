#include "engine/render/GLProgram.h"

#include <string>

#include "engine/core/ErrorLine.h"
#include "engine/render/ShaderDialect.h"

namespace ReEng {

namespace {

// A driver's log may run to many lines; an error is one.
std::string FirstLine(const char* log) {
    const std::string text(log);
    return text.substr(0, text.find('\n'));
}

GLuint Compile(GLenum type, const std::string& source) {
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[512] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        ReportError(std::string("a shader does not compile: ") + FirstLine(log));
    }
    return shader;
}

}  // namespace

GLProgram::~GLProgram() {
    if (m_id != 0) glDeleteProgram(m_id);
}

bool GLProgram::Build(const char* vertexBody, const char* fragmentBody, std::initializer_list<Attribute> attributes) {
    const ShaderDialect dialect = CurrentShaderDialect();
    const GLuint vs = Compile(GL_VERTEX_SHADER, ShaderSource(dialect, ShaderStage::Vertex, vertexBody));
    const GLuint fs = Compile(GL_FRAGMENT_SHADER, ShaderSource(dialect, ShaderStage::Fragment, fragmentBody));
    m_id = glCreateProgram();
    glAttachShader(m_id, vs);
    glAttachShader(m_id, fs);
    for (const Attribute& attribute : attributes) glBindAttribLocation(m_id, attribute.first, attribute.second);
    glLinkProgram(m_id);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = GL_FALSE;
    glGetProgramiv(m_id, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        char log[512] = {};
        glGetProgramInfoLog(m_id, sizeof log, nullptr, log);
        ReportError(std::string("a shader program does not link: ") + FirstLine(log));
        glDeleteProgram(m_id);
        m_id = 0;
    }
    return m_id != 0;
}

}  // namespace ReEng
