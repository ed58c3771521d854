// tinyobjloader is a header and its implementation: the desktop links
// Debian's library, the browser build compiles it here.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
