#pragma once
// The game run headless: a GameManager wired as the application wires it
// (GameFixture), or the whole application with its input seam open (TestApp).
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/AppClass.h"
#include "app/GameInfo.h"
#include "engine/scene/BoundingObjectClass.h"
#include "engine/scene/CameraManagerSingleton.h"
#include "engine/scene/MeshManagerSingleton.h"
#include "game/GameManager.h"
#include "level/LevelManager.h"
#include "objects/Player.h"
#include "tests/engine/FreshEngine.h"
#include "tests/engine/TempFolder.h"

class GameFixture : public FreshEngine {
protected:
    using Lines = std::vector<std::string>;
    ReEng::MeshManagerSingleton* mesh = engine.MeshManager();
    ReEng::CameraManagerSingleton* camera = engine.CameraManager();
    LevelManager* level = LevelManager::GetInstance();
    GameManager game;

    void SetUp() override {
        camera->SetCameraMode(ReEng::CAMROTHOZ, -1);
        level->meshManager = game.meshManager = mesh;
        game.camera = camera;
        game.level = level;
    }
    void TearDown() override {
        delete game.player;
        LevelManager::ReleaseInstance();
    }
    Player& Start() { return game.state = Playing, game.StartGame(), *game.player; }
    void Frame(float deltaTime = 1.0f / 60.0f)  // the previous frame's queue emptied first
    {
        mesh->Render();
        game.UpdateFrame(deltaTime);
    }
    Lines Text() const {
        Lines lines;
        for (const auto& line : mesh->GetQueue().lines) lines.push_back(line.text);
        return lines;
    }
    float CameraHeight() const { return camera->GetPosition(-1).y; }
    void SetCameraHeight(float y) { camera->MoveVertical(y - CameraHeight(), -1); }

    static void Place(Player& player, float x, float y, bool falling = false) {
        player.translationMatrix[3].x = x;
        player.translationMatrix[3].y = y;
        player.UpdateModelMatrix(player.translationMatrix * player.scaleMatrix);
        if (!falling) return;
        player.airborne = true;
        player.rising = false;
        player.velocity = glm::vec3(0.0f, -0.01f, 0.0f);
    }
    template <class T>  // owned by the level like a pattern's object
    T* Add(int section, float x, float y) {
        constexpr bool platform = std::is_same_v<T, Platform>;
        auto* object = new T(mesh, glm::vec3(x, y, 0.0f), glm::vec3(platform ? 1.5f : 1.0f),
                             "test" + std::to_string(level->platforms.size() + level->obstacles.size()));
        if constexpr (platform) {
            level->sectionPlatforms[section].push_back(object);
            level->AddPlatform(object);
        } else {
            level->sectionObstacles[section].push_back(object);
            level->AddObstacle(object);
        }
        return object;
    }
};

// Stdout sent nowhere while one lives. The game prints its frame-rate line
// every frame; thousands of games' worth would bury the test report.
class QuietStdout {
public:
    QuietStdout() {
        std::fflush(stdout);  // what was printed before still goes out
        static const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
        saved = dup(STDOUT_FILENO);
        if (saved >= 0 && nowhere >= 0) dup2(nowhere, STDOUT_FILENO);
    }
    ~QuietStdout() {
        std::fflush(stdout);  // the game's line goes nowhere, not into the report
        if (saved < 0) return;
        dup2(saved, STDOUT_FILENO);
        close(saved);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int saved = -1;
};

// The application, printing what it always prints, to nowhere. Only the
// game's frames are quiet: a failed check in the test still reports.
class QuietApp : public AppClass {
public:
    using AppClass::AppClass;
    void Update() override {
        QuietStdout quiet;
        AppClass::Update();
    }
};

// The application as main makes it, headless, playing `script` if one is
// given (read at the start, so its file is gone at once).
class TestApp : public QuietApp {
public:
    explicit TestApp(const std::string& script = "", std::vector<std::string> args = {})
        : TestApp(ScratchFolder("script"), script, std::move(args)) {}
    using AppClass::m_input;
    GameManager& Game() { return *gameManager; }
    Player& ThePlayer() { return *gameManager->player; }
    bool QuitRequested() const { return m_window->IsQuitRequested(); }
    void Run(int frames) {
        for (int i = 0; i < frames; ++i) RunFrame();
    }
    void Keys(std::initializer_list<sf::Keyboard::Key> down)  // exactly these keys down, then read
    {
        m_input.ReleaseAll();
        for (sf::Keyboard::Key key : down) m_input.SetKey(key, true);
        ProcessKeyboard();
    }

private:
    // The folder lasts until this constructor has read the script, and no longer.
    TestApp(const ScratchFolder& folder, const std::string& script, std::vector<std::string> args)
        : QuietApp(nullptr, Args(folder, script, std::move(args)), 0, false) {
        SetAppInfo(GameInfo());
        InitHeadless();
    }
    static std::vector<std::string> Args(const ScratchFolder& folder, const std::string& script,
                                         std::vector<std::string> args) {
        args.insert(args.begin(), "--headless");
        if (script.empty()) return args;
        std::ofstream(folder.Path("script.txt")) << script;
        args.insert(args.end(), {"--input", folder.Path("script.txt")});
        return args;
    }
};
