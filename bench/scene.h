#pragma once
// A headless game brought into play with two live sections and all ten
// bullets flying, and a snapshot that puts it back the same way, so every
// measured frame does the same work.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "app/AppClass.h"
#include "game/GameManager.h"
#include "level/LevelManager.h"
#include "objects/Player.h"

namespace bench {

class PlayingScene {
public:
    PlayingScene() : app(new AppClass(nullptr, {"--headless"}, 0, false)) {
        app->InitHeadless();
        game = app->gameManager;
        mesh = ReEng::MeshManagerSingleton::GetInstance();
        camera = ReEng::CameraManagerSingleton::GetInstance();

        // Enter starts the game as a user would.
        app->GetInput().SetKey(sf::Keyboard::Return, true);
        app->RunFrame();
        app->GetInput().SetKey(sf::Keyboard::Return, false);

        // The camera past the trigger height builds section 1: two live sections.
        MoveCameraTo(10.5f);
        game->UpdateFrame(1.0f / 60.0f);
        mesh->Render();

        // Falling through section 0 near its platforms, the camera a little
        // below: each frame tests platforms, obstacles and every bullet.
        Player& player = *game->player;
        player.translationMatrix[3] = glm::vec4(0.0f, 11.0f, 0.0f, 1.0f);
        player.velocity = glm::vec3(0.0f, -0.05f, 0.0f);
        player.airborne = true;
        player.rising = false;
        // Bullets leave the play plane, so none ends on an obstacle and the
        // frame's work stays the same.
        for (Bullet& bullet : player.bullets) {
            bullet.translationMatrix = player.translationMatrix;
            bullet.velocity = glm::vec3(0.0f, 0.0f, 10.0f);
            bullet.active = true;
            bullet.age = 0.0f;
        }
        MoveCameraTo(10.8f);
        Capture();
    }

    ~PlayingScene() { app.reset(); }

    void MoveCameraTo(float y) { camera->MoveVertical(y - camera->GetPosition(-1).y, -1); }

    void Restore() {
        game->state = saved.state;
        game->score = saved.score;
        game->maxHeight = saved.maxHeight;
        game->sectionReached = saved.sectionReached;
        game->sectionQueued = saved.sectionQueued;
        Player& player = *game->player;
        player.translationMatrix = saved.player;
        player.velocity = saved.velocity;
        player.airborne = saved.airborne;
        player.rising = saved.rising;
        player.shotTimer = saved.shotTimer;
        player.canShoot = saved.canShoot;
        for (int i = 0; i < Player::kBulletCount; ++i) {
            Bullet& bullet = player.bullets[i];
            bullet.translationMatrix = saved.bullets[i].matrix;
            bullet.velocity = saved.bullets[i].velocity;
            bullet.active = saved.bullets[i].active;
            bullet.age = saved.bullets[i].age;
        }
        for (std::size_t i = 0; i < game->level->obstacles.size() && i < saved.obstacleActive.size(); ++i)
            game->level->obstacles[i]->active = saved.obstacleActive[i];
        MoveCameraTo(saved.cameraY);
    }

    bool StillTwoSections() const {
        return game->state == Playing && game->level->sectionCount == 2 &&
               game->level->sectionPlatforms.size() == 2;
    }

    std::unique_ptr<AppClass> app;
    GameManager* game = nullptr;
    ReEng::MeshManagerSingleton* mesh = nullptr;
    ReEng::CameraManagerSingleton* camera = nullptr;

private:
    struct BulletState {
        glm::mat4 matrix;
        glm::vec3 velocity;
        bool active;
        float age;
    };
    struct Saved {
        GameState state;
        int score;
        float maxHeight;
        bool sectionReached, sectionQueued;
        glm::mat4 player;
        glm::vec3 velocity;
        bool airborne, rising, canShoot;
        float shotTimer;
        BulletState bullets[Player::kBulletCount];
        std::vector<bool> obstacleActive;
        float cameraY;
    } saved{};

    void Capture() {
        saved.state = game->state;
        saved.score = game->score;
        saved.maxHeight = game->maxHeight;
        saved.sectionReached = game->sectionReached;
        saved.sectionQueued = game->sectionQueued;
        const Player& player = *game->player;
        saved.player = player.translationMatrix;
        saved.velocity = player.velocity;
        saved.airborne = player.airborne;
        saved.rising = player.rising;
        saved.shotTimer = player.shotTimer;
        saved.canShoot = player.canShoot;
        for (int i = 0; i < Player::kBulletCount; ++i) {
            const Bullet& bullet = player.bullets[i];
            saved.bullets[i] = BulletState{bullet.translationMatrix, bullet.velocity, bullet.active, bullet.age};
        }
        for (const Obstacle* obstacle : game->level->obstacles) saved.obstacleActive.push_back(obstacle->active);
        saved.cameraY = camera->GetPosition(-1).y;
    }
};

}  // namespace bench
