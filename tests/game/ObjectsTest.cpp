// Scene objects, the player and its bullets, and the level's sections.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>
#include <string>
#include <vector>
#include "level/LevelManager.h"
#include "objects/Player.h"
#include "tests/engine/FreshEngine.h"

namespace {

using ::testing::IsEmpty;

glm::mat4 At(float x, float y) { return glm::translate(glm::mat4(1.0f), glm::vec3(x, y, 0.0f)); }
glm::vec3 Where(const GameObject* object) { return glm::vec3(object->translationMatrix[3]); }

class ObjectsTest : public FreshEngine {
protected:
    ReEng::MeshManagerSingleton* mesh = engine.MeshManager();
    const int liveAtStart = ReEng::BoundingObjectClass::GetLiveCount();
    LevelManager* level = LevelManager::GetInstance();
    int Live() const { return ReEng::BoundingObjectClass::GetLiveCount() - liveAtStart; }
    void SetUp() override { level->meshManager = mesh; }
    void TearDown() override {
        LevelManager::ReleaseInstance();
        EXPECT_EQ(Live(), 0);  // every volume made here is freed exactly once
    }
};

class PlayerTest : public ObjectsTest {
protected:
    Player* player = new Player(glm::vec3(0.0f, 0.3f, 0.0f), 0.2f);
    void TearDown() override {
        delete player;
        ObjectsTest::TearDown();
    }
};

}  // namespace

TEST_F(ObjectsTest, BulletFliesBySecondsAndExpiresAtItsLifetime) {
    Bullet bullet(glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(0.2f), At(0.0f, 5.0f));
    bullet.Update(0.1f);
    EXPECT_EQ(Where(&bullet), glm::vec3(0.0f, 6.0f, 0.0f));
    bullet.age = 0.0f;
    int steps = 0;
    for (; bullet.active && steps < 10; ++steps) bullet.Update(0.5f);
    EXPECT_EQ(steps, 6);  // the sixth still moves
    EXPECT_EQ(bullet.translationMatrix[3][1], 36.0f);
}

TEST_F(PlayerTest, HoversUntilLaunchedThenClimbsAndFalls) {
    for (int frame = 0; frame < 1000; ++frame) player->Update(1.0f / 60.0f);
    EXPECT_EQ(player->translationMatrix[3][1], 0.3f);
    player->velocity.y = player->jumpSpeed;
    player->airborne = player->rising = true;
    player->Update(0.0f);
    EXPECT_EQ(player->velocity.y, 0.192f);
    for (int step = 2; step <= 24; ++step) player->Update(0.0f);
    EXPECT_TRUE(player->rising);
    EXPECT_NEAR(player->translationMatrix[3][1] - 0.3f, 2.4f, 1e-4f);
    player->Update(0.0f);
    EXPECT_LT(player->velocity.y, 0.0f);
    EXPECT_FALSE(player->rising);
    for (int step = 0; step < 100; ++step) player->Update(0.0f);
    EXPECT_LE(player->velocity.y, -0.2f);
    EXPECT_GT(player->velocity.y, -0.2f - 0.008f);
}

TEST_F(PlayerTest, ShotsTakeTheFirstFreeSlotAndAlwaysStartTheCooldown) {
    player->Shoot(glm::vec3(0.0f));
    EXPECT_FALSE(player->bullets[0].active);
    EXPECT_FALSE(player->canShoot);
    player->Shoot(glm::vec3(3.0f, 4.0f, 0.0f));
    player->Shoot(glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(player->bullets[0].velocity, glm::vec3(6.0f, 8.0f, 0.0f));
    player->bullets[0].active = false;  // as after a hit
    player->Shoot(glm::vec3(-1.0f, 0.0f, 0.0f));
    EXPECT_EQ(player->bullets[0].velocity, glm::vec3(-10.0f, 0.0f, 0.0f));
    EXPECT_FALSE(player->bullets[2].active);
    for (int shot = 0; shot < 8; ++shot) player->Shoot(glm::vec3(1.0f, 0.0f, 0.0f));
    player->canShoot = true;
    player->Shoot(glm::vec3(0.0f, -1.0f, 0.0f));  // full pool
    EXPECT_FALSE(player->canShoot);
    int steps = 0;
    for (; !player->canShoot && steps < 10; ++steps) player->Update(0.125f);
    EXPECT_EQ(steps, 5);
    player->bullets[3].active = false;  // drawn: the ball, one wire and only the flying bullets
    player->Draw(mesh);
    EXPECT_EQ(mesh->GetQueue().wires.size(), 1u);
    EXPECT_EQ(mesh->GetQueue().spheres.size(), 1u + std::size(player->bullets) - 1u);
}

TEST_F(ObjectsTest, PatternsBuildTheirEntriesInAnySection) {
    const struct {
        int pattern, section;
        std::size_t platforms;
    } cases[] = {{0, 0, 11}, {1, 1, 11}, {2, 3, 9}, {3, 4, 11}, {-1, 5, 11}};
    for (const auto& c : cases) {
        level->GenerateSection(c.pattern, c.section);
        EXPECT_EQ(level->GetPlatforms(c.section).size(), c.platforms) << c.pattern;
        EXPECT_EQ(level->GetObstacles(c.section).size(), 4u) << c.pattern;
    }
    for (int s : {4, 5})  // unknown patterns build pattern 0, each section 20 units above the last
        EXPECT_EQ(Where(level->GetObstacles(s)[1]), glm::vec3(-1.0f, 20.0f * s + 6.0f, 0.0f));
    EXPECT_EQ(level->GetObstacles(3)[2]->instanceName, "obst_39");  // named by section and entry
}

TEST_F(ObjectsTest, RemovalGenerationTwiceAndReleaseOwnEachObjectOnce) {
    level->GenerateSection(0, 0);
    level->GenerateSection(1, 1);
    level->RemoveSection(0);
    for (int s : {0, -1, 2}) {
        EXPECT_THAT(level->GetPlatforms(s), IsEmpty()) << s;
        EXPECT_THAT(level->GetObstacles(s), IsEmpty()) << s;
    }
    EXPECT_EQ(Live(), 15);
    level->GenerateSection(0, 2);
    level->GenerateSection(2, 2);  // both builds are owned, each once
    level->RemoveSection(2);
    EXPECT_EQ(Live(), 15);
    level->obstacles[3]->active = false;  // shot, but still owned: TearDown checks release frees it
}

TEST_F(ObjectsTest, DrawingSkipsShotObstaclesAndRepeatedNamesKeepTheirPlaces) {
    // plat_111 is entry 11 of section 1 and entry 1 of section 11.
    level->GenerateSection(0, 1);
    level->GenerateSection(0, 11);
    level->obstacles[1]->active = false;
    level->DrawPlatforms(mesh);
    level->DrawObstacles(mesh);
    const auto& queued = mesh->GetQueue().instances;
    ASSERT_EQ(queued.size(), 22u + 7u);
    std::vector<float> heights;
    for (const auto& instance : queued)
        if (instance.name == "plat_111") heights.push_back(instance.matrix[3][1]);
    EXPECT_EQ(heights, (std::vector<float>{35.0f, 223.0f}));
    EXPECT_EQ(queued[23].name, "obst_110");  // obst_15 was shot
}

TEST_F(ObjectsTest, StreamingAThousandSectionsReadsEachModelOnce) {
    for (int step = 0; step < 1000; ++step) {
        if (level->sectionCount > 1) level->RemoveSection(int(level->sectionCount) - 2);
        level->GenerateSection(step % 3, int(level->sectionCount));  // as the frame rules stream
    }
    EXPECT_EQ(mesh->GetFileReadCount(), 2);
}
