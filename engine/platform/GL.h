#pragma once
// The one place that picks the GL headers: OpenGL ES 3.0 (WebGL2 in a
// browser) where the build asks for it, else libepoxy, which finds the
// desktop's entry points at run time. Include it before anything that could
// pull in the system's own GL headers.
#if defined(__EMSCRIPTEN__) || defined(VAULTRIX_GLES3)
#define VAULTRIX_GL_ES 1
#include <GLES3/gl3.h>
#else
#include <epoxy/gl.h>
#endif
