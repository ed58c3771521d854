// The application shell run headless: its hooks, input through the engine's
// seam, odd window sizes, and the order of release.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "app/AppClass.h"
#include "engine/BoundingObjectClass.h"
#include "game/GameManager.h"
#include "level/LevelManager.h"
#include "objects/Player.h"

namespace {

using Key = sf::Keyboard;

class TestApp : public AppClass {
public:
    TestApp() : AppClass(nullptr, {"--headless"}, 0, false) { InitHeadless(); }

    bool QuitRequested() const { return m_pWindow->IsQuitRequested(); }
    bool RightFlag() const { return m_bRightClick; }
    bool MiddleFlag() const { return m_bMiddleClick; }
    ReEng::SystemSingleton& System() { return *m_pSystem; }
    ReEng::MeshManagerSingleton& Mesh() { return *m_pMeshMngr; }
    ReEng::Input& In() { return m_input; }

    // Sets exactly these keys down and reads the keyboard.
    void Keys(std::initializer_list<Key::Key> down)
    {
        m_input.ReleaseAll();
        for (Key::Key key : down) m_input.SetKey(key, true);
        ProcessKeyboard();
    }
};

class AppTest : public ::testing::Test {
protected:
    std::unique_ptr<TestApp> app = std::make_unique<TestApp>();

    GameManager& Game() { return *app->gameManager; }
    Player& ThePlayer() { return *app->gameManager->player; }

    void StartPlaying()
    {
        app->Keys({Key::Return});
        app->Keys({});
        ASSERT_EQ(Game().state, Playing);
    }
    float SteerFrom(float vx, std::initializer_list<Key::Key> keys)
    {
        ThePlayer().velocity.x = vx;
        app->Keys(keys);
        return ThePlayer().velocity.x;
    }
    // Fires at the cursor with a fresh cooldown; the first bullet, or null.
    const Bullet* FireAt(int x, int y)
    {
        for (Bullet& bullet : ThePlayer().bullets) bullet.active = false;
        ThePlayer().canShoot = true;
        app->In().SetMousePosition({x, y});
        app->In().SetButton(sf::Mouse::Left, true);
        app->ProcessMouse();
        return ThePlayer().bullets[0].active ? &ThePlayer().bullets[0] : nullptr;
    }
};

}  // namespace

TEST_F(AppTest, SecondInitVariablesKeepsTheInstancesAndClearsTheLatch)
{
    app->RunFrame();
    EXPECT_EQ(app->Mesh().GetLastFrameText(), std::vector<std::string>{"Press Enter to Start"});
    GameManager* game = app->gameManager;
    LevelManager* level = Game().level;
    app->pauseKeyDown = true;
    app->InitVariables();
    EXPECT_EQ(app->gameManager, game);
    EXPECT_EQ(LevelManager::GetInstance(), level);
    EXPECT_FALSE(app->pauseKeyDown);
}

TEST_F(AppTest, ReleaseFreesEverythingOnceEvenAtTheTitleScreen)
{
    app->Release();
    EXPECT_EQ(GameManager::instance, nullptr);
    app->Release();  // and the destructor's call does nothing more
    app.reset();
    EXPECT_EQ(GameManager::instance, nullptr);
    EXPECT_EQ(ReEng::BoundingObjectClass::GetLiveCount(), 0);
}

TEST_F(AppTest, ReleaseAfterPlayingDestroysPlayerAndCourse)
{
    StartPlaying();
    for (int i = 0; i < 10; ++i) app->RunFrame();
    app.reset();
    EXPECT_EQ(GameManager::instance, nullptr);
    EXPECT_EQ(ReEng::BoundingObjectClass::GetLiveCount(), 0);
    EXPECT_EQ(LevelManager::GetInstance()->sectionCount, 0u);
    LevelManager::ReleaseInstance();
}

TEST_F(AppTest, EnterStartsExactlyOneGameAndOnlyFromTheTitle)
{
    for (int i = 0; i < 3; ++i) app->Keys({Key::Return});
    EXPECT_EQ(Game().state, Playing);
    Player* player = Game().player;
    for (GameState state : {Paused, GameOver}) {
        Game().state = state;
        app->Keys({Key::Return});
        EXPECT_EQ(Game().state, state);
        EXPECT_EQ(Game().player, player);
        EXPECT_EQ(Game().level->sectionCount, 1u);
    }
}

TEST_F(AppTest, PausePausesAndResumesOnRelease)
{
    StartPlaying();
    for (GameState after : {Paused, Playing}) {
        for (int i = 0; i < 3; ++i) app->Keys({Key::P});
        EXPECT_NE(Game().state, after);  // held: nothing yet
        app->Keys({});
        EXPECT_EQ(Game().state, after);
        EXPECT_FALSE(app->pauseKeyDown);
    }
}

TEST_F(AppTest, EscapeQuitsOnceOnReleaseInEveryState)
{
    for (GameState state : {Title, Playing, Paused, GameOver}) {
        app.reset();  // one application at a time: they share the engine
        app = std::make_unique<TestApp>();
        if (state != Title) StartPlaying();
        Game().state = state;
        app->Keys({Key::Escape});
        app->Keys({Key::Escape});
        EXPECT_FALSE(app->QuitRequested()) << state;
        app->Keys({});
        EXPECT_TRUE(app->QuitRequested()) << state;
    }
}

TEST_F(AppTest, EscapeHeldWhenOneAppEndsDoesNotQuitTheNext)
{
    app->In().SetKey(Key::Escape, true);
    app->RunFrame();
    app.reset();
    app = std::make_unique<TestApp>();
    app->RunFrame();
    EXPECT_FALSE(app->QuitRequested());
}

TEST_F(AppTest, SteeringFollowsTheKeyTable)
{
    StartPlaying();
    const float s = ThePlayer().steerSpeed, left = -0.2f * s, right = 0.2f * s;
    const struct {
        std::initializer_list<Key::Key> keys;
        float vx;
    } rows[] = {
        {{}, 0.0f},
        {{Key::A}, left}, {{Key::Left}, left}, {{Key::A, Key::Left}, left},
        {{Key::D}, right}, {{Key::Right}, right}, {{Key::D, Key::Right}, right},
        {{Key::A, Key::D}, right}, {{Key::Left, Key::Right}, right},
        {{Key::A, Key::Right}, left}, {{Key::D, Key::Left}, left},
        {{Key::A, Key::D, Key::Left}, left}, {{Key::A, Key::D, Key::Left, Key::Right}, right},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(SteerFrom(0.0f, rows[i].keys), rows[i].vx) << "row " << i;
    EXPECT_FLOAT_EQ(SteerFrom(0.05f, {}), 0.05f - 0.07f * s);  // decelerates
    // Reversing takes a doubled step; holding settles at top speed.
    EXPECT_FLOAT_EQ(SteerFrom(-0.1f, {Key::D}), -0.06f);
    EXPECT_FLOAT_EQ(SteerFrom(0.1f, {Key::A}), 0.06f);
    float vx = 0.0f;
    for (int i = 0; i < 5; ++i) vx = SteerFrom(vx, {Key::D});
    EXPECT_GE(vx, 0.1f - 1e-6f);
    EXPECT_EQ(SteerFrom(vx, {Key::D}), vx);
}

TEST_F(AppTest, JumpLaunchesOnce)
{
    StartPlaying();
    app->Keys({Key::Up});
    EXPECT_EQ(ThePlayer().velocity.y, ThePlayer().jumpSpeed);
    EXPECT_TRUE(ThePlayer().airborne && ThePlayer().rising);
    ThePlayer().velocity.y = -0.1f;
    app->Keys({Key::W});
    EXPECT_EQ(ThePlayer().velocity.y, -0.1f);
}

TEST_F(AppTest, LeftButtonFiresTowardsTheCursor)
{
    StartPlaying();
    app->System().SetWindowRect(100, 50, 800, 600);
    ThePlayer().translationMatrix[3] = glm::vec4(1.0f, 4.0f, 0.0f, 1.0f);
    Game().camera->MoveVertical(3.0f - Game().camera->GetPosition(-1).y, -1);
    const Bullet* bullet = FireAt(700, 200);
    ASSERT_NE(bullet, nullptr);
    const glm::vec3 expected = 10.0f * glm::normalize(glm::vec3(6.5f, 4.3f, 0.0f));
    EXPECT_NEAR(bullet->velocity.x, expected.x, 1e-4f);
    EXPECT_NEAR(bullet->velocity.y, expected.y, 1e-4f);
    EXPECT_EQ(bullet->velocity.z, 0.0f);
    EXPECT_FALSE(ThePlayer().canShoot);
}

TEST_F(AppTest, NoShotOutsidePlayOrFromAMinimisedWindow)
{
    app->In().SetButton(sf::Mouse::Left, true);
    app->ProcessMouse();  // title: no player, nothing happens
    StartPlaying();
    for (GameState state : {Paused, GameOver}) {
        Game().state = state;
        EXPECT_EQ(FireAt(500, 300), nullptr) << state;
    }
    Game().state = Playing;
    for (int size : {0, 1}) {
        app->System().SetWindowRect(10, 10, size, size);
        EXPECT_EQ(FireAt(10, 10), nullptr) << size;
        EXPECT_TRUE(ThePlayer().canShoot);
    }
}

TEST_F(AppTest, DegenerateSizesAndFarCursorsNeverGiveANonFiniteShot)
{
    StartPlaying();
    // Sizes as SFML's unsigned ones arrive narrowed to int, wrapped included.
    const int sizes[][2] = {{0, 0}, {1, 720}, {1080, 1}, {2, 2}, {-1, -1}, {INT_MAX, INT_MAX}, {INT_MIN, 5}};
    const int cursors[][2] = {{0, 0}, {-1, -1}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}};
    for (const auto& size : sizes) {
        app->Reshape(size[0], size[1]);
        for (const auto& cursor : cursors) {
            const Bullet* bullet = FireAt(cursor[0], cursor[1]);
            if (bullet == nullptr) continue;
            EXPECT_NEAR(glm::length(bullet->velocity), 10.0f, 1e-3f)
                << size[0] << "x" << size[1] << " at " << cursor[0] << "," << cursor[1];
        }
        app->RunFrame();
    }
    app->Reshape(1080, 720);  // restored, the aim is right again: (5, 2.8) from the camera
    const glm::vec4 p = ThePlayer().translationMatrix[3];
    const float hc = Game().camera->GetPosition(-1).y;
    const Bullet* bullet = FireAt(540 + 180, 360 - 90);
    ASSERT_NE(bullet, nullptr);
    const glm::vec3 expected = 10.0f * glm::normalize(glm::vec3(5.0f - p.x, 2.8f - (p.y - hc), 0.0f));
    EXPECT_NEAR(bullet->velocity.x, expected.x, 1e-4f);
    EXPECT_NEAR(bullet->velocity.y, expected.y, 1e-4f);
}

TEST_F(AppTest, MouseFlagsAreRefreshedEveryFrame)
{
    app->In().SetButton(sf::Mouse::Right, true);
    app->ProcessMouse();
    EXPECT_TRUE(app->RightFlag());
    EXPECT_FALSE(app->MiddleFlag());
    app->In().SetButton(sf::Mouse::Right, false);
    app->In().SetButton(sf::Mouse::Middle, true);
    app->ProcessMouse();
    EXPECT_FALSE(app->RightFlag());
    EXPECT_TRUE(app->MiddleFlag());
}
