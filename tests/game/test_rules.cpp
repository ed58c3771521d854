// The rules of a frame, run headless through GameManager::UpdateFrame.
#include "tests/game/GameFixture.h"

namespace {

// Far to the side of every pattern entry, so only the test's own objects touch.
constexpr float kClearX = 10.0f;

}  // namespace

TEST_F(GameFixture, OnlyAPlayingFrameMovesAndDrawsTheCourse)
{
    Frame();
    EXPECT_EQ(Lines(), std::vector<std::string>{"Press Enter to Start"});
    EXPECT_TRUE(mesh->GetQueue().instances.empty() && mesh->GetQueue().spheres.empty());

    SetCameraHeight(42.0f);
    Start();
    EXPECT_EQ(game.player->translationMatrix[3], glm::vec4(0.0f, 0.3f, 0.0f, 1.0f));
    EXPECT_EQ(CameraHeight(), 0.0f);
    level->obstacles[0]->active = false;
    Frame(0.0f);
    EXPECT_EQ(mesh->GetQueue().instances.size(), 11u + 3u);  // inactive obstacles are not drawn
    EXPECT_EQ(mesh->GetQueue().spheres.size(), 1u);
    EXPECT_EQ(Lines(), std::vector<std::string>{"Score: 3"});

    game.state = Paused;
    const glm::mat4 where = game.player->translationMatrix;
    for (int i = 0; i < 5; ++i) Frame(0.5f);
    EXPECT_EQ(game.player->translationMatrix, where);
    EXPECT_EQ(CameraHeight(), 0.3f);
    EXPECT_EQ(Lines(), std::vector<std::string>{"Paused"});
    EXPECT_TRUE(mesh->GetQueue().instances.empty());
}

TEST_F(GameFixture, RisingPlayerPassesUpThroughPlatformsAndFallingOneBounces)
{
    Player& player = Start();
    AddPlatform(0, kClearX, 5.0f);
    Place(player, kClearX, 5.0f);
    player.airborne = player.rising = true;
    player.velocity = glm::vec3(0.0f, 0.1f, 0.0f);
    Frame();
    EXPECT_FLOAT_EQ(player.velocity.y, 0.1f - 0.008f);  // gravity only

    Place(player, kClearX, 5.0f, true);
    Frame();
    EXPECT_EQ(player.velocity.y, player.jumpSpeed);
    EXPECT_TRUE(player.rising && player.airborne);
}

TEST_F(GameFixture, ObstacleContactsCountOnlyInTheOwnSectionAndWhileActive)
{
    Player& player = Start();
    Place(player, kClearX, 5.0f);
    AddObstacle(1, kClearX, 5.0f);  // filed under the section above
    Frame(0.0f);
    EXPECT_EQ(game.state, Playing);
    level->RemoveSection(1);
    AddObstacle(0, kClearX, 5.0f)->active = false;
    player.Shoot(glm::vec3(1.0f, 0.0f, 0.0f));
    Frame(0.0f);
    EXPECT_EQ(game.state, Playing);
    EXPECT_EQ(game.score, 0);
    EXPECT_TRUE(player.bullets[0].active);  // an inactive obstacle takes no bullet

    AddObstacle(0, kClearX, 5.0f);
    Frame(0.0f);
    EXPECT_EQ(game.state, GameOver);
}

TEST_F(GameFixture, OneBulletTakesEveryActiveObstacleItOverlaps)
{
    Player& player = Start();
    Obstacle* first = AddObstacle(0, -8.0f, 5.0f, "test_a");
    Obstacle* second = AddObstacle(0, -8.1f, 5.0f, "test_b");
    Bullet& bullet = player.bullets[0];
    bullet.translationMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(-8.05f, 5.0f, 0.0f));
    bullet.velocity = glm::vec3(0.0f);
    bullet.active = true;
    bullet.age = 0.0f;
    Frame(0.01f);
    EXPECT_EQ(game.score, 100);
    EXPECT_FALSE(first->active || second->active || bullet.active);
    Frame(0.01f);
    EXPECT_EQ(game.score, 100);
}

TEST_F(GameFixture, BounceAndObstacleInOneFrameEndsTheGameWithItsLinesShown)
{
    Player& player = Start();
    Place(player, kClearX, 5.0f, true);
    AddPlatform(0, kClearX, 5.0f);
    AddObstacle(0, kClearX, 5.0f);
    game.score = 150;
    Frame();
    EXPECT_EQ(game.state, GameOver);
    EXPECT_EQ(player.velocity.y, player.jumpSpeed);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Game Over", "Score: 199"}));  // 150 + 10 per unit up to 4.99
    EXPECT_TRUE(mesh->GetQueue().instances.empty());
    Frame();  // GameOver is final and frozen
    EXPECT_EQ(game.state, GameOver);
    EXPECT_EQ(game.score, 150);
}

TEST_F(GameFixture, FallingBehindEndsTheGameOnlyPastElevenUnits)
{
    Player& player = Start();
    Place(player, kClearX, 1.0f);  // hovering: it stays put
    SetCameraHeight(12.0f);
    Frame(0.0f);
    EXPECT_EQ(game.state, Playing);
    SetCameraHeight(12.001f);
    Frame(0.0f);
    EXPECT_EQ(game.state, GameOver);
}

TEST_F(GameFixture, FarBelowTheCourseStillEndsTheGame)
{
    Player& player = Start();
    Place(player, kClearX, -25.0f);  // a section index below zero
    Frame(0.0f);
    EXPECT_EQ(game.state, GameOver);
}

TEST_F(GameFixture, CameraAndMaxHeightNeverGoDown)
{
    Player& player = Start();
    Place(player, kClearX, 3.0f);
    Frame(0.5f);
    EXPECT_EQ(CameraHeight(), 3.0f);  // up to the player at once
    Place(player, kClearX, 1.0f);
    Frame(0.5f);
    EXPECT_GT(CameraHeight(), 3.0f);

    Place(player, kClearX, 0.3f);
    player.velocity.y = player.jumpSpeed;
    player.airborne = true;
    float highest = game.maxHeight;
    for (int i = 0; i < 60; ++i) {
        Frame();
        highest = std::max(highest, player.translationMatrix[3].y);
        EXPECT_EQ(game.maxHeight, highest);
    }
    EXPECT_LT(player.translationMatrix[3].y, game.maxHeight);
}

TEST_F(GameFixture, TriggerNeedsTheCameraStrictlyPastTheMiddleOfTheNewestSection)
{
    Player& player = Start();
    Place(player, kClearX, 5.0f);
    SetCameraHeight(10.0f);
    Frame(0.0f);
    EXPECT_EQ(level->sectionCount, 1u);
    Frame(0.01f);  // first trigger: nothing to remove yet
    EXPECT_EQ(level->sectionCount, 2u);
    EXPECT_EQ(level->GetPlatforms(0).size(), 11u);
    EXPECT_FALSE(game.sectionReached || game.sectionQueued);
}

TEST_F(GameFixture, SectionsStreamInAndOutAsTheCameraClimbs)
{
    Player& player = Start();
    for (float height : {10.5f, 30.5f}) {
        Place(player, kClearX, height - 5.0f);
        SetCameraHeight(height);
        Frame(0.0f);
    }
    EXPECT_TRUE(level->GetPlatforms(0).empty());
    // The frame after a removal: still inside section 0, falling onto where
    // its platforms were, touches nothing freed.
    Place(player, 0.0f, 19.5f, true);
    SetCameraHeight(30.0f);
    Frame(0.0f);
    EXPECT_EQ(game.state, Playing);
    EXPECT_LT(player.velocity.y, 0.0f);

    Place(player, kClearX, 45.5f);
    SetCameraHeight(50.5f);
    Frame(0.0f);
    EXPECT_EQ(game.state, Playing);
    EXPECT_EQ(level->sectionCount, 4u);
    EXPECT_TRUE(level->GetPlatforms(1).empty() && level->GetObstacles(1).empty());
    EXPECT_EQ(level->platforms.size(), level->GetPlatforms(2).size() + level->GetPlatforms(3).size());
    EXPECT_EQ(level->obstacles.size(), 8u);
    for (Platform* platform : level->platforms) {
        const float y = platform->translationMatrix[3].y;
        EXPECT_TRUE(y >= 40.0f && y < 80.0f) << y;
    }
}

TEST_F(GameFixture, ScoreLineTruncatesPointsPlusTenPerUnitClimbed)
{
    const struct {
        int score;
        float maxHeight;
        const char* line;
    } cases[] = {{0, 0.0f, "Score: 0"}, {150, 12.34f, "Score: 273"}, {0, 0.09f, "Score: 0"}, {-100, 0.0f, "Score: -100"}};
    game.state = GameOver;
    for (const auto& c : cases) {
        game.score = c.score;
        game.maxHeight = c.maxHeight;
        Frame();
        EXPECT_EQ(Lines(), (std::vector<std::string>{"Game Over", c.line}));
    }
}

// The patterns leave gaps of 3 units between a platform and the next one up;
// a bounce climbs 2.4. Landing on a platform's top from any fall must still
// reach the one above, or the course cannot be climbed.
TEST_F(GameFixture, EveryLandingReachesAPlatformThreeUnitsHigher)
{
    Player& player = Start();
    AddPlatform(0, kClearX, 4.0f);
    AddPlatform(0, kClearX, 7.0f);
    for (int phase = 0; phase < 10; ++phase) {
        Place(player, kClearX, 5.2f + 0.021f * static_cast<float>(phase), true);
        player.velocity.y = -0.2f;  // the settled fall speed
        float landedAt = 0.0f;
        int bounces = 0;
        for (int frame = 0; frame < 200 && bounces < 2; ++frame) {
            const bool wasRising = player.rising;
            SetCameraHeight(player.translationMatrix[3].y);
            Frame(0.0f);
            if (!wasRising && player.rising && ++bounces == 1) landedAt = player.translationMatrix[3].y;
        }
        ASSERT_EQ(bounces, 2) << "phase " << phase;
        EXPECT_GT(landedAt, 4.0f) << "phase " << phase;
        EXPECT_GT(player.translationMatrix[3].y, 6.0f) << "phase " << phase << ": fell back from " << landedAt;
    }
}
