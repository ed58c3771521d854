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

std::vector<vector3> Cube(float half = 1.0f) { return {vector3(-half), vector3(half)}; }

matrix4 At(float x, float y, float z = 0.0f) { return glm::translate(matrix4(1.0f), vector3(x, y, z)); }

// A collision test must not depend on which volume asks.
bool Collide(BoundingObjectClass& a, BoundingObjectClass& b, bool exact = true) {
    const bool ab = a.IsColliding(b, exact);
    EXPECT_EQ(ab, b.IsColliding(a, exact));
    return ab;
}

vector3 Apply(const matrix4& m, vector3 p) { return vector3(m * vector4(p, 1.0f)); }

class Volumes : public ::testing::Test {
protected:
    void TearDown() override { MeshManagerSingleton::ReleaseInstance(); }
};

}  // namespace

TEST_F(Volumes, BoxesAndSpheresCollideWhenTouchingAndNotWhenApart) {
    const matrix4 diamond = glm::rotate(matrix4(1.0f), glm::radians(45.0f), vector3(0, 0, 1));
    const matrix4 wide = glm::scale(matrix4(1.0f), vector3(3, 1, 1));
    // A unit box placed at `a` against a unit box (radius 0) or a ball placed at `b`.
    const struct {
        const char* what;
        matrix4 a, b;
        float radius;
        bool exact, hit;
    } cases[] = {
        {"touching faces", matrix4(1.0f), At(2, 0), 0, true, true},
        {"just apart", matrix4(1.0f), At(2.01f, 0), 0, true, false},
        {"corner to corner", matrix4(1.0f), At(2, 2, 2), 0, true, true},
        // An unrotated box would miss the diamond's corner at x = 1.414.
        {"rotated corner", diamond, At(2.05f, 0), 0, true, true},
        {"beyond the slanted face", diamond, At(2.2f, 2.2f), 0, true, false},
        {"only the spheres overlap", diamond, At(2.2f, 2.2f), 0, false, true},
        {"scaled box reaches", wide, At(3.9f, 0), 0, true, true},
        {"scaled box, other axis", wide, At(0, 2.1f), 0, true, false},
        // Within a radius of both faces, but 0.566 from the corner.
        {"ball off the corner", matrix4(1.0f), At(1.4f, 1.4f), 0.5f, true, false},
        {"ball off the corner, spheres", matrix4(1.0f), At(1.4f, 1.4f), 0.5f, false, true},
        {"ball on the corner", matrix4(1.0f), At(1.3f, 1.3f), 0.5f, true, true},
        {"ball above a face", matrix4(1.0f), At(0, 1.52f), 0.5f, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BoundingObjectClass a(Cube(), c.a, "a");
        BoundingObjectClass b = c.radius > 0 ? BoundingObjectClass(vector3(0.0f), c.radius)
                                             : BoundingObjectClass(Cube(), matrix4(1.0f), "b");
        b.SetModelMatrix(c.b);
        EXPECT_EQ(Collide(a, b, c.exact), c.hit);
    }
}

TEST_F(Volumes, TouchingAtAnAngleStillCounts) {
    // Contact computed through sines and cosines is off by rounding either
    // way; it must not flicker between touching and apart.
    for (float degrees : {10.0f, 30.0f, 37.0f, 60.0f, 71.0f}) {
        SCOPED_TRACE(degrees);
        const float angle = glm::radians(degrees);
        const vector3 along(std::cos(angle), std::sin(angle), 0.0f);
        const matrix4 turn = glm::rotate(matrix4(1.0f), angle, vector3(0, 0, 1));
        BoundingObjectClass a(Cube(0.7f), turn, "a");
        BoundingObjectClass b(Cube(0.7f), glm::translate(matrix4(1.0f), 1.4f * along) * turn, "b");
        EXPECT_TRUE(Collide(a, b));
        BoundingObjectClass ballA(vector3(0.0f), 0.7f);
        BoundingObjectClass ballB(1.4f * along, 0.7f);
        EXPECT_TRUE(Collide(ballA, ballB));
    }
}

TEST_F(Volumes, CrossedBarsAreSeparatedByAnEdgeAxis) {
    // Face axes cannot separate these two tilted bars; only their edges' cross product can.
    const matrix4 tiltX = glm::rotate(matrix4(1.0f), glm::radians(45.0f), vector3(1, 0, 0));
    const matrix4 tiltY = glm::rotate(matrix4(1.0f), glm::radians(45.0f), vector3(0, 1, 0));
    BoundingObjectClass a({vector3(-3, -0.5f, -0.5f), vector3(3, 0.5f, 0.5f)}, tiltX, "a");
    BoundingObjectClass b({vector3(-0.5f, -3, -0.5f), vector3(0.5f, 3, 0.5f)}, At(0, 0, 1.6f) * tiltY, "b");
    EXPECT_FALSE(Collide(a, b));
    b.SetModelMatrix(At(0, 0, 1.3f) * tiltY);
    EXPECT_TRUE(Collide(a, b));
}

TEST_F(Volumes, ScaleGrowsTheSphereAndAnEmptyVolumeHitsNothing) {
    BoundingObjectClass ball(vector3(0.0f), 1.0f);
    BoundingObjectClass other(vector3(3.5f, 0, 0), 1.0f);
    EXPECT_FALSE(Collide(ball, other));
    // The largest axis scale, so the sphere still holds a stretched shape.
    ball.SetModelMatrix(glm::scale(matrix4(1.0f), vector3(1, 3, 2)));
    EXPECT_FLOAT_EQ(ball.GetRadiusGlobal(), 3.0f);
    EXPECT_TRUE(Collide(ball, other));

    BoundingObjectClass empty({}, matrix4(1.0f), "nothing");
    BoundingObjectClass box(Cube(), matrix4(1.0f), "box");
    EXPECT_FALSE(Collide(empty, box));
    EXPECT_FALSE(Collide(empty, ball, false));
}

TEST_F(Volumes, WireframesMatchTheShapesThatCollide) {
    MeshManagerSingleton* meshes = MeshManagerSingleton::GetInstance();
    const matrix4 placed = glm::rotate(glm::scale(At(10, 0), vector3(2.0f)), glm::radians(45.0f), vector3(0, 0, 1));
    BoundingObjectClass box({vector3(1, 0, 0), vector3(5, 2, 1)}, placed, "slab");
    box.AddToRenderList();
    EXPECT_TRUE(meshes->GetQueue().wires.empty());  // nothing visible by default
    box.SetVisible(true);
    box.AddToRenderList();
    ASSERT_EQ(meshes->GetQueue().wires.size(), 1u);
    const RenderQueue::Wire& obb = meshes->GetQueue().wires[0];
    EXPECT_EQ(obb.shape, RenderQueue::Shape::Box);
    // The unit cube's corner lands on the placed box's corner.
    EXPECT_NEAR(glm::distance(Apply(obb.matrix, vector3(1)), Apply(placed, vector3(5, 2, 1))), 0.0f, 1e-4f);
}

TEST_F(Volumes, OncePerFrameQueuesAVolumeOnceUntilTheNextRender) {
    MeshManagerSingleton* meshes = MeshManagerSingleton::GetInstance();
    BoundingObjectClass ball(vector3(0.0f), 1.0f);
    ball.SetVisible(true);
    ball.AddToRenderList(true);
    ball.AddToRenderList(true);
    EXPECT_EQ(meshes->GetQueue().wires.size(), 1u);
    meshes->Render();
    ball.AddToRenderList(true);
    EXPECT_EQ(meshes->GetQueue().wires.size(), 1u);
}
