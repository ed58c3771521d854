// The application shell run headless: its hooks, input through the engine's
// seam, and the order of release.
#include <gtest/gtest.h>

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
    ReEng::vector4 ClearColour() const { return m_v4ClearColor; }
    ReEng::SystemSingleton& System() { return *m_pSystem; }
    ReEng::MeshManagerSingleton& Mesh() { return *m_pMeshMngr; }

    void Keys(std::initializer_list<Key::Key> down)
    {
        m_input.ReleaseAll();
        for (Key::Key key : down) m_input.SetKey(key, true);
    }
    void Hold(Key::Key key, bool down) { m_input.SetKey(key, down); }
    void Button(sf::Mouse::Button button, bool down) { m_input.SetButton(button, down); }
    void Cursor(int x, int y) { m_input.SetMousePosition({x, y}); }
};

class AppTest : public ::testing::Test {
protected:
    std::unique_ptr<TestApp> app = std::make_unique<TestApp>();

    GameManager& Game() { return *app->gameManager; }
    Player& ThePlayer() { return *app->gameManager->player; }

    void StartPlaying()
    {
        app->Keys({Key::Return});
        app->ProcessKeyboard();
        app->Keys({});
        ASSERT_EQ(Game().state, Playing);
    }
    // Steering from a given horizontal speed with these keys held.
    float SteerFrom(float vx, std::initializer_list<Key::Key> keys)
    {
        ThePlayer().velocity.x = vx;
        app->Keys(keys);
        app->ProcessKeyboard();
        return ThePlayer().velocity.x;
    }
};

}  // namespace

TEST_F(AppTest, InitSetsTheGameUpOnTheTitleScreen)
{
    EXPECT_EQ(GameManager::instance, app->gameManager);
    EXPECT_EQ(Game().state, Title);
    EXPECT_EQ(Game().level, LevelManager::GetInstance());
    EXPECT_EQ(Game().level->meshManager, Game().meshManager);
    EXPECT_EQ(Game().camera->GetCameraMode(-1), ReEng::CAMROTHOZ);
    EXPECT_EQ(app->ClearColour(), ReEng::vector4(0.4f, 0.6f, 0.9f, 0.0f));
    EXPECT_FALSE(app->pauseKeyDown);

    app->RunFrame();
    EXPECT_EQ(app->Mesh().GetLastFrameText(), std::vector<std::string>{"Press Enter to Start"});
}

TEST_F(AppTest, SecondInitVariablesKeepsTheInstancesAndClearsTheLatch)
{
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
    EXPECT_GT(ReEng::BoundingObjectClass::GetLiveCount(), 0);
    app.reset();
    EXPECT_EQ(GameManager::instance, nullptr);
    EXPECT_EQ(ReEng::BoundingObjectClass::GetLiveCount(), 0);
    // A fresh level manager would start empty.
    LevelManager* level = LevelManager::GetInstance();
    EXPECT_EQ(level->sectionCount, 0u);
    LevelManager::ReleaseInstance();
}

TEST_F(AppTest, EnterStartsExactlyOneGameAndOnlyFromTheTitle)
{
    app->Keys({Key::Return});
    for (int i = 0; i < 3; ++i) app->ProcessKeyboard();
    EXPECT_EQ(Game().state, Playing);
    EXPECT_EQ(Game().level->sectionCount, 1u);
    Player* player = Game().player;

    for (GameState state : {Paused, GameOver}) {
        Game().state = state;
        app->ProcessKeyboard();
        EXPECT_EQ(Game().state, state);
        EXPECT_EQ(Game().player, player);
        EXPECT_EQ(Game().level->sectionCount, 1u);
    }
}

TEST_F(AppTest, PausePausesAndResumesOnRelease)
{
    StartPlaying();
    app->Keys({Key::P});
    for (int i = 0; i < 3; ++i) app->ProcessKeyboard();
    EXPECT_EQ(Game().state, Playing);
    EXPECT_TRUE(app->pauseKeyDown);
    app->Keys({});
    app->ProcessKeyboard();
    EXPECT_EQ(Game().state, Paused);
    EXPECT_FALSE(app->pauseKeyDown);

    app->Keys({Key::P});
    app->ProcessKeyboard();
    EXPECT_EQ(Game().state, Paused);
    app->Keys({});
    app->ProcessKeyboard();
    EXPECT_EQ(Game().state, Playing);
    EXPECT_FALSE(app->pauseKeyDown);
}

TEST_F(AppTest, EscapeQuitsOnceOnReleaseInEveryState)
{
    for (GameState state : {Title, Playing, Paused, GameOver}) {
        app.reset();  // one application at a time: they share the engine
        app = std::make_unique<TestApp>();
        if (state != Title) StartPlaying();
        Game().state = state;
        app->Keys({Key::Escape});
        app->ProcessKeyboard();
        app->ProcessKeyboard();
        EXPECT_FALSE(app->QuitRequested()) << state;
        app->Keys({});
        app->ProcessKeyboard();
        EXPECT_TRUE(app->QuitRequested()) << state;
    }
}

TEST_F(AppTest, SteeringFollowsTheKeyTable)
{
    StartPlaying();
    const float s = ThePlayer().steerSpeed;
    EXPECT_EQ(SteerFrom(0.0f, {}), 0.0f);
    EXPECT_FLOAT_EQ(SteerFrom(0.05f, {}), 0.05f - 0.07f * s);  // decelerates
    const float left = -0.2f * s, right = 0.2f * s;
    EXPECT_EQ(SteerFrom(0.0f, {Key::A}), left);
    EXPECT_EQ(SteerFrom(0.0f, {Key::Left}), left);
    EXPECT_EQ(SteerFrom(0.0f, {Key::A, Key::Left}), left);
    EXPECT_EQ(SteerFrom(0.0f, {Key::D}), right);
    EXPECT_EQ(SteerFrom(0.0f, {Key::Right}), right);
    EXPECT_EQ(SteerFrom(0.0f, {Key::D, Key::Right}), right);
    EXPECT_EQ(SteerFrom(0.0f, {Key::A, Key::D}), right);
    EXPECT_EQ(SteerFrom(0.0f, {Key::Left, Key::Right}), right);
    EXPECT_EQ(SteerFrom(0.0f, {Key::A, Key::Right}), left);
    EXPECT_EQ(SteerFrom(0.0f, {Key::D, Key::Left}), left);
    EXPECT_EQ(SteerFrom(0.0f, {Key::A, Key::D, Key::Left}), left);
    EXPECT_EQ(SteerFrom(0.0f, {Key::A, Key::D, Key::Left, Key::Right}), right);
}

TEST_F(AppTest, SteeringReversesWithTheDoubledStepAndSettlesAtTopSpeed)
{
    StartPlaying();
    EXPECT_FLOAT_EQ(SteerFrom(-0.1f, {Key::D}), -0.06f);
    EXPECT_FLOAT_EQ(SteerFrom(0.1f, {Key::A}), 0.06f);
    float vx = 0.0f;
    for (int i = 0; i < 5; ++i) vx = SteerFrom(vx, {Key::D});
    EXPECT_GE(vx, 0.1f - 1e-6f);
    EXPECT_EQ(SteerFrom(vx, {Key::D}), vx);  // no faster
}

TEST_F(AppTest, JumpLaunchesOnce)
{
    StartPlaying();
    app->Keys({Key::Up});
    app->ProcessKeyboard();
    EXPECT_EQ(ThePlayer().velocity.y, ThePlayer().jumpSpeed);
    EXPECT_TRUE(ThePlayer().airborne);
    EXPECT_TRUE(ThePlayer().rising);
    ThePlayer().velocity.y = -0.1f;
    app->Keys({Key::W});
    app->ProcessKeyboard();
    EXPECT_EQ(ThePlayer().velocity.y, -0.1f);
}

TEST_F(AppTest, LeftButtonFiresTowardsTheCursor)
{
    StartPlaying();
    app->System().SetWindowRect(100, 50, 800, 600);
    ThePlayer().translationMatrix[3] = glm::vec4(1.0f, 4.0f, 0.0f, 1.0f);
    Game().camera->MoveVertical(3.0f - Game().camera->GetPosition(-1).y, -1);
    app->Cursor(700, 200);
    app->Button(sf::Mouse::Left, true);
    app->ProcessMouse();
    const Bullet& bullet = ThePlayer().bullets[0];
    ASSERT_TRUE(bullet.active);
    const glm::vec3 expected = 10.0f * glm::normalize(glm::vec3(6.5f, 4.3f, 0.0f));
    EXPECT_NEAR(bullet.velocity.x, expected.x, 1e-4f);
    EXPECT_NEAR(bullet.velocity.y, expected.y, 1e-4f);
    EXPECT_EQ(bullet.velocity.z, 0.0f);
    EXPECT_FALSE(ThePlayer().canShoot);
}

TEST_F(AppTest, AimPointsAtTheWindowsEdgesAndCentre)
{
    StartPlaying();
    app->System().SetWindowRect(100, 50, 800, 600);
    ThePlayer().translationMatrix[3] = glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
    app->Button(sf::Mouse::Left, true);
    struct Case { int x, y; glm::vec3 aim; };
    const Case cases[] = {
        {500, 350, {0.0f, 0.3f, 0.0f}},     // centre: 0.3 above the camera
        {100, 50, {-15.0f, 10.3f, 0.0f}},   // top-left corner
        {900, 650, {15.0f, -9.7f, 0.0f}},   // bottom-right corner
    };
    for (const Case& c : cases) {
        ThePlayer().bullets[0].active = false;
        ThePlayer().canShoot = true;
        app->Cursor(c.x, c.y);
        app->ProcessMouse();
        const glm::vec3 v = ThePlayer().bullets[0].velocity;
        const glm::vec3 expected = 10.0f * glm::normalize(c.aim);
        EXPECT_NEAR(v.x, expected.x, 1e-4f) << c.x << "," << c.y;
        EXPECT_NEAR(v.y, expected.y, 1e-4f) << c.x << "," << c.y;
    }
}

TEST_F(AppTest, NoShotOutsidePlayOrFromAMinimisedWindow)
{
    app->Button(sf::Mouse::Left, true);
    app->ProcessMouse();  // title: no player, nothing happens
    StartPlaying();
    for (GameState state : {Paused, GameOver}) {
        Game().state = state;
        app->ProcessMouse();
        EXPECT_FALSE(ThePlayer().bullets[0].active);
        EXPECT_TRUE(ThePlayer().canShoot);
    }
    Game().state = Playing;
    for (int size : {0, 1}) {
        app->System().SetWindowRect(10, 10, size, size);
        app->ProcessMouse();
        EXPECT_FALSE(ThePlayer().bullets[0].active);
        EXPECT_TRUE(ThePlayer().canShoot);
    }
}

TEST_F(AppTest, MouseFlagsAreRefreshedEveryFrameInEveryState)
{
    app->Button(sf::Mouse::Right, true);
    app->ProcessMouse();
    EXPECT_TRUE(app->RightFlag());
    EXPECT_FALSE(app->MiddleFlag());
    app->Button(sf::Mouse::Right, false);
    app->Button(sf::Mouse::Middle, true);
    app->ProcessMouse();
    EXPECT_FALSE(app->RightFlag());
    EXPECT_TRUE(app->MiddleFlag());
}
