#include "app/StateDigest.h"

#include <cstring>

#include "engine/scene/CameraManagerSingleton.h"
#include "game/GameManager.h"
#include "level/LevelManager.h"
#include "objects/Obstacle.h"
#include "objects/Platform.h"
#include "objects/Player.h"

namespace {

class Fnv1a {
public:
    template <typename T>
    void Add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) m_hash = (m_hash ^ b) * 0x100000001b3ULL;
    }
    void Add(bool value) { Add(static_cast<unsigned char>(value ? 1 : 0)); }
    void Add(const glm::vec3& v) { Add(v.x), Add(v.y), Add(v.z); }
    void Add(const glm::mat4& m) {
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r) Add(m[c][r]);
    }
    std::uint64_t Value() const { return m_hash; }

private:
    std::uint64_t m_hash = 0xcbf29ce484222325ULL;
};

void AddObject(Fnv1a& h, const GameObject& object) {
    h.Add(object.translationMatrix);
    h.Add(object.scaleMatrix);
}

}  // namespace

unsigned long long GameStateDigest() {
    Fnv1a h;
    const GameManager* game = GameManager::instance;
    if (game == nullptr) return h.Value();
    h.Add(static_cast<std::int32_t>(game->state));
    h.Add(static_cast<std::int32_t>(game->score));
    h.Add(game->maxHeight);
    h.Add(game->sectionReached);
    h.Add(game->sectionQueued);
    if (game->camera != nullptr) h.Add(game->camera->GetPosition(-1));
    if (const Player* player = game->player) {
        AddObject(h, *player);
        h.Add(player->modelMatrix);
        h.Add(player->velocity);
        h.Add(player->airborne);
        h.Add(player->rising);
        h.Add(player->shotTimer);
        h.Add(player->canShoot);
        for (const Bullet& bullet : player->bullets) {
            h.Add(bullet.active);
            h.Add(bullet.age);
            h.Add(bullet.velocity);
            AddObject(h, bullet);
        }
    }
    if (const LevelManager* level = game->level) {
        h.Add(static_cast<std::uint32_t>(level->sectionCount));
        for (const Platform* platform : level->platforms) AddObject(h, *platform);
        for (const Obstacle* obstacle : level->obstacles) {
            AddObject(h, *obstacle);
            h.Add(obstacle->active);
        }
    }
    return h.Value();
}
