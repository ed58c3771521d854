// Bounding volumes: the sphere pre-check, the exact shape tests and the
// wireframes a volume queues.
#include <cmath>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "engine/BoundingObjectClass.h"
#include "engine/MeshManagerSingleton.h"

using namespace ReEng;

namespace {

std::vector<vector3> CubeVertices(float half = 1.0f) {
    return {vector3(-half, -half, -half), vector3(half, -half, half), vector3(half, half, half),
            vector3(-half, half, -half)};
}

matrix4 At(float x, float y, float z = 0.0f) { return glm::translate(matrix4(1.0f), vector3(x, y, z)); }

// Symmetric: a collision test must not depend on which volume asks.
bool Collide(BoundingObjectClass& a, BoundingObjectClass& b, bool exact = true) {
    const bool ab = a.IsColliding(b, exact);
    const bool ba = b.IsColliding(a, exact);
    EXPECT_EQ(ab, ba);
    return ab;
}

vector3 Apply(const matrix4& m, vector3 p) { return vector3(m * vector4(p, 1.0f)); }

class Volumes : public ::testing::Test {
protected:
    void TearDown() override { MeshManagerSingleton::ReleaseInstance(); }
};

}  // namespace

TEST_F(Volumes, BoxIsFittedToTheVertices) {
    BoundingObjectClass box({vector3(1, 0, 0), vector3(5, 2, 1), vector3(3, 1, 0.5f)}, matrix4(1.0f), "slab");
    EXPECT_FALSE(box.IsEmpty());
    EXPECT_FALSE(box.IsSphere());
    EXPECT_EQ(box.GetCentreLocal(), vector3(3, 1, 0.5f));
    EXPECT_EQ(box.GetHalfWidthLocal(), vector3(2, 1, 0.5f));
    EXPECT_FLOAT_EQ(box.GetRadiusLocal(), std::sqrt(4.0f + 1.0f + 0.25f));
    EXPECT_EQ(box.GetName(), "slab");
}

TEST_F(Volumes, WorldSphereFollowsTheWholeMatrix) {
    BoundingObjectClass box(CubeVertices(), matrix4(1.0f), "box");
    box.SetModelMatrix(glm::scale(At(4, 5, 6), vector3(1, 3, 2)));
    EXPECT_EQ(box.GetCentreGlobal(), vector3(4, 5, 6));
    // The largest axis scale, so the sphere still holds the stretched box.
    EXPECT_FLOAT_EQ(box.GetRadiusGlobal(), 3.0f * std::sqrt(3.0f));
    EXPECT_EQ(box.GetPlacementCount(), 1);
}

TEST_F(Volumes, TouchingBoxesCollideAndSeparatedOnesDoNot) {
    BoundingObjectClass a(CubeVertices(), matrix4(1.0f), "a");
    BoundingObjectClass b(CubeVertices(), At(2, 0), "b");
    EXPECT_TRUE(Collide(a, b));

    b.SetModelMatrix(At(2.01f, 0));
    EXPECT_FALSE(Collide(a, b));

    // Corner to corner still touches.
    b.SetModelMatrix(At(2, 2, 2));
    EXPECT_TRUE(Collide(a, b));
    b.SetModelMatrix(At(2, 2.02f, 2));
    EXPECT_FALSE(Collide(a, b));
}

TEST_F(Volumes, RotatedBoxUsesItsOwnAxes) {
    const matrix4 turned = glm::rotate(matrix4(1.0f), glm::radians(45.0f), vector3(0, 0, 1));
    BoundingObjectClass diamond(CubeVertices(), turned, "diamond");
    BoundingObjectClass other(CubeVertices(), At(2.05f, 0), "other");

    // The diamond's corner reaches x = 1.414: an unrotated box would miss it.
    EXPECT_TRUE(Collide(diamond, other));

    // Inside the diamond's axis-aligned bounds, but beyond its slanted face.
    other.SetModelMatrix(At(2.2f, 2.2f));
    EXPECT_FALSE(Collide(diamond, other));
    EXPECT_TRUE(Collide(diamond, other, false));
}

TEST_F(Volumes, BoxesTiltedAgainstEachOtherNeedTheEdgeAxes) {
    // Two long bars crossing at right angles in different z, both tilted:
    // face axes alone cannot separate them, an edge cross product does.
    const matrix4 barA = glm::rotate(At(0, 0, 0), glm::radians(45.0f), vector3(1, 0, 0));
    const matrix4 barB = glm::rotate(At(0, 0, 1.6f), glm::radians(45.0f), vector3(0, 1, 0));
    BoundingObjectClass a({vector3(-3, -0.5f, -0.5f), vector3(3, 0.5f, 0.5f)}, barA, "a");
    BoundingObjectClass b({vector3(-0.5f, -3, -0.5f), vector3(0.5f, 3, 0.5f)}, barB, "b");
    EXPECT_FALSE(Collide(a, b));
    b.SetModelMatrix(glm::rotate(At(0, 0, 1.3f), glm::radians(45.0f), vector3(0, 1, 0)));
    EXPECT_TRUE(Collide(a, b));
}

TEST_F(Volumes, SphereNearABoxCornerIsTestedAgainstTheRoundedCorner) {
    BoundingObjectClass box(CubeVertices(), matrix4(1.0f), "box");
    BoundingObjectClass ball(vector3(0.0f), 0.5f);

    // Within half a radius of both faces, but 0.566 from the corner.
    ball.SetModelMatrix(At(1.4f, 1.4f));
    EXPECT_FALSE(Collide(box, ball));
    EXPECT_TRUE(Collide(box, ball, false));

    ball.SetModelMatrix(At(1.3f, 1.3f));
    EXPECT_TRUE(Collide(box, ball));

    // Resting on a face.
    ball.SetModelMatrix(At(0, 1.5f));
    EXPECT_TRUE(Collide(box, ball));
    ball.SetModelMatrix(At(0, 1.52f));
    EXPECT_FALSE(Collide(box, ball));
}

TEST_F(Volumes, SpheresTouchAtTheSumOfTheirRadii) {
    BoundingObjectClass a(vector3(0.0f), 1.0f);
    BoundingObjectClass b(vector3(2, 0, 0), 1.0f);
    EXPECT_TRUE(Collide(a, b));
    b.SetModelMatrix(At(0.01f, 0));
    EXPECT_FALSE(Collide(a, b));
}

TEST_F(Volumes, ScaleGrowsWhatCollides) {
    BoundingObjectClass ball(vector3(0.0f), 1.0f);
    BoundingObjectClass other(vector3(3.5f, 0, 0), 1.0f);
    EXPECT_FALSE(Collide(ball, other));
    ball.SetModelMatrix(glm::scale(matrix4(1.0f), vector3(3.0f)));
    EXPECT_FLOAT_EQ(ball.GetRadiusGlobal(), 3.0f);
    EXPECT_TRUE(Collide(ball, other));

    // A stretched box reaches along the stretched axis only.
    BoundingObjectClass box(CubeVertices(), matrix4(1.0f), "box");
    BoundingObjectClass near(CubeVertices(), At(3.9f, 0), "near");
    EXPECT_FALSE(Collide(box, near));
    box.SetModelMatrix(glm::scale(matrix4(1.0f), vector3(3, 1, 1)));
    EXPECT_TRUE(Collide(box, near));
    near.SetModelMatrix(At(0, 2.1f));
    EXPECT_FALSE(Collide(box, near));
}

TEST_F(Volumes, EmptyVolumeCollidesWithNothing) {
    BoundingObjectClass empty({}, matrix4(1.0f), "nothing");
    BoundingObjectClass box(CubeVertices(), matrix4(1.0f), "box");
    BoundingObjectClass ball(vector3(0.0f), 5.0f);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_FALSE(Collide(empty, box));
    EXPECT_FALSE(Collide(empty, ball, false));
    EXPECT_FALSE(empty.IsColliding(empty));
}

TEST_F(Volumes, LiveCountFollowsConstructionAndDestruction) {
    const int before = BoundingObjectClass::GetLiveCount();
    {
        BoundingObjectClass a(CubeVertices(), matrix4(1.0f), "a");
        BoundingObjectClass b(vector3(0.0f), 1.0f);
        EXPECT_EQ(BoundingObjectClass::GetLiveCount(), before + 2);
    }
    EXPECT_EQ(BoundingObjectClass::GetLiveCount(), before);
}

TEST_F(Volumes, NothingIsQueuedUntilMadeVisible) {
    MeshManagerSingleton* meshes = MeshManagerSingleton::GetInstance();
    BoundingObjectClass box(CubeVertices(), matrix4(1.0f), "box");
    box.AddToRenderList();
    EXPECT_TRUE(meshes->GetQueue().wires.empty());

    box.SetVisible(true);
    EXPECT_TRUE(box.GetVisibleOBB());
    EXPECT_FALSE(box.GetVisibleBS());
    box.SetVisible(false);
    box.AddToRenderList();
    EXPECT_TRUE(meshes->GetQueue().wires.empty());
}

TEST_F(Volumes, WireframesMatchTheShapesThatCollide) {
    MeshManagerSingleton* meshes = MeshManagerSingleton::GetInstance();
    const matrix4 placed = glm::rotate(glm::scale(At(10, 0), vector3(2.0f)), glm::radians(45.0f), vector3(0, 0, 1));
    BoundingObjectClass box({vector3(1, 0, 0), vector3(5, 2, 1)}, placed, "slab");
    box.SetVisible(true);
    box.AddToRenderList();
    ASSERT_EQ(meshes->GetQueue().wires.size(), 1u);
    const RenderQueue::Wire& obb = meshes->GetQueue().wires[0];
    EXPECT_EQ(obb.shape, RenderQueue::Shape::Box);
    // The unit cube's corners land on the placed box's corners.
    const vector3 expected = Apply(placed, vector3(5, 2, 1));
    const vector3 got = Apply(obb.matrix, vector3(1, 1, 1));
    EXPECT_NEAR(glm::distance(got, expected), 0.0f, 1e-4f);

    BoundingObjectClass ball(vector3(1, 0, 0), 0.5f);
    ball.SetModelMatrix(glm::scale(At(0, 3), vector3(4.0f)));
    ball.SetVisible(true);
    ball.AddToRenderList();
    ASSERT_EQ(meshes->GetQueue().wires.size(), 2u);
    const RenderQueue::Wire& bs = meshes->GetQueue().wires[1];
    EXPECT_EQ(bs.shape, RenderQueue::Shape::Sphere);
    // Unit sphere: its surface point along x sits one world radius from the centre.
    const vector3 surface = Apply(bs.matrix, vector3(1, 0, 0));
    EXPECT_NEAR(glm::distance(surface, vector3(4, 3, 0)), 2.0f, 1e-4f);
}

TEST_F(Volumes, AxisAlignedBoxEnclosesTheTurnedBox) {
    MeshManagerSingleton* meshes = MeshManagerSingleton::GetInstance();
    BoundingObjectClass box(CubeVertices(), glm::rotate(At(3, 0), glm::radians(45.0f), vector3(0, 0, 1)), "box");
    box.SetVisibleAABB(true);
    box.AddToRenderList();
    ASSERT_EQ(meshes->GetQueue().wires.size(), 1u);
    const vector3 corner = Apply(meshes->GetQueue().wires[0].matrix, vector3(1, 1, 1));
    EXPECT_NEAR(corner.x, 3.0f + std::sqrt(2.0f), 1e-4f);
    EXPECT_NEAR(corner.y, std::sqrt(2.0f), 1e-4f);
    EXPECT_NEAR(corner.z, 1.0f, 1e-4f);
}

TEST_F(Volumes, OncePerFrameQueuesAVolumeOnceUntilTheNextRender) {
    MeshManagerSingleton* meshes = MeshManagerSingleton::GetInstance();
    BoundingObjectClass ball(vector3(0.0f), 1.0f);
    ball.SetVisible(true);
    ball.AddToRenderList(true);
    ball.AddToRenderList(true);
    EXPECT_EQ(meshes->GetQueue().wires.size(), 1u);
    // Without the flag a caller may draw it again on purpose.
    ball.AddToRenderList(false);
    EXPECT_EQ(meshes->GetQueue().wires.size(), 2u);

    meshes->Render();
    ball.AddToRenderList(true);
    EXPECT_EQ(meshes->GetQueue().wires.size(), 1u);
}
