#pragma once
// Types and enumerations shared by the whole engine and the game.
#include <glm/glm.hpp>

namespace ReEng {

using vector3 = glm::vec3;
using vector4 = glm::vec4;
using matrix4 = glm::mat4;

// Result of an engine call that can fail.
enum REERRORS {
    RE_NO_ERROR = 0,
    RE_ERROR_FILE_MISSING,
    RE_ERROR_FILE,
    RE_ERROR_NAME,
    RE_ERROR_CONTEXT,
};

// How the current camera projects the world.
enum CAMERAMODE {
    CAMPERSP = 0,   // perspective
    CAMROTHOX = 1,  // orthographic, looking along -x
    CAMROTHOY = 2,  // orthographic, looking along -y
    CAMROTHOZ = 3,  // orthographic, looking along -z: the game's view
};

}  // namespace ReEng
