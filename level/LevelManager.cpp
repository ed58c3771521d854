#include "level/LevelManager.h"

#include <string>

#include "engine/Portable.h"
#include "level/SectionPattern.h"

LevelManager* LevelManager::instance = nullptr;

LevelManager::LevelManager() : meshManager(nullptr), sectionCount(0) {}

LevelManager* LevelManager::GetInstance() {
    if (instance == nullptr) instance = new LevelManager();
    return instance;
}

void LevelManager::ReleaseInstance() {
    if (instance == nullptr) return;
    for (Platform* platform : instance->platforms) {
        if (platform != nullptr) delete platform;
    }
    for (Obstacle* obstacle : instance->obstacles) {
        if (obstacle != nullptr) delete obstacle;
    }
    // The maps only index the objects just freed; they are not followed.
    delete instance;
    instance = nullptr;
}

namespace {

std::string Decimal(int value) {
    char buffer[64];
    ReEng::sprintf_s(buffer, 64, "%d", value);
    return std::string(buffer);
}

}  // namespace

void LevelManager::GenerateSection(int pattern, int section) {
    ++sectionCount;
    const SectionPattern table = SectionPattern::Get(pattern);
    const float base = float(section) * kSectionHeight;
    const std::string sectionDigits = Decimal(section);

    // Only the objects made by this call go to the owning lists, so a section
    // built twice never hands one object to them twice.
    std::vector<Platform*> newPlatforms;
    std::vector<Obstacle*> newObstacles;
    for (std::size_t k = 0; k < table.count; ++k) {
        const SectionPattern::Entry& entry = table.entries[k];
        const glm::vec3 position(entry.x, base + entry.dy, 0.0f);
        const std::string entryDigits = Decimal(static_cast<int>(k));
        if (entry.kind == SectionPattern::Kind::Platform) {
            Platform* platform = new Platform(meshManager, position, glm::vec3(1.5f, 1.5f, 1.5f),
                                              "plat_" + sectionDigits + entryDigits);
            sectionPlatforms[section].push_back(platform);
            newPlatforms.push_back(platform);
        } else {
            Obstacle* obstacle = new Obstacle(meshManager, position, glm::vec3(1.0f, 1.0f, 1.0f),
                                              "obst_" + sectionDigits + entryDigits);
            sectionObstacles[section].push_back(obstacle);
            newObstacles.push_back(obstacle);
        }
    }
    for (Platform* platform : newPlatforms) AddPlatform(platform);
    for (Obstacle* obstacle : newObstacles) AddObstacle(obstacle);
}

void LevelManager::RemoveSection(int section) {
    auto platformsOfSection = sectionPlatforms.find(section);
    if (platformsOfSection != sectionPlatforms.end()) {
        const std::vector<Platform*>& list = platformsOfSection->second;
        for (std::size_t i = 0; i < list.size(); ++i) RemovePlatform(list[i]);
        // Erased so that later look-ups cannot hand out the freed objects.
        sectionPlatforms.erase(platformsOfSection);
    }
    auto obstaclesOfSection = sectionObstacles.find(section);
    if (obstaclesOfSection != sectionObstacles.end()) {
        const std::vector<Obstacle*>& list = obstaclesOfSection->second;
        for (std::size_t i = 0; i < list.size(); ++i) RemoveObstacle(list[i]);
        sectionObstacles.erase(obstaclesOfSection);
    }
}

// Looked up with find, not subscripted: asking about a section that does not
// exist (below the course, or just removed) must not grow the maps.
std::vector<Platform*> LevelManager::GetPlatforms(int section) {
    auto found = sectionPlatforms.find(section);
    if (found == sectionPlatforms.end()) return std::vector<Platform*>();
    return found->second;
}

std::vector<Obstacle*> LevelManager::GetObstacles(int section) {
    auto found = sectionObstacles.find(section);
    if (found == sectionObstacles.end()) return std::vector<Obstacle*>();
    return found->second;
}

void LevelManager::AddPlatform(Platform* platform) { platforms.push_back(platform); }

void LevelManager::AddObstacle(Obstacle* obstacle) { obstacles.push_back(obstacle); }

// An object not in the list is left alone: it is not ours to free.
void LevelManager::RemovePlatform(Platform* platform) {
    for (auto it = platforms.begin(); it != platforms.end(); ++it) {
        if (*it == platform) {
            delete platform;
            platforms.erase(it);
            return;
        }
    }
}

void LevelManager::RemoveObstacle(Obstacle* obstacle) {
    for (auto it = obstacles.begin(); it != obstacles.end(); ++it) {
        if (*it == obstacle) {
            delete obstacle;
            obstacles.erase(it);
            return;
        }
    }
}

void LevelManager::DrawPlatforms(ReEng::MeshManagerSingleton* meshManager) {
    for (Platform* platform : platforms) platform->Draw(meshManager);
}

void LevelManager::DrawObstacles(ReEng::MeshManagerSingleton* meshManager) {
    for (Obstacle* obstacle : obstacles) {
        if (obstacle->active) obstacle->Draw(meshManager);
    }
}
