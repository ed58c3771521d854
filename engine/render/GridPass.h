#pragma once
// The queue's grids: lines in one or more of the axis planes, enough of them
// to cover the view, following the eye in whole cells.
#include <vector>

#include "engine/render/GLMesh.h"
#include "engine/render/MeshPainter.h"
#include "engine/render/RenderQueue.h"

namespace ReEng {

class GridPass {
public:
    GridPass();
    ~GridPass();
    GridPass(const GridPass&) = delete;
    GridPass& operator=(const GridPass&) = delete;

    void Draw(MeshPainter& painter, const RenderQueue::Grid& grid, const vector3& eye, const matrix4& viewProjection);

private:
    // Built around the origin once per cell size, per plane.
    struct Cache {
        GLMesh mesh;
        float size = 0.0f;
        int half = 0;
    };
    Cache m_cache[3];
    std::vector<vector3> m_lines;  // reserved once
};

}  // namespace ReEng
