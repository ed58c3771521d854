#pragma once
// A bounding volume: a box fitted to a model's vertices (with a sphere
// around it), or a plain sphere, placed in the world by a model matrix.
//
// A fitted box is in model space and takes the whole matrix, as the model
// it was fitted to is drawn with it. A sphere has no model: its radius is the
// world size of the object when the volume is first placed, and later
// placements move it and scale it relative to that first scale. A sphere
// first placed at zero scale (an object with no size yet) counts its radius
// in model units, so it takes the scale in full. Either way the wireframe
// shows exactly what collides.
#include <string>
#include <vector>

#include "engine/core/Definitions.h"

namespace ReEng {

class BoundingObjectClass {
public:
    // A box around the vertices, in model space; none for an empty list.
    BoundingObjectClass(std::vector<vector3> vertexList, matrix4 modelMatrix, std::string name);
    // A sphere: the centre in model space, the radius as described above.
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
    // The shape as constructed.
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
    vector3 m_centre = vector3(0.0f);  // model space
    float m_radius = 0.0f;             // around the box for a box volume
    // A sphere's radius is m_radius at this matrix scale (set by the first placement).
    float m_referenceScale = 1.0f;
    vector3 m_halfWidth = vector3(0.0f);  // box half extents, model space
    matrix4 m_modelMatrix = matrix4(1.0f);
    // The world sphere, kept with the matrix: a volume is placed once a frame
    // but tested many times (every bullet against every obstacle).
    vector3 m_centreGlobal = vector3(0.0f);
    float m_radiusGlobal = 0.0f;
    bool m_visibleBS = false;
    bool m_visibleAABB = false;
    bool m_visibleOBB = false;
    int m_placements = 0;
};

}  // namespace ReEng
