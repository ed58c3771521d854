#pragma once
// A headless game wired as the application wires it, with no window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/CameraManagerSingleton.h"
#include "engine/MeshManagerSingleton.h"
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
