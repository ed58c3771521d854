// The application shell run headless: input through the engine's seam, and the order of release.
#include <gtest/gtest.h>

#include "app/AppClass.h"
#include "app/GameInfo.h"
#include "engine/BoundingObjectClass.h"
#include "game/GameManager.h"
#include "level/LevelManager.h"
#include "objects/Player.h"

namespace {

using Key = sf::Keyboard;

class TestApp : public AppClass {
public:
    TestApp() : AppClass(nullptr, {"--headless"}, 0, false) {
        SetAppInfo(GameInfo());
        InitHeadless();
    }
    using AppClass::m_input;
    bool QuitRequested() const { return m_window->IsQuitRequested(); }
    void Keys(std::initializer_list<Key::Key> down)  // exactly these keys down, then read
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
    void StartPlaying() {
        app->Keys({Key::Return});
        app->Keys({});
        ASSERT_EQ(Game().state, Playing);
    }
    float SteerFrom(float vx, std::initializer_list<Key::Key> keys) {
        ThePlayer().velocity.x = vx;
        app->Keys(keys);
        return ThePlayer().velocity.x;
    }
    glm::vec3 FireAt(int x, int y)  // the first bullet's velocity, zero if none flies
    {
        for (Bullet& bullet : ThePlayer().bullets) bullet.active = false;
        ThePlayer().canShoot = true;
        app->m_input.SetMousePosition({x, y});
        app->m_input.SetButton(sf::Mouse::Left, true);
        app->ProcessMouse();
        return ThePlayer().bullets[0].active ? ThePlayer().bullets[0].velocity : glm::vec3(0.0f);
    }
};

}  // namespace

TEST_F(AppTest, SecondInitVariablesKeepsTheInstancesAndClearsTheLatch) {
    GameManager* game = app->gameManager;
    EXPECT_EQ(GameManager::instance, game);
    app->pauseKeyDown = true;
    app->InitVariables();
    EXPECT_EQ(app->gameManager, game);
    EXPECT_EQ(Game().level, LevelManager::GetInstance());
    EXPECT_FALSE(app->pauseKeyDown);
}

TEST_F(AppTest, ReleaseFreesEverythingOnceAtTheTitleAndAfterPlay) {
    for (bool play : {false, true}) {
        if (play) {
            app = std::make_unique<TestApp>();
            StartPlaying();
        }
        for (int i = 0; i < 10; ++i) app->RunFrame();
        app->Release();
        EXPECT_EQ(GameManager::instance, nullptr);
        app.reset();  // the destructor's second Release does nothing more
        EXPECT_EQ(ReEng::BoundingObjectClass::GetLiveCount(), 0) << play;
        EXPECT_EQ(ReEng::MeshManagerSingleton::Peek(), nullptr) << play;  // and no engine service is left
        EXPECT_EQ(ReEng::SystemSingleton::Peek(), nullptr) << play;
    }
    LevelManager::ReleaseInstance();
}

TEST_F(AppTest, PlatformsAndObstaclesAreQueuedInTheGamesColours) {
    StartPlaying();
    app->Update();
    const ReEng::vector3 orange(0.80f, 0.50f, 0.22f), pink(0.52f, 0.06f, 0.30f);
    int platforms = 0, obstacles = 0;
    for (const auto& instance : Game().meshManager->GetQueue().instances) {
        const bool platform = instance.name.rfind("plat", 0) == 0;
        EXPECT_EQ(instance.colour, platform ? orange : pink) << instance.name;
        ++(platform ? platforms : obstacles);
    }
    EXPECT_GT(platforms, 0);
    EXPECT_GT(obstacles, 0);
}

TEST_F(AppTest, EnterStartsExactlyOneGameAndOnlyFromTheTitle) {
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

TEST_F(AppTest, PausePausesAndResumesOnRelease) {
    StartPlaying();
    for (GameState after : {Paused, Playing}) {
        for (int i = 0; i < 3; ++i) app->Keys({Key::P});
        EXPECT_NE(Game().state, after);  // held: nothing yet
        app->Keys({});
        EXPECT_EQ(Game().state, after);
    }
}

TEST_F(AppTest, EscapeQuitsOnceOnReleaseInEveryState) {
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

TEST_F(AppTest, SteeringFollowsTheKeyTableAndJumpLaunchesOnce) {
    StartPlaying();
    const float s = ThePlayer().steerSpeed, left = -0.2f * s, right = 0.2f * s;
    const struct {
        std::initializer_list<Key::Key> keys;
        float vx;
    } rows[] = {{{}, 0.0f},
                {{Key::A}, left},
                {{Key::Left}, left},
                {{Key::D}, right},
                {{Key::Right}, right},
                {{Key::A, Key::D}, right},
                {{Key::Left, Key::Right}, right},
                {{Key::A, Key::Right}, left},
                {{Key::D, Key::Left}, left},
                {{Key::A, Key::D, Key::Left}, left}};
    for (const auto& row : rows) EXPECT_EQ(SteerFrom(0.0f, row.keys), row.vx) << &row - rows;
    EXPECT_FLOAT_EQ(SteerFrom(-0.1f, {Key::D}), -0.06f);  // reversing takes a doubled step
    EXPECT_FLOAT_EQ(SteerFrom(0.1f, {Key::A}), 0.06f);
    app->Keys({Key::Up});  // jump launches once
    EXPECT_EQ(ThePlayer().velocity.y, ThePlayer().jumpSpeed);
    EXPECT_TRUE(ThePlayer().airborne);
    EXPECT_TRUE(ThePlayer().rising);
    ThePlayer().velocity.y = -0.1f;
    app->Keys({Key::W});
    EXPECT_EQ(ThePlayer().velocity.y, -0.1f);
}

TEST_F(AppTest, LeftButtonFiresTowardsTheCursorAlsoAfterATinyWindow) {
    StartPlaying();
    app->GetWindow()->SetScreenArea({100, 50, 800, 600});
    ThePlayer().translationMatrix[3] = glm::vec4(1.0f, 4.0f, 0.0f, 1.0f);
    Game().camera->MoveVertical(3.0f - Game().camera->GetPosition(-1).y, -1);
    EXPECT_LT(glm::distance(FireAt(700, 200), 10.0f * glm::normalize(glm::vec3(6.5f, 4.3f, 0.0f))), 1e-4f);
    EXPECT_FALSE(ThePlayer().canShoot);
    app->GetWindow()->SetScreenArea({0, 0, 1080, 720});
    app->Reshape(1, 1);
    app->RunFrame();
    app->Reshape(1080, 720);  // restored: (5, 2.8) from the camera
    const glm::vec4 p = ThePlayer().translationMatrix[3];
    const glm::vec3 towards(5.0f - p.x, 2.8f - (p.y - Game().camera->GetPosition(-1).y), 0.0f);
    EXPECT_LT(glm::distance(FireAt(720, 270), 10.0f * glm::normalize(towards)), 1e-4f);
}

TEST_F(AppTest, NoShotOutsidePlayOrFromADegenerateWindow) {
    app->m_input.SetButton(sf::Mouse::Left, true);
    app->ProcessMouse();  // title: no player, nothing happens
    StartPlaying();
    for (GameState state : {Paused, GameOver}) {
        Game().state = state;
        EXPECT_EQ(FireAt(500, 300), glm::vec3(0.0f)) << state;
    }
    Game().state = Playing;
    for (const auto& size : {glm::ivec2(0, 600), glm::ivec2(800, 0), glm::ivec2(1, 600), glm::ivec2(800, 1)}) {
        app->GetWindow()->SetScreenArea({10, 10, size.x, size.y});
        EXPECT_EQ(FireAt(10, 10), glm::vec3(0.0f)) << size.x << "x" << size.y;
    }
}
