#pragma once
// Owns the course: every platform and obstacle, by section.
#include <map>
#include <vector>

#include "engine/scene/MeshManagerSingleton.h"
#include "objects/Obstacle.h"
#include "objects/Platform.h"

class LevelManager {
public:
    ReEng::MeshManagerSingleton* meshManager;
    std::vector<Platform*> platforms;                        // owning
    std::vector<Obstacle*> obstacles;                        // owning
    std::map<int, std::vector<Obstacle*>> sectionObstacles;  // not owning
    std::map<int, std::vector<Platform*>> sectionPlatforms;  // not owning
    unsigned int sectionCount;

    static constexpr float kSectionHeight = 20.0f;

    static LevelManager* GetInstance();
    static void ReleaseInstance();

    void GenerateSection(int pattern, int section);
    void RemoveSection(int section);
    std::vector<Platform*> GetPlatforms(int section);
    std::vector<Obstacle*> GetObstacles(int section);
    void AddPlatform(Platform* platform);
    void AddObstacle(Obstacle* obstacle);
    void RemovePlatform(Platform* platform);
    void RemoveObstacle(Obstacle* obstacle);
    void DrawPlatforms(ReEng::MeshManagerSingleton* meshManager);
    void DrawObstacles(ReEng::MeshManagerSingleton* meshManager);

private:
    LevelManager();
    ~LevelManager() = default;
    LevelManager(const LevelManager&) = delete;
    LevelManager& operator=(const LevelManager&) = delete;

    static LevelManager* instance;
};
