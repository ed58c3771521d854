#pragma once
// Shaders are written once, in a common subset of GLSL, and given the
// prefix of the dialect the context speaks:
// GLSL 1.20 for a desktop compatibility context, 3.30 for a core one, and
// GLSL ES 3.00 for OpenGL ES 3.0 and WebGL2. In the body write
//   IN / OUT        a vertex shader's attributes and what it passes on
//   VARYING         a fragment shader's input from the vertex shader
//   FRAG_COLOUR     the fragment's colour
//   TEXTURE         a 2D texture lookup
#include <string>

namespace ReEng {

enum class ShaderStage { Vertex, Fragment };

enum class ShaderDialect { Glsl120, Glsl330, GlslEs300 };

// The dialect of the current context (ES builds always speak GLSL ES 3.00).
ShaderDialect CurrentShaderDialect();

// The body with its dialect's prefix.
std::string ShaderSource(ShaderDialect dialect, ShaderStage stage, const char* body);

}  // namespace ReEng
