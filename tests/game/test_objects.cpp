// GameObject's constructors, placement, drawing and deletion; bullets alone.
#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>
#include <limits>

#include "objects/Bullet.h"
#include "objects/Obstacle.h"
#include "objects/Platform.h"

namespace {

glm::mat4 At(float x, float y) { return glm::translate(glm::mat4(1.0f), glm::vec3(x, y, 0.0f)); }

class ObjectsTest : public ::testing::Test {
protected:
    ReEng::MeshManagerSingleton* mesh = ReEng::MeshManagerSingleton::GetInstance();
    const int liveAtStart = ReEng::BoundingObjectClass::GetLiveCount();
    int Live() const { return ReEng::BoundingObjectClass::GetLiveCount() - liveAtStart; }
    void TearDown() override {
        EXPECT_EQ(Live(), 0);  // every volume made here is freed exactly once
        ReEng::MeshManagerSingleton::ReleaseInstance();
    }
};

}  // namespace

TEST_F(ObjectsTest, EachConstructorGivesItsVolume) {
    GameObject small(glm::vec3(1.0f, 2.0f, 0.0f), glm::vec3(0.2f));
    EXPECT_EQ(small.boundingObject->GetModelMatrix(), At(1.0f, 2.0f) * glm::scale(glm::mat4(1.0f), glm::vec3(0.2f)));
    EXPECT_FLOAT_EQ(small.boundingObject->GetRadiusLocal(), 0.1f);
    GameObject uneven(glm::vec3(0.0f), glm::vec3(1.0f, 3.0f, 2.0f));
    EXPECT_FLOAT_EQ(uneven.boundingObject->GetRadiusLocal(), 1.5f);
    GameObject none;
    EXPECT_EQ(none.scaleMatrix[0][0] + none.scaleMatrix[1][1] + none.scaleMatrix[2][2], 0.0f);
    EXPECT_FLOAT_EQ(none.boundingObject->GetRadiusLocal(), 0.5f);

    // Models are read once however many objects use them.
    Platform platform(mesh, glm::vec3(2.0f, 5.0f, 0.0f), glm::vec3(1.5f), "plat_a");
    Obstacle obstacle(mesh, glm::vec3(0.0f), glm::vec3(1.0f), "obst_a");
    Platform again(mesh, glm::vec3(0.0f), glm::vec3(1.5f), "plat_b");
    EXPECT_EQ(mesh->GetFileReadCount(), 2);
    EXPECT_EQ(platform.boundingObject->GetModelMatrix(), At(2.0f, 5.0f) * glm::scale(glm::mat4(1.0f), glm::vec3(1.5f)));
}

TEST_F(ObjectsTest, VolumeIsPlacedOnlyWhenTheMatrixChanged) {
    GameObject object(glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(0.2f));
    const int placed = object.boundingObject->GetPlacementCount();
    object.UpdateModelMatrix(object.translationMatrix * object.scaleMatrix);
    EXPECT_EQ(object.boundingObject->GetPlacementCount(), placed);
    glm::mat4 moved = object.modelMatrix;
    moved[3][0] = 0.5f;
    object.UpdateModelMatrix(moved);
    object.UpdateModelMatrix(moved);
    EXPECT_EQ(object.boundingObject->GetPlacementCount(), placed + 1);
    EXPECT_EQ(object.boundingObject->GetModelMatrix(), moved);
    moved[1][1] = std::numeric_limits<float>::quiet_NaN();  // never equal to itself
    object.UpdateModelMatrix(moved);
    object.UpdateModelMatrix(moved);
    EXPECT_EQ(object.boundingObject->GetPlacementCount(), placed + 3);
}

TEST_F(ObjectsTest, DrawQueuesTheInstanceAndDeletionKeepsItLoaded) {
    Obstacle* obstacle = new Obstacle(mesh, glm::vec3(3.0f, 4.0f, 0.0f), glm::vec3(1.0f), "obst_d");
    obstacle->Draw(mesh);
    const auto& queued = mesh->GetQueue().instances;
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0].name, "obst_d");
    EXPECT_EQ(queued[0].matrix, At(3.0f, 4.0f));
    EXPECT_TRUE(mesh->GetQueue().wires.empty());
    EXPECT_EQ(Live(), 1);
    delete obstacle;
    EXPECT_EQ(Live(), 0);
    EXPECT_TRUE(mesh->HasInstance("obst_d"));
}

TEST_F(ObjectsTest, AssigningABulletCopiesItsFlightButKeepsItsOwnVolume) {
    Bullet pooled;
    Bullet aimed(glm::vec3(0.0f, 3.0f, 4.0f), glm::vec3(0.2f), At(4.0f, 5.0f));
    EXPECT_FLOAT_EQ(aimed.velocity.y, 6.0f);
    EXPECT_FLOAT_EQ(aimed.velocity.z, 8.0f);
    ReEng::BoundingObjectClass* own = pooled.boundingObject;
    pooled.age = 1.25f;
    pooled = aimed;
    EXPECT_EQ(pooled.translationMatrix, aimed.translationMatrix);
    EXPECT_EQ(pooled.velocity, aimed.velocity);
    EXPECT_TRUE(pooled.active);
    EXPECT_EQ(pooled.boundingObject, own);  // else both would free one volume
    EXPECT_EQ(pooled.age, 1.25f);
}

TEST_F(ObjectsTest, BulletFliesBySecondsExpiresAtItsLifetimeAndDrawsBlack) {
    Bullet bullet;
    bullet.translationMatrix = At(0.0f, 5.0f);
    bullet.velocity = glm::vec3(0.0f, 10.0f, 0.0f);
    bullet.active = true;
    bullet.Update(0.1f);
    EXPECT_EQ(glm::vec3(bullet.translationMatrix[3]), glm::vec3(0.0f, 6.0f, 0.0f));
    EXPECT_EQ(bullet.boundingObject->GetModelMatrix(), bullet.translationMatrix * bullet.scaleMatrix);

    bullet.age = 0.0f;
    int steps = 0;
    for (; bullet.active && steps < 10; ++steps) bullet.Update(0.5f);
    EXPECT_EQ(steps, 6);  // age reaches exactly 3 on the sixth, which still moves
    EXPECT_EQ(bullet.translationMatrix[3][1], 36.0f);

    bullet.Draw(mesh);
    const auto& spheres = mesh->GetQueue().spheres;
    ASSERT_EQ(spheres.size(), 1u);
    EXPECT_EQ(spheres[0].colour, glm::vec3(0.0f));
    EXPECT_TRUE(mesh->GetQueue().wires.empty());  // a pool volume is not shown
}
