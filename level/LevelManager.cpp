#include "level/LevelManager.h"

#include <string>

#include "engine/portable/DecimalText.h"
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

// Frees an object of an owning list and drops its entry; one not in the
// list is left alone: it is not ours to free.
template <typename T>
void RemoveOwned(std::vector<T*>& owned, T* object) {
    for (auto it = owned.begin(); it != owned.end(); ++it) {
        if (*it == object) {
            delete object;
            owned.erase(it);
            return;
        }
    }
}

// Removes every object a section lists, then the section's entry, so later
// look-ups cannot hand out the freed objects.
template <typename T, typename Remove>
void RemoveListed(std::map<int, std::vector<T*>>& bySection, int section, Remove remove) {
    const auto found = bySection.find(section);
    if (found == bySection.end()) return;
    for (T* object : found->second) remove(object);
    bySection.erase(found);
}

// Looked up with find, not subscripted: asking about a section that does not
// exist (below the course, or just removed) must not grow the map.
template <typename T>
std::vector<T*> Listed(const std::map<int, std::vector<T*>>& bySection, int section) {
    const auto found = bySection.find(section);
    return found == bySection.end() ? std::vector<T*>() : found->second;
}

}  // namespace

void LevelManager::GenerateSection(int pattern, int section) {
    ++sectionCount;
    const SectionPattern table = SectionPattern::Get(pattern);
    const float base = float(section) * kSectionHeight;
    const std::string sectionDigits = ReEng::DecimalText(section);

    // Only the objects made by this call go to the owning lists, so a section
    // built twice never hands one object to them twice.
    std::vector<Platform*> newPlatforms;
    std::vector<Obstacle*> newObstacles;
    for (std::size_t k = 0; k < table.count; ++k) {
        const SectionPattern::Entry& entry = table.entries[k];
        const glm::vec3 position(entry.x, base + entry.dy, 0.0f);
        const std::string entryDigits = ReEng::DecimalText(static_cast<int>(k));
        if (entry.kind == SectionPattern::Kind::Platform) {
            Platform* platform =
                new Platform(meshManager, position, glm::vec3(1.5f, 1.5f, 1.5f), "plat_" + sectionDigits + entryDigits);
            sectionPlatforms[section].push_back(platform);
            newPlatforms.push_back(platform);
        } else {
            Obstacle* obstacle =
                new Obstacle(meshManager, position, glm::vec3(1.0f, 1.0f, 1.0f), "obst_" + sectionDigits + entryDigits);
            sectionObstacles[section].push_back(obstacle);
            newObstacles.push_back(obstacle);
        }
    }
    for (Platform* platform : newPlatforms) AddPlatform(platform);
    for (Obstacle* obstacle : newObstacles) AddObstacle(obstacle);
}

void LevelManager::RemoveSection(int section) {
    RemoveListed(sectionPlatforms, section, [this](Platform* platform) { RemovePlatform(platform); });
    RemoveListed(sectionObstacles, section, [this](Obstacle* obstacle) { RemoveObstacle(obstacle); });
}

std::vector<Platform*> LevelManager::GetPlatforms(int section) { return Listed(sectionPlatforms, section); }

std::vector<Obstacle*> LevelManager::GetObstacles(int section) { return Listed(sectionObstacles, section); }

void LevelManager::AddPlatform(Platform* platform) { platforms.push_back(platform); }

void LevelManager::AddObstacle(Obstacle* obstacle) { obstacles.push_back(obstacle); }

void LevelManager::RemovePlatform(Platform* platform) { RemoveOwned(platforms, platform); }

void LevelManager::RemoveObstacle(Obstacle* obstacle) { RemoveOwned(obstacles, obstacle); }

void LevelManager::DrawPlatforms(ReEng::MeshManagerSingleton* meshManager) {
    for (Platform* platform : platforms) platform->Draw(meshManager);
}

void LevelManager::DrawObstacles(ReEng::MeshManagerSingleton* meshManager) {
    for (Obstacle* obstacle : obstacles) {
        if (obstacle->active) obstacle->Draw(meshManager);
    }
}
