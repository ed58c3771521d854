#include "engine/platform/GL.h"

#include "engine/render/ShaderDialect.h"

#include <cstring>

namespace ReEng {

namespace {

const char* const kPrefix120Vertex = "#version 120\n#define IN attribute\n#define OUT varying\n";
const char* const kPrefix120Fragment =
    "#version 120\n#define VARYING varying\n#define FRAG_COLOUR gl_FragColor\n#define TEXTURE texture2D\n";
const char* const kPrefix330Vertex = "#version 330\n#define IN in\n#define OUT out\n";
const char* const kPrefix330Fragment =
    "#version 330\n#define VARYING in\nout vec4 fragColour;\n#define FRAG_COLOUR fragColour\n#define TEXTURE texture\n";
const char* const kPrefixEsVertex = "#version 300 es\nprecision highp float;\n#define IN in\n#define OUT out\n";
const char* const kPrefixEsFragment =
    "#version 300 es\nprecision highp float;\n#define VARYING in\nout vec4 fragColour;\n"
    "#define FRAG_COLOUR fragColour\n#define TEXTURE texture\n";

}  // namespace

ShaderDialect CurrentShaderDialect() {
#ifdef VAULTRIX_GL_ES
    return ShaderDialect::GlslEs300;
#else
    // A core profile has no GLSL 1.20; a compatibility one keeps it, and the
    // older dialect is the one every desktop driver has.
    GLint mask = 0;
    if (epoxy_gl_version() >= 32) glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &mask);
    return (mask & GL_CONTEXT_CORE_PROFILE_BIT) != 0 ? ShaderDialect::Glsl330 : ShaderDialect::Glsl120;
#endif
}

std::string ShaderSource(ShaderDialect dialect, ShaderStage stage, const char* body) {
    const bool vertex = stage == ShaderStage::Vertex;
    const char* prefix = nullptr;
    switch (dialect) {
        case ShaderDialect::Glsl120:
            prefix = vertex ? kPrefix120Vertex : kPrefix120Fragment;
            break;
        case ShaderDialect::Glsl330:
            prefix = vertex ? kPrefix330Vertex : kPrefix330Fragment;
            break;
        case ShaderDialect::GlslEs300:
            prefix = vertex ? kPrefixEsVertex : kPrefixEsFragment;
            break;
    }
    return std::string(prefix) + body;
}

}  // namespace ReEng
