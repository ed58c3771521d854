#pragma once
// A headless game wired as the application wires it, with no window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/CameraManagerSingleton.h"
#include "engine/MeshManagerSingleton.h"
#include "game/GameManager.h"
#include "level/LevelManager.h"
#include "objects/Player.h"

class GameFixture : public ::testing::Test {
protected:
    ReEng::MeshManagerSingleton* mesh = ReEng::MeshManagerSingleton::GetInstance();
    ReEng::CameraManagerSingleton* camera = ReEng::CameraManagerSingleton::GetInstance();
    LevelManager* level = LevelManager::GetInstance();
    GameManager game;

    void SetUp() override
    {
        camera->SetCameraMode(ReEng::CAMROTHOZ, -1);
        level->meshManager = game.meshManager = mesh;
        game.camera = camera;
        game.level = level;
    }
    void TearDown() override
    {
        delete game.player;
        game.player = nullptr;
        LevelManager::ReleaseInstance();
        ReEng::MeshManagerSingleton::ReleaseInstance();
        ReEng::CameraManagerSingleton::ReleaseInstance();
    }
    Player& Start()
    {
        game.state = Playing;
        game.StartGame();
        return *game.player;
    }
    // One frame of the rules, the previous frame's queue emptied first.
    void Frame(float deltaTime = 1.0f / 60.0f)
    {
        mesh->Render();
        game.UpdateFrame(deltaTime);
    }
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (const auto& line : mesh->GetQueue().lines) lines.push_back(line.text);
        return lines;
    }
    float CameraHeight() const { return camera->GetPosition(-1).y; }
    void SetCameraHeight(float y) { camera->MoveVertical(y - CameraHeight(), -1); }

    static void Place(Player& player, float x, float y, bool falling = false)
    {
        player.translationMatrix[3].x = x;
        player.translationMatrix[3].y = y;
        player.UpdateModelMatrix(player.translationMatrix * player.scaleMatrix);
        if (!falling) return;  // falling: platform contacts are tested this frame
        player.airborne = true;
        player.rising = false;
        player.velocity = glm::vec3(0.0f, -0.01f, 0.0f);
    }
    // Extra objects in a section, owned by the level like a pattern's.
    Platform* AddPlatform(int section, float x, float y)
    {
        auto* platform = new Platform(mesh, glm::vec3(x, y, 0.0f), glm::vec3(1.5f), "test_plat");
        level->sectionPlatforms[section].push_back(platform);
        level->AddPlatform(platform);
        return platform;
    }
    Obstacle* AddObstacle(int section, float x, float y, const std::string& name = "test_obst")
    {
        auto* obstacle = new Obstacle(mesh, glm::vec3(x, y, 0.0f), glm::vec3(1.0f), name);
        level->sectionObstacles[section].push_back(obstacle);
        level->AddObstacle(obstacle);
        return obstacle;
    }
};
