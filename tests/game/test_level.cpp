// Sections: the patterns, look-ups, removal, drawing, release, long streaming.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "level/LevelManager.h"

namespace {

struct Entry {
    bool platform;
    float x, dy;
};
// Written out again from the design, independently of the game's tables.
// clang-format off
const std::vector<Entry> kPatterns[3] = {
    {{1, 0, 0}, {1, 1, 3}, {1, 3, 2}, {0, 3, 4}, {1, 1, 5}, {0, -1, 6}, {1, -3, 7}, {1, -1, 9},
     {1, 0, 10}, {1, -1, 12}, {0, 1, 13}, {1, 1, 15}, {0, 2, 16}, {1, -2, 17}, {1, 0, 19}},
    {{1, -3, 0}, {1, -1, 2}, {0, 2, 2}, {1, -1, 5}, {1, -2, 7}, {1, 1.5f, 7}, {0, 0, 8}, {1, 0, 10},
     {1, 0.5f, 12}, {1, 4, 13}, {1, -2, 14}, {0, 4, 15}, {1, 1, 16}, {0, -3, 17}, {1, -1, 18}},
    {{1, 1, 0}, {1, -3, 2}, {0, 1, 3}, {1, 0, 5}, {1, -1, 8}, {0, 1, 8}, {1, -1, 10}, {1, 3, 12},
     {1, -2, 14}, {0, 3, 14}, {1, 0, 17}, {0, -2, 17}, {1, -3, 19}},
};
// clang-format on

glm::vec3 Where(const GameObject* object) { return glm::vec3(object->translationMatrix[3]); }

class LevelTest : public ::testing::Test {
protected:
    ReEng::MeshManagerSingleton* mesh = ReEng::MeshManagerSingleton::GetInstance();
    const int liveAtStart = ReEng::BoundingObjectClass::GetLiveCount();
    LevelManager* level = LevelManager::GetInstance();

    void SetUp() override { level->meshManager = mesh; }
    void TearDown() override {
        LevelManager::ReleaseInstance();
        EXPECT_EQ(Live(), 0);
        ReEng::MeshManagerSingleton::ReleaseInstance();
    }
    int Live() const { return ReEng::BoundingObjectClass::GetLiveCount() - liveAtStart; }

    // Section s holds pattern p's entries: kind, name, place and scale.
    void ExpectSection(int p, int s) {
        const std::vector<Platform*> platforms = level->GetPlatforms(s);
        const std::vector<Obstacle*> obstacles = level->GetObstacles(s);
        std::size_t nextPlatform = 0, nextObstacle = 0;
        for (std::size_t k = 0; k < kPatterns[p].size(); ++k) {
            const Entry& e = kPatterns[p][k];
            ASSERT_LT(e.platform ? nextPlatform : nextObstacle,
                      e.platform ? platforms.size() : obstacles.size());
            const GameObject* object = e.platform
                                           ? static_cast<GameObject*>(platforms[nextPlatform++])
                                           : obstacles[nextObstacle++];
            EXPECT_EQ(object->instanceName,
                      (e.platform ? "plat_" : "obst_") + std::to_string(s) + std::to_string(k));
            EXPECT_EQ(Where(object), glm::vec3(e.x, float(s) * 20.0f + e.dy, 0.0f))
                << object->instanceName;
            EXPECT_EQ(object->scaleMatrix[0][0], e.platform ? 1.5f : 1.0f);
        }
        EXPECT_EQ(nextPlatform, platforms.size());
        EXPECT_EQ(nextObstacle, obstacles.size());
    }
};

}  // namespace

TEST_F(LevelTest, PatternsBuildTheirEntriesInAnySection) {
    level->GenerateSection(0, 0);
    level->GenerateSection(2, 3);
    EXPECT_EQ(Where(level->GetPlatforms(3).front()), glm::vec3(1.0f, 60.0f, 0.0f));
    EXPECT_EQ(Where(level->GetPlatforms(3).back()), glm::vec3(-3.0f, 79.0f, 0.0f));
    EXPECT_EQ(level->GetObstacles(3)[2]->instanceName, "obst_39");
    EXPECT_EQ(Where(level->GetObstacles(3)[2]), glm::vec3(3.0f, 74.0f, 0.0f));
    level->GenerateSection(1, 12);
    level->GenerateSection(3, 4);
    level->GenerateSection(-1, 5);
    EXPECT_EQ(level->sectionCount, 5u);
    EXPECT_EQ(Live(), 15 + 13 + 15 + 15 + 15);
    ExpectSection(0, 0);
    ExpectSection(2, 3);
    ExpectSection(1, 12);
    ExpectSection(0, 4);
    ExpectSection(0, 5);
    // Each section's platforms follow the previous section's in the flat list.
    EXPECT_EQ(level->platforms[11], level->GetPlatforms(3).front());
}

TEST_F(LevelTest, RemovalAndReleaseFreeEachObjectOnceAndLookUpsMakeNothingUp) {
    level->GenerateSection(0, 0);
    level->GenerateSection(1, 1);
    const std::vector<Platform*> kept = level->GetPlatforms(1);
    level->obstacles[0]->active = false;  // shot, but still owned
    level->RemoveSection(0);
    level->RemoveSection(0);
    for (int section : {0, -1, 2, INT_MAX}) {
        level->RemoveSection(section);
        EXPECT_TRUE(level->GetPlatforms(section).empty()) << section;
        EXPECT_TRUE(level->GetObstacles(section).empty()) << section;
    }
    EXPECT_EQ(level->platforms, kept);
    EXPECT_EQ(level->obstacles, level->GetObstacles(1));
    EXPECT_EQ(level->sectionCount, 2u);
    EXPECT_EQ(Live(), 15);
    EXPECT_EQ(level->sectionPlatforms.size(), 1u);  // asking makes no sections up

    // Built twice, a section holds both builds, each object once.
    level->GenerateSection(0, 2);
    level->GenerateSection(2, 2);
    EXPECT_EQ(level->GetPlatforms(2).size(), 11u + 9u);
    EXPECT_EQ(std::set<Platform*>(level->platforms.begin(), level->platforms.end()).size(), 11u + 20u);
    level->RemoveSection(2);  // the sanitizers catch a double free here
    EXPECT_EQ(level->platforms, kept);
    EXPECT_EQ(Live(), 15);

    level->obstacles[3]->active = false;
    LevelManager::ReleaseInstance();
    EXPECT_EQ(Live(), 0);
    LevelManager::ReleaseInstance();  // with no instance it does nothing
    level = LevelManager::GetInstance();
    EXPECT_TRUE(level->platforms.empty() && level->sectionPlatforms.empty());
}

TEST_F(LevelTest, DrawingSkipsShotObstaclesAndRepeatedNamesKeepTheirPlaces) {
    // plat_111 is entry 11 of section 1 and entry 1 of section 11.
    level->GenerateSection(0, 1);
    level->GenerateSection(0, 11);
    level->obstacles[1]->active = false;
    level->DrawPlatforms(mesh);
    level->DrawObstacles(mesh);
    const auto& queued = mesh->GetQueue().instances;
    ASSERT_EQ(queued.size(), 22u + 7u);
    std::vector<float> heights;
    for (const auto& instance : queued) {
        if (instance.name == "plat_111") heights.push_back(instance.matrix[3][1]);
    }
    EXPECT_EQ(heights, (std::vector<float>{35.0f, 223.0f}));
    EXPECT_EQ(queued[22].name, "obst_13");
    EXPECT_EQ(queued[23].name, "obst_110");  // obst_15 was shot
    EXPECT_EQ(queued[23].matrix, level->obstacles[2]->modelMatrix);
    EXPECT_FLOAT_EQ(level->GetPlatforms(11)[1]->boundingObject->GetCentreGlobal().y, 223.0f);
}

TEST_F(LevelTest, StreamingAThousandSectionsReadsNoModelAgain) {
    std::set<std::string> names;
    std::size_t made = 0;
    for (int step = 0; step < 1000; ++step) {
        // As the frame rules stream: drop the section two below, build the next.
        if (level->sectionCount > 1) level->RemoveSection(int(level->sectionCount) - 2);
        level->GenerateSection(step % 3, int(level->sectionCount));
        made += kPatterns[step % 3].size();
        for (const Platform* platform : level->platforms) names.insert(platform->instanceName);
        for (const Obstacle* obstacle : level->obstacles) names.insert(obstacle->instanceName);
    }
    EXPECT_EQ(mesh->GetFileReadCount(), 2);
    EXPECT_EQ(mesh->GetInstanceCount(), int(names.size()));
    EXPECT_LT(names.size(), made);  // names repeat over a long run
    EXPECT_EQ(Live(), 13 + 15);     // sections 998 (pattern 2) and 999 (pattern 0)
    EXPECT_EQ(level->sectionPlatforms.size(), 2u);
    ExpectSection(2, 998);
    ExpectSection(0, 999);
}
