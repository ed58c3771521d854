#include "game/GameManager.h"

#include <string>
#include <vector>

#include "engine/portable/DecimalText.h"
#include "engine/portable/Portable.h"
#include "level/LevelManager.h"
#include "objects/Player.h"

GameManager* GameManager::instance = nullptr;

namespace {

// The section holding a height. Heights at or below -20 (which play never
// reaches) and any height past the last section index count as section 0,
// so the unsigned truncation is always defined.
unsigned int SectionOf(float height) {
    const float section = height / LevelManager::kSectionHeight;
    if (!(section > -1.0f) || section >= 4294967296.0f) return 0u;
    return static_cast<unsigned int>(section);
}

std::string ScoreLine(int score, float maxHeight) {
    const int shown = static_cast<int>(static_cast<float>(score) + maxHeight * 10.0f);
    return "Score: " + ReEng::DecimalText(shown);
}

}  // namespace

GameManager::GameManager()
    : state(Title),
      camera(nullptr),
      player(nullptr),
      level(nullptr),
      meshManager(nullptr),
      score(0),
      maxHeight(0.0f),
      sectionReached(false),
      sectionQueued(false) {}

void GameManager::StartGame() {
    player = new Player(glm::vec3(0.0f, 0.3f, 0.0f), 0.2f);
    camera->MoveVertical(-camera->GetPosition(-1).y, -1);
    level->GenerateSection(0, 0);
}

void GameManager::UpdateFrame(float deltaTime) {
    if (state != Playing) {
        Draw();
        return;
    }

    player->Update(deltaTime);

    const float h = player->translationMatrix[3].y;
    if (h > maxHeight) maxHeight = h;

    const int section = static_cast<int>(SectionOf(h));

    if (!player->rising) {
        for (Platform* platform : level->GetPlatforms(section)) {
            if (player->boundingObject->IsColliding(*platform->boundingObject, true)) {
                player->velocity.y = player->jumpSpeed;
                player->airborne = true;
                player->rising = true;
            }
        }
    }

    for (Obstacle* obstacle : level->GetObstacles(section)) {
        if (obstacle->active && player->boundingObject->IsColliding(*obstacle->boundingObject, true)) state = GameOver;
    }

    for (Bullet& bullet : player->bullets) {
        if (!bullet.active) continue;
        for (Obstacle* obstacle : level->obstacles) {
            if (obstacle->active && bullet.boundingObject->IsColliding(*obstacle->boundingObject, true)) {
                obstacle->active = false;
                bullet.active = false;
                score += 50;
            }
        }
    }

    const float c = camera->GetPosition(-1).y;
    if (h - c > 0.0f)
        camera->MoveVertical(h - c, -1);
    else
        camera->MoveVertical((static_cast<float>(level->sectionCount) * 0.01f + 1.0f) * deltaTime, -1);

    const float cameraHeight = camera->GetPosition(-1).y;
    if (!sectionQueued &&
        cameraHeight > static_cast<float>(level->sectionCount) * LevelManager::kSectionHeight - 10.0f) {
        sectionReached = true;
        sectionQueued = true;
    }
    if (sectionReached && sectionQueued) {
        if (level->sectionCount > 1) level->RemoveSection(static_cast<int>(level->sectionCount - 2));
        level->GenerateSection(ReEng::rand() % 3, static_cast<int>(level->sectionCount));
        sectionReached = false;
        sectionQueued = false;
    }

    if (cameraHeight - h > 11.0f) state = GameOver;

    Draw();
}

void GameManager::Draw() {
    const glm::vec3 white(1.0f, 1.0f, 1.0f);
    switch (state) {
        case Title:
            meshManager->PrintLine("Press Enter to Start", white);
            break;
        case Playing:
            player->Draw(meshManager);
            level->DrawPlatforms(meshManager);
            level->DrawObstacles(meshManager);
            meshManager->PrintLine(ScoreLine(score, maxHeight), white);
            break;
        case Paused:
            meshManager->PrintLine("Paused", white);
            break;
        case GameOver:
            meshManager->PrintLine("Game Over", white);
            meshManager->PrintLine(ScoreLine(score, maxHeight), white);
            break;
    }
}
