// The player's motion, steering, shooting and drawing.
#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>
#include <limits>

#include "objects/Player.h"

namespace {

class PlayerTest : public ::testing::Test {
protected:
    ReEng::MeshManagerSingleton* mesh = ReEng::MeshManagerSingleton::GetInstance();
    const int liveAtStart = ReEng::BoundingObjectClass::GetLiveCount();
    Player* player = new Player(glm::vec3(0.0f, 0.3f, 0.0f), 0.2f);

    void TearDown() override {
        delete player;
        EXPECT_EQ(ReEng::BoundingObjectClass::GetLiveCount(), liveAtStart);
        ReEng::MeshManagerSingleton::ReleaseInstance();
    }
    float Height() const { return player->translationMatrix[3][1]; }
    int Flying() const {
        int count = 0;
        for (const Bullet& bullet : player->bullets) count += bullet.active;
        return count;
    }
};

}  // namespace

TEST_F(PlayerTest, HoversUntilLaunchedThenClimbsAndFallsUnderGravity) {
    // The player's volume and one per slot; the pool's templates are gone.
    EXPECT_EQ(ReEng::BoundingObjectClass::GetLiveCount(), liveAtStart + 11);
    EXPECT_EQ(player->bullets[9].translationMatrix, player->translationMatrix);
    for (int frame = 0; frame < 1000; ++frame) player->Update(1.0f / 60.0f);
    EXPECT_EQ(Height(), 0.3f);

    player->velocity.y = player->jumpSpeed;  // a jump
    player->airborne = player->rising = true;
    player->Update(0.0f);
    EXPECT_EQ(player->velocity.y, 0.192f);
    for (int step = 2; step <= 24; ++step) player->Update(0.0f);
    EXPECT_TRUE(player->rising);
    EXPECT_GE(player->velocity.y, 0.0f);
    EXPECT_NEAR(Height() - 0.3f, 2.4f, 1e-4f);
    player->Update(0.0f);
    EXPECT_LT(player->velocity.y, 0.0f);
    EXPECT_FALSE(player->rising);

    for (int step = 0; step < 100; ++step) player->Update(0.0f);
    EXPECT_LE(player->velocity.y, -0.2f);
    EXPECT_GT(player->velocity.y, -0.2f - 0.008f);
    const float settled = player->velocity.y;
    player->Update(0.0f);
    EXPECT_EQ(player->velocity.y, settled);
    EXPECT_EQ(player->boundingObject->GetModelMatrix(),
              player->translationMatrix * player->scaleMatrix);
}

TEST_F(PlayerTest, DecelerateStepsTowardsRestInsideADeadBand) {
    const float cases[][2] = {{0.005f, 0.0f}, {0.05f, 0.043f}, {-0.05f, -0.043f}};
    for (const auto& c : cases) {
        player->velocity.x = c[0];
        player->Decelerate();
        EXPECT_NEAR(player->velocity.x, c[1], 1e-7f) << c[0];
    }
    player->velocity.x = 0.1f;
    for (int frame = 0; frame < 13; ++frame) player->Decelerate();
    EXPECT_GT(player->velocity.x, 0.0f);
    player->Decelerate();
    EXPECT_EQ(player->velocity.x, 0.0f);
}

TEST_F(PlayerTest, ShotsTakeTheFirstFreeSlotAtTheBulletSpeed) {
    player->translationMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(2.0f, 7.0f, 0.0f));
    player->Shoot(glm::vec3(3.0f, 4.0f, 0.0f));
    EXPECT_FLOAT_EQ(player->bullets[0].velocity.x, 6.0f);
    EXPECT_FLOAT_EQ(player->bullets[0].velocity.y, 8.0f);
    EXPECT_EQ(player->bullets[0].translationMatrix, player->translationMatrix);
    EXPECT_FALSE(player->canShoot);

    player->Update(2.0f);
    player->Shoot(glm::vec3(0.0f, 1e-30f, 0.0f));  // short, but a direction
    EXPECT_FLOAT_EQ(player->bullets[1].velocity.y, 10.0f);
    player->Update(1.0f);  // slot 0 reaches its lifetime, slot 1 does not
    EXPECT_EQ(Flying(), 1);
    player->Shoot(glm::vec3(-1.0f, 0.0f, 0.0f));
    EXPECT_TRUE(player->bullets[0].active);
    EXPECT_EQ(player->bullets[0].age, 0.0f);
    EXPECT_EQ(player->bullets[0].velocity, glm::vec3(-10.0f, 0.0f, 0.0f));
}

TEST_F(PlayerTest, ShotsThatCannotFireStillStartTheCooldown) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float huge = std::numeric_limits<float>::max();
    for (glm::vec3 aim : {glm::vec3(0.0f), glm::vec3(nan, 1.0f, 0.0f), glm::vec3(huge, huge, 0.0f),
                          glm::vec3(1e-45f, 0.0f, 0.0f)}) {
        player->canShoot = true;
        player->shotTimer = 0.25f;
        player->Shoot(aim);
        EXPECT_EQ(Flying(), 0) << aim.x;
        EXPECT_FALSE(player->canShoot);
        EXPECT_EQ(player->shotTimer, 0.0f);
    }
    for (int shot = 0; shot < 10; ++shot) player->Shoot(glm::vec3(1.0f, 0.0f, 0.0f));
    player->canShoot = true;
    player->shotTimer = 0.25f;
    player->Shoot(glm::vec3(0.0f, 1.0f, 0.0f));  // full pool
    EXPECT_FALSE(player->canShoot);
    EXPECT_EQ(player->shotTimer, 0.0f);
    for (const Bullet& bullet : player->bullets) EXPECT_EQ(bullet.velocity.y, 0.0f);

    for (int step = 1; step <= 4; ++step) player->Update(0.125f);
    EXPECT_EQ(player->shotTimer, 0.5f);
    EXPECT_FALSE(player->canShoot);
    player->Update(0.125f);
    EXPECT_TRUE(player->canShoot);
    player->Update(0.125f);
    EXPECT_EQ(player->shotTimer, 0.5f);  // a ready timer stands still
}

TEST_F(PlayerTest, DrawQueuesTheWhiteSphereItsWireOnceAndOnlyFlyingBullets) {
    player->Shoot(glm::vec3(1.0f, 0.0f, 0.0f));
    player->Shoot(glm::vec3(0.0f, 1.0f, 0.0f));
    const glm::mat4 idle = player->bullets[2].translationMatrix;
    player->Update(0.1f);
    player->bullets[0].active = false;  // as after a hit
    player->Draw(mesh);

    const auto& queue = mesh->GetQueue();
    ASSERT_EQ(queue.spheres.size(), 2u);
    EXPECT_EQ(queue.spheres[0].matrix,
              player->translationMatrix * glm::scale(glm::mat4(1.0f), glm::vec3(0.4f)));
    EXPECT_EQ(queue.spheres[0].colour, glm::vec3(1.0f));
    const Bullet& flying = player->bullets[1];
    EXPECT_EQ(queue.spheres[1].matrix, flying.translationMatrix * flying.scaleMatrix);
    EXPECT_EQ(queue.spheres[1].colour, glm::vec3(0.0f));
    EXPECT_NEAR(flying.translationMatrix[3][1], 1.3f, 1e-6f);
    EXPECT_EQ(player->bullets[2].translationMatrix, idle);  // free slots stand still
    ASSERT_EQ(queue.wires.size(), 1u);
    EXPECT_EQ(queue.wires[0].shape, ReEng::RenderQueue::Shape::Sphere);
    EXPECT_TRUE(queue.instances.empty());
}
