#include "engine/scene/BoundingObjectClass.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/scene/MeshManagerSingleton.h"

namespace ReEng {

int BoundingObjectClass::s_live = 0;

namespace {

// Allows for rounding, so that shapes which exactly touch count as colliding.
constexpr float kTolerance = 1e-5f;

struct OrientedBox {
    vector3 centre;
    vector3 axis[3];  // unit length
    float extent[3];  // half extents along the axes
};

// Below this a matrix axis counts as flattened to nothing.
constexpr float kNoLength = 1e-20f;

// The largest axis scale of a matrix.
float MaxScale(const matrix4& m) {
    return std::max({glm::length(vector3(m[0])), glm::length(vector3(m[1])), glm::length(vector3(m[2]))});
}

// The box the matrix makes of a model-space box: for a rotation, scale and
// translation the columns give the world axes and their lengths the scale.
OrientedBox WorldBox(const matrix4& m, const vector3& centre, const vector3& halfWidth) {
    OrientedBox box;
    box.centre = vector3(m * vector4(centre, 1.0f));
    for (int i = 0; i < 3; ++i) {
        const vector3 column(m[i]);
        const float length = glm::length(column);
        if (length > kNoLength) {
            box.axis[i] = column / length;
        } else {
            // Flattened to nothing along this axis; any direction will do.
            box.axis[i] = vector3(0.0f);
            box.axis[i][i] = 1.0f;
        }
        box.extent[i] = halfWidth[i] * length;
    }
    return box;
}

// A volume's world box: a fitted box as placed, or the cube around a world
// sphere (a sphere has no turn of its own, so the cube is axis-aligned).
OrientedBox WorldBox(const BoundingObjectClass& volume) {
    if (!volume.IsSphere())
        return WorldBox(volume.GetModelMatrix(), volume.GetCentreLocal(), volume.GetHalfWidthLocal());
    const float r = volume.GetRadiusGlobal();
    return WorldBox(glm::scale(glm::translate(matrix4(1.0f), volume.GetCentreGlobal()), vector3(r)), vector3(0.0f),
                    vector3(1.0f));
}

// The matrix that draws the -1..1 cube as the box.
matrix4 Placed(const OrientedBox& box) {
    matrix4 m(1.0f);
    for (int i = 0; i < 3; ++i) m[i] = vector4(box.axis[i] * box.extent[i], 0.0f);
    m[3] = vector4(box.centre, 1.0f);
    return m;
}

bool SphereTouchesBox(const vector3& centre, float radius, const OrientedBox& box) {
    // The closest point of the box to the sphere centre, found axis by axis.
    const vector3 d = centre - box.centre;
    vector3 closest = box.centre;
    for (int i = 0; i < 3; ++i) {
        const float t = std::clamp(glm::dot(d, box.axis[i]), -box.extent[i], box.extent[i]);
        closest += t * box.axis[i];
    }
    const vector3 gap = centre - closest;
    const float reach = radius + kTolerance * std::max(1.0f, radius);
    return glm::dot(gap, gap) <= reach * reach;
}

// Separating-axis test: the three axes of each box and their nine cross products.
bool BoxesTouch(const OrientedBox& a, const OrientedBox& b) {
    float r[3][3];
    float absR[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r[i][j] = glm::dot(a.axis[i], b.axis[j]);
            // The epsilon keeps near-parallel edges, whose cross product is
            // almost zero, from reporting a separation that is only noise.
            absR[i][j] = std::fabs(r[i][j]) + 1e-6f;
        }
    }
    const vector3 d = b.centre - a.centre;
    const float t[3] = {glm::dot(d, a.axis[0]), glm::dot(d, a.axis[1]), glm::dot(d, a.axis[2])};

    float scale = 1.0f;
    for (int i = 0; i < 3; ++i) scale = std::max({scale, a.extent[i], b.extent[i]});
    const float slack = kTolerance * scale;
    auto separated = [slack](float distance, float ra, float rb) { return std::fabs(distance) > ra + rb + slack; };

    for (int i = 0; i < 3; ++i) {
        const float ra = a.extent[i];
        const float rb = b.extent[0] * absR[i][0] + b.extent[1] * absR[i][1] + b.extent[2] * absR[i][2];
        if (separated(t[i], ra, rb)) return false;
    }
    for (int j = 0; j < 3; ++j) {
        const float ra = a.extent[0] * absR[0][j] + a.extent[1] * absR[1][j] + a.extent[2] * absR[2][j];
        const float rb = b.extent[j];
        if (separated(t[0] * r[0][j] + t[1] * r[1][j] + t[2] * r[2][j], ra, rb)) return false;
    }
    for (int i = 0; i < 3; ++i) {
        const int i1 = (i + 1) % 3;
        const int i2 = (i + 2) % 3;
        for (int j = 0; j < 3; ++j) {
            const int j1 = (j + 1) % 3;
            const int j2 = (j + 2) % 3;
            // Axis a.axis[i] x b.axis[j], expressed in a's frame.
            const float ra = a.extent[i1] * absR[i2][j] + a.extent[i2] * absR[i1][j];
            const float rb = b.extent[j1] * absR[i][j2] + b.extent[j2] * absR[i][j1];
            const float distance = t[i2] * r[i1][j] - t[i1] * r[i2][j];
            if (separated(distance, ra, rb)) return false;
        }
    }
    return true;
}

}  // namespace

BoundingObjectClass::BoundingObjectClass(std::vector<vector3> vertexList, matrix4 modelMatrix, std::string name)
    : m_name(std::move(name)), m_modelMatrix(modelMatrix) {
    ++s_live;
    if (vertexList.empty()) {
        m_empty = true;
        return;
    }
    vector3 low = vertexList.front();
    vector3 high = vertexList.front();
    for (const vector3& v : vertexList) {
        low = glm::min(low, v);
        high = glm::max(high, v);
    }
    m_centre = (low + high) * 0.5f;
    m_halfWidth = (high - low) * 0.5f;
    m_radius = glm::length(m_halfWidth);
    PlaceSphere();
}

BoundingObjectClass::BoundingObjectClass(vector3 centre, float radius)
    : m_sphere(true), m_centre(centre), m_radius(std::fabs(radius)) {
    ++s_live;
    m_halfWidth = vector3(m_radius);
    PlaceSphere();
}

BoundingObjectClass::~BoundingObjectClass() { --s_live; }

void BoundingObjectClass::SetModelMatrix(matrix4 modelMatrix) {
    m_modelMatrix = modelMatrix;
    if (m_sphere && m_placements == 0) {
        const float scale = MaxScale(modelMatrix);
        // No size yet: the radius counts in model units from here on.
        m_referenceScale = scale > kNoLength ? scale : 1.0f;
    }
    ++m_placements;
    PlaceSphere();
}

void BoundingObjectClass::SetVisible(bool visible) {
    if (!visible) {
        m_visibleBS = m_visibleAABB = m_visibleOBB = false;
    } else if (m_sphere) {
        m_visibleBS = true;
    } else {
        m_visibleOBB = true;
    }
}

void BoundingObjectClass::PlaceSphere() {
    m_centreGlobal = vector3(m_modelMatrix * vector4(m_centre, 1.0f));
    // The largest scale keeps the sphere around the scaled shape.
    m_radiusGlobal = m_radius * (MaxScale(m_modelMatrix) / m_referenceScale);
}

void BoundingObjectClass::AddToRenderList(bool oncePerFrame) {
    MeshManagerSingleton* meshes = MeshManagerSingleton::GetInstance();
    if (!meshes->FirstThisFrame(this) && oncePerFrame) return;
    if (m_empty) return;

    if (m_visibleBS) {
        const matrix4 placed = glm::scale(glm::translate(matrix4(1.0f), GetCentreGlobal()), vector3(GetRadiusGlobal()));
        meshes->AddWireToQueue(RenderQueue::Shape::Sphere, placed, vector3(1.0f, 1.0f, 1.0f));
    }
    if (m_visibleOBB)
        meshes->AddWireToQueue(RenderQueue::Shape::Box, Placed(WorldBox(*this)), vector3(1.0f, 0.0f, 0.0f));
    if (m_visibleAABB) {
        const OrientedBox box = WorldBox(*this);
        vector3 extent(0.0f);
        for (int i = 0; i < 3; ++i) extent += glm::abs(box.axis[i]) * box.extent[i];
        const matrix4 placed = glm::scale(glm::translate(matrix4(1.0f), box.centre), extent);
        meshes->AddWireToQueue(RenderQueue::Shape::Box, placed, vector3(0.0f, 1.0f, 1.0f));
    }
}

bool BoundingObjectClass::IsColliding(BoundingObjectClass& other, bool exact) {
    if (m_empty || other.m_empty) return false;

    const vector3 c1 = GetCentreGlobal();
    const vector3 c2 = other.GetCentreGlobal();
    const float r1 = GetRadiusGlobal();
    const float r2 = other.GetRadiusGlobal();
    const float reach = r1 + r2 + kTolerance * std::max(1.0f, r1 + r2);
    const vector3 d = c2 - c1;
    if (glm::dot(d, d) > reach * reach) return false;
    if (!exact || (m_sphere && other.m_sphere)) return true;

    if (m_sphere) return SphereTouchesBox(c1, r1, WorldBox(other));
    if (other.m_sphere) return SphereTouchesBox(c2, r2, WorldBox(*this));
    return BoxesTouch(WorldBox(*this), WorldBox(other));
}

}  // namespace ReEng
