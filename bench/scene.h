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
        Transfer(false);
        MoveCameraTo(saved.cameraY);
    }

    bool StillTwoSections() const {
        return game->state == Playing && game->level->sectionCount == 2 && game->level->sectionPlatforms.size() == 2;
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
        saved.obstacleActive.resize(game->level->obstacles.size());
        saved.cameraY = camera->GetPosition(-1).y;
        Transfer(true);
    }

    // One list of what a frame changes, copied either way.
    template <typename T>
    static void Keep(bool save, T& live, T& kept) {
        if (save)
            kept = live;
        else
            live = kept;
    }

    void Transfer(bool save) {
        Keep(save, game->state, saved.state);
        Keep(save, game->score, saved.score);
        Keep(save, game->maxHeight, saved.maxHeight);
        Keep(save, game->sectionReached, saved.sectionReached);
        Keep(save, game->sectionQueued, saved.sectionQueued);
        Player& player = *game->player;
        Keep(save, player.translationMatrix, saved.player);
        Keep(save, player.velocity, saved.velocity);
        Keep(save, player.airborne, saved.airborne);
        Keep(save, player.rising, saved.rising);
        Keep(save, player.shotTimer, saved.shotTimer);
        Keep(save, player.canShoot, saved.canShoot);
        for (int i = 0; i < Player::kBulletCount; ++i) {
            Bullet& bullet = player.bullets[i];
            Keep(save, bullet.translationMatrix, saved.bullets[i].matrix);
            Keep(save, bullet.velocity, saved.bullets[i].velocity);
            Keep(save, bullet.active, saved.bullets[i].active);
            Keep(save, bullet.age, saved.bullets[i].age);
        }
        for (std::size_t i = 0; i < saved.obstacleActive.size(); ++i) {
            bool active = game->level->obstacles[i]->active;
            bool kept = saved.obstacleActive[i];
            Keep(save, active, kept);
            game->level->obstacles[i]->active = active;
            saved.obstacleActive[i] = kept;
        }
    }
};

}  // namespace bench
