// The rules of a playing frame, run headless through GameManager::UpdateFrame.
#include "tests/game/GameFixture.h"

namespace {

// Far to the side of every pattern entry, so only the test's own objects touch.
constexpr float kClearX = 10.0f;

}  // namespace

TEST_F(GameFixture, NewManagerWaitsOnTheTitleAndOnlyDrawsOutsidePlay)
{
    EXPECT_EQ(game.state, Title);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.maxHeight, 0.0f);
    EXPECT_FALSE(game.sectionReached);
    EXPECT_FALSE(game.sectionQueued);
    EXPECT_EQ(game.player, nullptr);

    Frame();
    EXPECT_EQ(Lines(), std::vector<std::string>{"Press Enter to Start"});
    EXPECT_TRUE(mesh->GetQueue().instances.empty());
    EXPECT_TRUE(mesh->GetQueue().spheres.empty());

    Start();
    Frame();
    game.state = Paused;
    const glm::mat4 where = game.player->translationMatrix;
    const float cameraBefore = CameraHeight();
    for (int i = 0; i < 5; ++i) Frame(0.5f);
    EXPECT_EQ(game.player->translationMatrix, where);
    EXPECT_EQ(CameraHeight(), cameraBefore);
    EXPECT_EQ(level->sectionCount, 1u);
    EXPECT_EQ(Lines(), std::vector<std::string>{"Paused"});
    EXPECT_TRUE(mesh->GetQueue().instances.empty());
}

TEST_F(GameFixture, StartGameBuildsThePlayerSectionZeroAndResetsTheCamera)
{
    SetCameraHeight(42.0f);
    Start();
    ASSERT_NE(game.player, nullptr);
    EXPECT_EQ(game.player->translationMatrix[3], glm::vec4(0.0f, 0.3f, 0.0f, 1.0f));
    EXPECT_EQ(CameraHeight(), 0.0f);
    EXPECT_EQ(level->sectionCount, 1u);
    EXPECT_EQ(level->platforms.size(), 11u);
    EXPECT_EQ(level->obstacles.size(), 4u);
}

TEST_F(GameFixture, PlayingFrameQueuesPlayerPlatformsActiveObstaclesAndScore)
{
    Start();
    level->obstacles[0]->active = false;
    Frame(0.0f);
    const auto& queue = mesh->GetQueue();
    EXPECT_EQ(queue.instances.size(), 11u + 3u);
    ASSERT_EQ(queue.spheres.size(), 1u);  // the player, no bullet in flight
    EXPECT_EQ(Lines(), std::vector<std::string>{"Score: 3"});  // hovering at 0.3
}

TEST_F(GameFixture, RisingPlayerPassesUpThroughPlatformsAndFallingOneBounces)
{
    Start();
    Player& player = *game.player;
    AddPlatform(0, kClearX, 5.0f);
    Place(player, kClearX, 5.0f);
    player.airborne = true;
    player.rising = true;
    player.velocity = glm::vec3(0.0f, 0.1f, 0.0f);
    Frame();
    EXPECT_FLOAT_EQ(player.velocity.y, 0.1f - 0.008f);  // gravity only

    Place(player, kClearX, 5.0f);
    Fall(player);
    Frame();
    EXPECT_EQ(player.velocity.y, player.jumpSpeed);
    EXPECT_TRUE(player.rising);
    EXPECT_TRUE(player.airborne);
}

TEST_F(GameFixture, ContactsAreTestedOnlyAgainstThePlayersOwnSection)
{
    Start();
    Player& player = *game.player;
    Place(player, kClearX, 5.0f);
    AddObstacle(1, kClearX, 5.0f);  // filed under the section above
    Frame(0.0f);
    EXPECT_EQ(game.state, Playing);

    AddObstacle(0, kClearX, 5.0f);
    Frame(0.0f);
    EXPECT_EQ(game.state, GameOver);
}

TEST_F(GameFixture, ShotObstacleNeitherEndsTheGameNorTakesBullets)
{
    Start();
    Player& player = *game.player;
    Place(player, kClearX, 5.0f);
    Obstacle* obstacle = AddObstacle(0, kClearX, 5.0f);
    obstacle->active = false;
    player.Shoot(glm::vec3(1.0f, 0.0f, 0.0f));
    Frame(0.0f);
    EXPECT_EQ(game.state, Playing);
    EXPECT_EQ(game.score, 0);
    EXPECT_TRUE(player.bullets[0].active);
}

TEST_F(GameFixture, OneBulletTakesEveryActiveObstacleItOverlaps)
{
    Start();
    Player& player = *game.player;
    Obstacle* first = AddObstacle(0, -8.0f, 5.0f, "test_a");
    Obstacle* second = AddObstacle(0, -8.1f, 5.0f, "test_b");
    Bullet& bullet = player.bullets[0];
    bullet.translationMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(-8.05f, 5.0f, 0.0f));
    bullet.velocity = glm::vec3(0.0f);
    bullet.active = true;
    bullet.age = 0.0f;
    Frame(0.01f);
    EXPECT_EQ(game.score, 100);
    EXPECT_FALSE(first->active);
    EXPECT_FALSE(second->active);
    EXPECT_FALSE(bullet.active);

    Frame(0.01f);  // a hit scores once
    EXPECT_EQ(game.score, 100);
}

TEST_F(GameFixture, BounceAndObstacleInOneFrameEndsTheGameWithItsLinesShown)
{
    Start();
    Player& player = *game.player;
    Place(player, kClearX, 5.0f);
    Fall(player);
    AddPlatform(0, kClearX, 5.0f);
    AddObstacle(0, kClearX, 5.0f);
    game.score = 150;
    Frame();
    EXPECT_EQ(game.state, GameOver);
    EXPECT_EQ(player.velocity.y, player.jumpSpeed);
    const int shown = static_cast<int>(150.0f + game.maxHeight * 10.0f);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Game Over", "Score: " + std::to_string(shown)}));
    EXPECT_TRUE(mesh->GetQueue().instances.empty());

    Frame();  // GameOver is final and frozen
    EXPECT_EQ(game.state, GameOver);
    EXPECT_EQ(game.score, 150);
}

TEST_F(GameFixture, FallingBehindEndsTheGameOnlyPastElevenUnits)
{
    Start();
    Player& player = *game.player;
    Place(player, kClearX, 1.0f);  // hovering: not launched, so it stays put
    SetCameraHeight(12.0f);
    Frame(0.0f);
    EXPECT_EQ(CameraHeight() - 1.0f, 11.0f);
    EXPECT_EQ(game.state, Playing);

    SetCameraHeight(12.001f);
    Frame(0.0f);
    EXPECT_EQ(game.state, GameOver);
}

TEST_F(GameFixture, CameraFollowsThePlayerUpAndOtherwiseClimbsOnItsOwn)
{
    Start();
    Player& player = *game.player;
    Place(player, kClearX, 3.0f);
    Frame(0.5f);
    EXPECT_EQ(CameraHeight(), 3.0f);  // up to the player at once

    Place(player, kClearX, 1.0f);
    Frame(0.5f);
    EXPECT_FLOAT_EQ(CameraHeight(), 3.0f + (1.0f * 0.01f + 1.0f) * 0.5f);  // never down
}

TEST_F(GameFixture, TriggerNeedsTheCameraStrictlyPastTheMiddleOfTheNewestSection)
{
    Start();
    Player& player = *game.player;
    Place(player, kClearX, 5.0f);
    SetCameraHeight(10.0f);
    Frame(0.0f);
    EXPECT_EQ(level->sectionCount, 1u);
    EXPECT_FALSE(game.sectionReached || game.sectionQueued);

    Frame(0.01f);  // first trigger: nothing to remove yet
    EXPECT_EQ(level->sectionCount, 2u);
    EXPECT_EQ(level->GetPlatforms(0).size(), 11u);
    EXPECT_FALSE(game.sectionReached || game.sectionQueued);
}

TEST_F(GameFixture, SectionsStreamInAndOutAsTheCameraClimbs)
{
    Start();
    Player& player = *game.player;
    const float passes[] = {10.5f, 30.5f, 50.5f};
    for (float height : passes) {
        Place(player, kClearX, height - 5.0f);
        SetCameraHeight(height);
        Frame(0.0f);
    }
    EXPECT_EQ(game.state, Playing);
    EXPECT_EQ(level->sectionCount, 4u);
    EXPECT_TRUE(level->GetPlatforms(0).empty());
    EXPECT_TRUE(level->GetPlatforms(1).empty());
    EXPECT_TRUE(level->GetObstacles(1).empty());
    const std::size_t live2 = level->GetPlatforms(2).size();
    const std::size_t live3 = level->GetPlatforms(3).size();
    EXPECT_GE(live2, 9u);
    EXPECT_GE(live3, 9u);
    EXPECT_EQ(level->platforms.size(), live2 + live3);
    EXPECT_EQ(level->obstacles.size(), 8u);
    for (Platform* platform : level->platforms) {
        const float y = platform->translationMatrix[3].y;
        EXPECT_TRUE(y >= 40.0f && y < 80.0f) << y;
    }
}

TEST_F(GameFixture, FrameAfterARemovalNeverReachesTheRemovedSection)
{
    Start();
    Player& player = *game.player;
    for (float height : {10.5f, 30.5f}) {
        Place(player, kClearX, height - 5.0f);
        SetCameraHeight(height);
        Frame(0.0f);
    }
    // Still inside section 0, just removed; the player falls onto where its
    // platforms were.
    Place(player, 0.0f, 19.5f);
    Fall(player);
    SetCameraHeight(30.0f);
    Frame(0.0f);
    EXPECT_EQ(game.state, Playing);
    EXPECT_LT(player.velocity.y, 0.0f);
}

TEST_F(GameFixture, MaxHeightNeverFalls)
{
    Start();
    Player& player = *game.player;
    Place(player, kClearX, 0.3f);
    player.velocity.y = player.jumpSpeed;
    player.airborne = true;
    float highest = 0.0f;
    for (int i = 0; i < 60; ++i) {
        Frame();
        highest = std::max(highest, player.translationMatrix[3].y);
        EXPECT_EQ(game.maxHeight, highest);
    }
    EXPECT_LT(player.translationMatrix[3].y, game.maxHeight);
}

TEST_F(GameFixture, FarBelowTheCourseCountsAsTheFirstSection)
{
    Start();
    Player& player = *game.player;
    Place(player, kClearX, -25.0f);
    Frame(0.0f);
    EXPECT_EQ(game.state, GameOver);  // 25 below the camera
}

struct ScoreCase {
    int score;
    float maxHeight;
    const char* line;
};

class ScoreLine : public GameFixture, public ::testing::WithParamInterface<ScoreCase> {};

TEST_P(ScoreLine, TruncatesPointsPlusTenPerUnitClimbed)
{
    game.state = GameOver;
    game.score = GetParam().score;
    game.maxHeight = GetParam().maxHeight;
    Frame();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Game Over", GetParam().line}));
}

INSTANTIATE_TEST_SUITE_P(GameOverScreen, ScoreLine,
                         ::testing::Values(ScoreCase{0, 0.0f, "Score: 0"},
                                           ScoreCase{150, 12.34f, "Score: 273"},
                                           ScoreCase{0, 0.09f, "Score: 0"},
                                           ScoreCase{-100, 0.0f, "Score: -100"}));

// The patterns leave gaps of 3 units between a platform and the next one up;
// a bounce climbs 2.4. Landing on a platform's top from any fall must still
// reach the one above, or the course cannot be climbed.
TEST_F(GameFixture, EveryLandingReachesAPlatformThreeUnitsHigher)
{
    Start();
    Player& player = *game.player;
    AddPlatform(0, kClearX, 4.0f);
    AddPlatform(0, kClearX, 7.0f);
    for (int phase = 0; phase < 10; ++phase) {
        Place(player, kClearX, 5.2f + 0.021f * static_cast<float>(phase));
        Fall(player);
        player.velocity.y = -0.2f;  // the settled fall speed
        float landedAt = 0.0f;
        int bounces = 0;
        for (int frame = 0; frame < 200 && bounces < 2; ++frame) {
            const bool wasRising = player.rising;
            SetCameraHeight(player.translationMatrix[3].y);
            Frame(0.0f);
            if (!wasRising && player.rising) {
                ++bounces;
                if (bounces == 1) landedAt = player.translationMatrix[3].y;
            }
        }
        ASSERT_EQ(bounces, 2) << "phase " << phase;
        EXPECT_GT(landedAt, 4.0f) << "phase " << phase << ": landed below the top";
        EXPECT_GT(player.translationMatrix[3].y, 6.0f) << "phase " << phase << ": fell back from " << landedAt;
    }
}
