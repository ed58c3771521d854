#include "engine/render/GridPass.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/render/RenderShapes.h"

namespace ReEng {

namespace {

// Lines of a grid per direction at most, so a tiny cell size stays cheap.
constexpr int kMaxGridLines = 401;

// Orientation bit, first axis, second axis, normal axis.
const int kPlanes[3][4] = {{1, 0, 1, 2}, {2, 0, 2, 1}, {4, 1, 2, 0}};

}  // namespace

GridPass::GridPass() { m_lines.reserve(kMaxGridLines * 4); }

GridPass::~GridPass() {
    for (Cache& cache : m_cache) Delete(cache.mesh);
}

void GridPass::Draw(MeshPainter& painter, const RenderQueue::Grid& g, const vector3& eye,
                    const matrix4& viewProjection) {
    if (!(g.size > 0.0f) || !std::isfinite(g.size)) return;
    for (int p = 0; p < 3; ++p) {
        const int* plane = kPlanes[p];
        if ((g.orientation & plane[0]) == 0) continue;
        const int u = plane[1], v = plane[2], w = plane[3];
        // Enough lines to cover the view: the orthographic views span
        // about 30 units, a perspective view more as the eye moves away.
        const float extent = 40.0f + 2.0f * std::fabs(eye[w]);
        const int half = std::min(kMaxGridLines / 2, static_cast<int>(std::ceil(extent / g.size)));
        const float reach = static_cast<float>(half) * g.size;
        // Moved with the eye in whole cells: the lines fall where they always did.
        Cache& cache = m_cache[p];
        if (cache.size != g.size || cache.half != half) {
            cache.size = g.size;
            cache.half = half;
            m_lines.clear();
            for (int i = -half; i <= half; ++i) {
                const float offset = static_cast<float>(i) * g.size;
                vector3 a(0.0f), b(0.0f);
                a[u] = b[u] = offset;
                a[v] = -reach;
                b[v] = reach;
                m_lines.push_back(a);
                m_lines.push_back(b);
                a[v] = b[v] = offset;
                a[u] = -reach;
                b[u] = reach;
                m_lines.push_back(a);
                m_lines.push_back(b);
            }
            Fill(cache.mesh.positions, m_lines);
            cache.mesh.count = static_cast<GLsizei>(m_lines.size());
        }
        vector3 centre(0.0f);
        centre[u] = std::round(eye[u] / g.size) * g.size;
        centre[v] = std::round(eye[v] / g.size) * g.size;
        painter.Draw(cache.mesh, GL_LINES, viewProjection, glm::translate(matrix4(1.0f), centre), OrDefault(g.colour),
                     false);
    }
}

}  // namespace ReEng
