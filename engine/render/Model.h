#pragma once
// Geometry of one model file, read once and shared by all its instances.
#include <string>
#include <vector>

#include "engine/core/Definitions.h"

namespace ReEng {

class Model {
public:
    std::string path;                // the path as the game gave it
    std::vector<vector3> positions;  // triangle list, three per triangle
    std::vector<vector3> normals;    // one per position
    std::vector<vector3> vertices;   // distinct vertex positions, for bounding volumes
    bool loaded = false;             // false: unreadable or not a model; no geometry
    bool missing = false;            // the file could not be opened at all (vs. bad content)

    // Larger coordinates are refused: bounding volumes and the view are
    // computed in float, and past this they lose all precision or overflow.
    static constexpr float kMaxCoordinate = 1.0e6f;

    // A face has at most this many corners: the game's models have three,
    // and a bigger polygon costs the square of its corners to triangulate.
    static constexpr int kMaxFaceCorners = 64;

    // The game's models are a few KB; a file past this is not one of them.
    static constexpr std::size_t kMaxBytes = 16 * 1024 * 1024;

    // Reads an OBJ file: a regular file of at most kMaxBytes. On failure sets error to one line naming the file.
    bool LoadObj(const std::string& file, std::string& error);
    // Same from text in memory; used by tests and by the file loader.
    bool LoadObjText(const std::string& text, const std::string& name, std::string& error);

private:
    void Reset();  // no geometry, as after a failure
};

}  // namespace ReEng
