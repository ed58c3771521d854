#pragma once
// The game run headless: a GameManager wired as the application wires it
// (GameFixture), or the whole application with its input seam open (TestApp).
#include <gmock/gmock.h>
#include <gtest/gtest.h>
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

// The application as main makes it, headless, playing `script` if one is
// given (read at the start, so its file is gone at once).
class TestApp : public AppClass {
public:
    explicit TestApp(const std::string& script = "", std::vector<std::string> args = {})
        : AppClass(nullptr, Args(script, std::move(args)), 0, false) {
        SetAppInfo(GameInfo());
        InitHeadless();
        std::remove(File().c_str());
    }
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
    // One per process: ctest runs each test in its own, several at once.
    static std::string File() { return ::testing::TempDir() + "vaultrix_script_" + std::to_string(getpid()) + ".txt"; }
    static std::vector<std::string> Args(const std::string& script, std::vector<std::string> args) {
        args.insert(args.begin(), "--headless");
        if (script.empty()) return args;
        std::ofstream(File()) << script;
        args.insert(args.end(), {"--input", File()});
        return args;
    }
};
