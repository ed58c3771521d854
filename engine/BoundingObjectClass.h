#pragma once
// A bounding volume: a box fitted to a model's vertices (with a sphere
// around it), or a plain sphere. It is placed in the world by a whole model
// matrix, scale included, so what collides is what its wireframe shows.
#include <string>
#include <vector>

#include "engine/Definitions.h"

namespace ReEng {

class BoundingObjectClass {
public:
    // A box around the vertices, in model space; none for an empty list.
    BoundingObjectClass(std::vector<vector3> vertexList, matrix4 modelMatrix, std::string name);
    // A sphere in model space.
    BoundingObjectClass(vector3 centre, float radius);
    ~BoundingObjectClass();
    BoundingObjectClass(const BoundingObjectClass&) = delete;
    BoundingObjectClass& operator=(const BoundingObjectClass&) = delete;

    void SetModelMatrix(matrix4 modelMatrix);
    matrix4 GetModelMatrix() const { return m_modelMatrix; }

    // Shows the shape that collides: the box of a fitted volume, the sphere
    // of a sphere volume.
    void SetVisible(bool visible);
    void SetVisibleBS(bool visible) { m_visibleBS = visible; }
    void SetVisibleAABB(bool visible) { m_visibleAABB = visible; }
    void SetVisibleOBB(bool visible) { m_visibleOBB = visible; }
    bool GetVisibleBS() const { return m_visibleBS; }
    bool GetVisibleAABB() const { return m_visibleAABB; }
    bool GetVisibleOBB() const { return m_visibleOBB; }

    // Queues wireframes of the visible shapes. With oncePerFrame, a volume
    // already queued since the last render is not queued again.
    void AddToRenderList(bool oncePerFrame = false);

    // exact false: world spheres only; true: spheres first, then the shapes.
    bool IsColliding(BoundingObjectClass& other, bool exact = true);

    bool IsEmpty() const { return m_empty; }
    bool IsSphere() const { return m_sphere; }
    const std::string& GetName() const { return m_name; }
    // Model-space shape.
    vector3 GetCentreLocal() const { return m_centre; }
    float GetRadiusLocal() const { return m_radius; }
    vector3 GetHalfWidthLocal() const { return m_halfWidth; }
    // World-space sphere, from the current model matrix.
    vector3 GetCentreGlobal() const { return m_centreGlobal; }
    float GetRadiusGlobal() const { return m_radiusGlobal; }
    // How many times the volume has been placed (SetModelMatrix calls).
    int GetPlacementCount() const { return m_placements; }
    // Volumes alive right now, for leak and ownership checks.
    static int GetLiveCount() { return s_live; }

private:
    static int s_live;

    void PlaceSphere();

    std::string m_name;
    bool m_sphere = false;
    bool m_empty = false;
    vector3 m_centre = vector3(0.0f);     // model space
    float m_radius = 0.0f;                // model space, around the box for a box volume
    vector3 m_halfWidth = vector3(0.0f);  // box half extents, model space
    matrix4 m_modelMatrix = matrix4(1.0f);
    // The world sphere, kept with the matrix: a volume is placed once a frame
    // but tested many times (every bullet against every obstacle).
    vector3 m_centreGlobal = vector3(0.0f);
    float m_radiusGlobal = 0.0f;
    bool m_visibleBS = false;
    bool m_visibleAABB = false;
    bool m_visibleOBB = false;
    unsigned m_queuedFrame = ~0u;
    int m_placements = 0;
};

}  // namespace ReEng
