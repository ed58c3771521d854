// The application shell run headless: input through the engine's seam, and the order of release.
#include "tests/game/GameFixture.h"

namespace {

using Key = sf::Keyboard;

class AppTest : public ::testing::Test {
protected:
    std::unique_ptr<TestApp> app = std::make_unique<TestApp>();
    GameManager& Game() { return app->Game(); }
    Player& ThePlayer() { return app->ThePlayer(); }
    void StartPlaying() {
        app->Keys({Key::Return});
        app->Keys({});
        ASSERT_EQ(Game().state, Playing);
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
        app->Run(10);
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
    int platforms = 0;
    for (const auto& instance : Game().meshManager->GetQueue().instances) {
        const bool platform = instance.name.rfind("plat", 0) == 0;
        EXPECT_EQ(instance.colour, platform ? orange : pink) << instance.name;
        platforms += platform;
    }
    EXPECT_GT(platforms, 0);
    EXPECT_GT(int(Game().meshManager->GetQueue().instances.size()), platforms);  // and obstacles
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

// Held, P and Escape do nothing; released, P pauses or resumes play (only
// that) and Escape quits, in every state.
TEST_F(AppTest, PausePausesAndResumesOnReleaseAndEscapeQuitsInEveryState) {
    const struct {
        GameState state, afterP;
    } rows[] = {{Title, Title}, {Playing, Paused}, {Paused, Playing}, {GameOver, GameOver}};
    for (const auto& row : rows) {
        app.reset();  // one application at a time: they share the engine
        app = std::make_unique<TestApp>();
        if (row.state != Title) StartPlaying();
        Game().state = row.state;
        for (Key::Key key : {Key::P, Key::Escape}) {
            const GameState before = Game().state;
            for (int i = 0; i < 3; ++i) app->Keys({key});
            EXPECT_EQ(Game().state, before) << row.state;
            EXPECT_FALSE(app->QuitRequested()) << row.state;
            app->Keys({});
        }
        EXPECT_EQ(Game().state, row.afterP) << row.state;
        EXPECT_TRUE(app->QuitRequested()) << row.state;
    }
}

TEST_F(AppTest, SteeringFollowsTheKeyTableAndJumpLaunchesOnce) {
    StartPlaying();
    const float s = ThePlayer().steerSpeed, left = -0.2f * s, right = 0.2f * s;
    const struct {
        float from;
        std::initializer_list<Key::Key> keys;
        float vx;
    } rows[] = {{0.0f, {}, 0.0f},
                {0.0f, {Key::A}, left},
                {0.0f, {Key::Left}, left},
                {0.0f, {Key::D}, right},
                {0.0f, {Key::Right}, right},
                {0.0f, {Key::A, Key::D}, right},
                {0.0f, {Key::Left, Key::Right}, right},
                {0.0f, {Key::A, Key::Right}, left},
                {0.0f, {Key::D, Key::Left}, left},
                {0.0f, {Key::A, Key::D, Key::Left}, left},
                {-0.1f, {Key::D}, -0.06f},  // reversing takes a doubled step
                {0.1f, {Key::A}, 0.06f}};
    for (const auto& row : rows) {
        ThePlayer().velocity.x = row.from;
        app->Keys(row.keys);
        EXPECT_FLOAT_EQ(ThePlayer().velocity.x, row.vx) << &row - rows;
    }
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
