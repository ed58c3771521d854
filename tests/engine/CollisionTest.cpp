// Bounding volumes: the sphere pre-check and the exact shape tests.
#include <vector>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include "engine/scene/BoundingObjectClass.h"
#include "engine/scene/MeshManagerSingleton.h"
#include "tests/engine/FreshEngine.h"

using namespace ReEng;
using CollisionTest = FreshEngine;

static std::vector<vector3> Cube() { return {vector3(-1.0f), vector3(1.0f)}; }
static matrix4 At(float x, float y) { return glm::translate(matrix4(1.0f), vector3(x, y, 0.0f)); }

// The answer must not depend on which volume asks.
static bool Collide(BoundingObjectClass& a, BoundingObjectClass& b, bool exact = true) {
    const bool ab = a.IsColliding(b, exact);
    EXPECT_EQ(ab, b.IsColliding(a, exact));
    return ab;
}

TEST_F(CollisionTest, CollideWhenTouchingAndNotWhenApart) {
    const matrix4 diamond = glm::rotate(matrix4(1.0f), glm::radians(45.0f), vector3(0, 0, 1)), id(1.0f);
    // An edge along x on its underside, square across diamond's top edge along z.
    const matrix4 ridge = glm::rotate(matrix4(1.0f), glm::radians(45.0f), vector3(1, 0, 0));
    // A unit box placed at `a` against a unit box (radius 0) or a ball at `b`.
    const struct {
        const char* what;
        matrix4 a, b;
        float radius;
        bool hit;
    } cases[] = {
        {"touching faces", id, At(2, 0), 0, true},
        {"just apart", id, At(2.01f, 0), 0, false},
        {"rotated corner", diamond, At(2.05f, 0), 0, true},              // an unrotated box would miss
        {"beyond the slanted face", diamond, At(2.2f, 2.2f), 0, false},  // the spheres overlap
        // Only the cross of the two edges (the y axis) can part these: every face overlaps.
        {"crossed edges apart", diamond, At(0, 2.88f) * ridge, 0, false},
        {"crossed edges touching", diamond, At(0, 2.78f) * ridge, 0, true},
        {"ball off the corner", id, At(1.4f, 1.4f), 0.5f, false},  // near both faces, not the corner
        {"ball on the corner", id, At(1.3f, 1.3f), 0.5f, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BoundingObjectClass a(Cube(), c.a, "a");
        BoundingObjectClass b =
            c.radius > 0 ? BoundingObjectClass(vector3(0.0f), c.radius) : BoundingObjectClass(Cube(), id, "b");
        b.SetModelMatrix(c.b);
        EXPECT_EQ(Collide(a, b), c.hit);
    }
}

TEST_F(CollisionTest, SphereIsSizedByItsFirstPlacementAndAnEmptyVolumeHitsNothing) {
    // Sized in the world when first placed, then scaled relative to that.
    BoundingObjectClass ball(vector3(0.0f), 1.0f), other(vector3(3.5f, 0, 0), 1.0f);
    ball.SetModelMatrix(glm::scale(matrix4(1.0f), vector3(1, 3, 2)));
    EXPECT_FLOAT_EQ(ball.GetRadiusGlobal(), 1.0f);
    EXPECT_FALSE(Collide(ball, other));
    ball.SetModelMatrix(glm::scale(matrix4(1.0f), vector3(3, 9, 6)));  // the largest axis scale, tripled
    EXPECT_FLOAT_EQ(ball.GetRadiusGlobal(), 3.0f);
    EXPECT_TRUE(Collide(ball, other));
    // First placed with no size: the radius is in model units, as for a box.
    BoundingObjectClass unsized(vector3(0.0f), 0.5f);
    unsized.SetModelMatrix(glm::scale(matrix4(1.0f), vector3(0.0f)));
    EXPECT_EQ(unsized.GetRadiusGlobal(), 0.0f);
    unsized.SetModelMatrix(At(1, 1) * glm::scale(matrix4(1.0f), vector3(0.2f)));
    EXPECT_FLOAT_EQ(unsized.GetRadiusGlobal(), 0.1f);
    // Every wireframe of a sphere shows the world sphere that collides.
    MeshManagerSingleton* meshes = engine.MeshManager();
    ball.SetVisibleBS(true);
    ball.SetVisibleOBB(true);
    ball.SetVisibleAABB(true);
    ball.AddToRenderList();
    for (const RenderQueue::Wire& wire : meshes->GetQueue().wires) {
        for (int axis = 0; axis < 3; ++axis) EXPECT_FLOAT_EQ(glm::length(vector3(wire.matrix[axis])), 3.0f);
    }
    EXPECT_EQ(meshes->GetQueue().wires.size(), 3u);
    BoundingObjectClass empty({}, matrix4(1.0f), "nothing"), box(Cube(), matrix4(1.0f), "box");
    EXPECT_FALSE(Collide(empty, box));
    EXPECT_FALSE(Collide(empty, ball, false));
}
