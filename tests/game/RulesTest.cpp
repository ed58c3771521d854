// The rules of a frame, run headless through GameManager::UpdateFrame.
#include "tests/game/GameFixture.h"

namespace {
using RulesTest = GameFixture;
using ::testing::IsEmpty;
constexpr float kClearX = 10.0f;  // beside every pattern entry: only the test's objects touch
}  // namespace

TEST_F(RulesTest, TitleAndPausedFramesOnlyShowTextAndFreezePlay) {
    Frame();
    EXPECT_EQ(Text(), Lines{"Press Enter to Start"});
    Start();
    game.state = Paused;
    const glm::mat4 where = game.player->translationMatrix;
    const float cameraHeight = CameraHeight();
    for (int i = 0; i < 5; ++i) Frame(0.5f);
    EXPECT_EQ(game.player->translationMatrix, where);
    EXPECT_EQ(CameraHeight(), cameraHeight);
    EXPECT_EQ(Text(), Lines{"Paused"});
    EXPECT_THAT(mesh->GetQueue().instances, IsEmpty());
    EXPECT_THAT(mesh->GetQueue().spheres, IsEmpty());
}

TEST_F(RulesTest, ObstacleContactsCountOnlyInTheOwnSectionAndWhileActive) {
    Player& player = Start();
    Place(player, kClearX, 5.0f);
    Add<Obstacle>(1, kClearX, 5.0f);  // filed under the section above
    Frame(0.0f);
    EXPECT_EQ(game.state, Playing);
    level->RemoveSection(1);
    Add<Obstacle>(0, kClearX, 5.0f)->active = false;
    player.Shoot(glm::vec3(1.0f, 0.0f, 0.0f));
    Frame(0.0f);
    EXPECT_EQ(game.state, Playing);
    EXPECT_TRUE(player.bullets[0].active);  // an inactive obstacle takes no bullet
    Add<Obstacle>(0, kClearX, 5.0f);
    Frame(0.0f);
    EXPECT_EQ(game.state, GameOver);
}

TEST_F(RulesTest, OneBulletTakesEveryActiveObstacleItOverlaps) {
    Player& player = Start();
    Obstacle* first = Add<Obstacle>(0, -8.0f, 5.0f);
    Obstacle* second = Add<Obstacle>(0, -8.1f, 5.0f);
    Bullet& bullet = player.bullets[0];
    bullet.translationMatrix[3] = glm::vec4(-8.05f, 5.0f, 0.0f, 1.0f);
    bullet.velocity = glm::vec3(0.0f);
    bullet.active = true;
    bullet.age = 0.0f;
    Frame(0.01f);
    EXPECT_EQ(game.score, 100);
    EXPECT_FALSE(first->active);
    EXPECT_FALSE(second->active);
    EXPECT_FALSE(bullet.active);
}

TEST_F(RulesTest, RisingPassesUpThroughAPlatformAndBounceWithObstacleEndsTheGame) {
    Player& player = Start();
    const Platform* platform = Add<Platform>(0, kClearX, 5.0f);  // its top face at 5
    Place(player, kClearX, 4.9f);
    player.airborne = player.rising = true;
    player.velocity = glm::vec3(0.0f, 0.05f, 0.0f);
    Frame();
    ASSERT_TRUE(player.boundingObject->IsColliding(*platform->boundingObject, true));  // inside it, rising
    EXPECT_FLOAT_EQ(player.velocity.y, 0.05f - 0.008f);                                // gravity only, no bounce
    EXPECT_TRUE(player.rising);
    Place(player, kClearX, 5.0f, true);
    Add<Obstacle>(0, kClearX, 5.0f);
    game.score = 150, game.maxHeight = 0.0f;
    Frame();
    EXPECT_EQ(player.velocity.y, player.jumpSpeed);
    EXPECT_TRUE(player.rising);
    EXPECT_EQ(game.state, GameOver);
    EXPECT_EQ(Text(), (Lines{"Game Over", "Score: 199"}));  // 150 + 10 per unit up to 4.99
    EXPECT_TRUE(mesh->GetQueue().instances.empty());
}

TEST_F(RulesTest, FallingBehindEndsTheGameOnlyPastElevenUnits) {
    Player& player = Start();
    const struct {
        float player, camera;
        GameState state;
    } rows[] = {{1.0f, 12.0f, Playing}, {1.0f, 12.001f, GameOver}, {-25.0f, 0.0f, GameOver}};  // -25: below section 0
    for (const auto& row : rows) {
        game.state = Playing;
        Place(player, kClearX, row.player);  // hovering: it stays put
        SetCameraHeight(row.camera);
        Frame(0.0f);
        EXPECT_EQ(game.state, row.state) << row.player << " below " << row.camera;
    }
}

TEST_F(RulesTest, CameraRisesToThePlayerElseClimbsAtItsOwnSpeed) {
    Player& player = Start();      // one section built: the camera's speed is 1.01 units a second
    Place(player, kClearX, 3.0f);  // hovering: it stays put
    Frame(0.5f);
    EXPECT_FLOAT_EQ(CameraHeight(), 3.0f);  // all the way up to the player in one frame
    SetCameraHeight(5.0f);
    Frame(0.5f);
    EXPECT_FLOAT_EQ(CameraHeight(), 5.0f + 1.01f * 0.5f);
}

TEST_F(RulesTest, SectionsStreamInAndOutAsTheCameraClimbs) {
    Player& player = Start();
    for (float height : {10.0f, 10.5f, 30.5f}) {  // exactly 10 triggers nothing
        Place(player, kClearX, height - 5.0f);
        SetCameraHeight(height);
        Frame(0.0f);
        EXPECT_EQ(level->sectionCount, height == 10.0f ? 1u : height == 10.5f ? 2u : 3u);
        if (height == 10.5f) {
            EXPECT_EQ(level->GetPlatforms(0).size(), 11u);  // the first trigger removes nothing
        }
    }
    EXPECT_TRUE(level->GetPlatforms(0).empty());
    // Right after the removal, falling in section 0 where its platforms were: nothing freed is touched.
    Place(player, 0.0f, 19.5f, true);
    SetCameraHeight(30.0f);
    Frame(0.0f);
    EXPECT_EQ(game.state, Playing);
    EXPECT_LT(player.velocity.y, 0.0f);
    Place(player, kClearX, 45.5f);
    SetCameraHeight(50.5f);
    Frame(0.0f);
    EXPECT_EQ(level->sectionCount, 4u);
    EXPECT_THAT(level->GetPlatforms(1), IsEmpty());
    EXPECT_THAT(level->GetObstacles(1), IsEmpty());
    EXPECT_EQ(level->platforms.size(), level->GetPlatforms(2).size() + level->GetPlatforms(3).size());
    EXPECT_EQ(level->obstacles.size(), level->GetObstacles(2).size() + level->GetObstacles(3).size());
}

// Platforms are 3 units apart and a bounce climbs 2.4: landing from any
// phase of the fall must still reach the next one up, or the course cannot be
// climbed. High up too, where float heights are coarser.
TEST_F(RulesTest, EveryLandingReachesAPlatformThreeUnitsHigher) {
    Player& player = Start();
    level->sectionCount = 1000;  // no streaming: only the test's platforms
    for (const int section : {0, 500}) {
        const float base = 20.0f * static_cast<float>(section);
        Add<Platform>(section, kClearX, base + 4.0f);
        Add<Platform>(section, kClearX, base + 7.0f);
        // Phase 0 starts just clear of the lower top, so it lands a whole step deep: the lowest bounce.
        for (int phase = 0; phase < 20; ++phase) {
            Place(player, kClearX, base + 4.1001f + 0.0105f * static_cast<float>(phase), true);
            player.velocity.y = -0.2f;  // the settled fall speed
            int bounces = 0;
            for (int frame = 0; frame < 200 && bounces < 2; ++frame) {
                const bool wasRising = player.rising;
                SetCameraHeight(player.translationMatrix[3].y);
                Frame(0.0f);
                bounces += !wasRising && player.rising;
            }
            ASSERT_EQ(bounces, 2) << "section " << section << ", phase " << phase;
            EXPECT_GT(player.translationMatrix[3].y, base + 6.0f) << "section " << section << ", phase " << phase;
        }
    }
}
