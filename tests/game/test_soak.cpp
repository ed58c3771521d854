// Long headless games under random input: whatever is mashed, the course
// stays consistent after every frame and nothing leaks between games.
// On a failure the seed is printed; RandomScript.h rebuilds its script.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>

#include "app/AppClass.h"
#include "engine/BoundingObjectClass.h"
#include "engine/InputScript.h"
#include "game/GameManager.h"
#include "level/LevelManager.h"
#include "objects/Player.h"
#include "tests/game/RandomScript.h"

using Key = sf::Keyboard;

namespace {

class SoakApp : public AppClass {
public:
    SoakApp() : AppClass(nullptr, {"--headless", "--frame-time", "0.0166666"}, 0, false) { InitHeadless(); }
    bool QuitRequested() const { return m_pWindow->IsQuitRequested(); }
    ReEng::Input& In() { return m_input; }
};

bool Finite(const glm::vec4& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

int SectionOfHeight(float y) { return static_cast<int>(std::floor(y / LevelManager::kSectionHeight)); }

// What must hold after every frame, with the previous frame's score and height.
::testing::AssertionResult CheckFrame(const GameManager& game, int& lastScore, float& lastMaxHeight)
{
    const LevelManager& level = *game.level;
    std::set<const void*> owned;
    std::set<int> heightSections;
    for (const Platform* p : level.platforms) {
        if (p == nullptr || !owned.insert(p).second) return ::testing::AssertionFailure() << "platform listed twice";
        heightSections.insert(SectionOfHeight(p->translationMatrix[3].y));
    }
    for (const Obstacle* o : level.obstacles) {
        if (o == nullptr || !owned.insert(o).second) return ::testing::AssertionFailure() << "obstacle listed twice";
        heightSections.insert(SectionOfHeight(o->translationMatrix[3].y));
    }
    std::set<int> mapSections;
    std::set<const void*> indexed;
    auto index = [&](int section, const std::vector<const void*>& list) -> ::testing::AssertionResult {
        if (!list.empty()) mapSections.insert(section);
        for (const void* object : list) {
            if (owned.count(object) == 0)
                return ::testing::AssertionFailure() << "section " << section << " lists an object no list owns";
            if (!indexed.insert(object).second)
                return ::testing::AssertionFailure() << "an object is indexed under two sections or twice";
        }
        return ::testing::AssertionSuccess();
    };
    for (const auto& entry : level.sectionPlatforms) {
        auto r = index(entry.first, std::vector<const void*>(entry.second.begin(), entry.second.end()));
        if (!r) return r;
    }
    for (const auto& entry : level.sectionObstacles) {
        auto r = index(entry.first, std::vector<const void*>(entry.second.begin(), entry.second.end()));
        if (!r) return r;
    }
    if (indexed.size() != owned.size())
        return ::testing::AssertionFailure() << owned.size() - indexed.size() << " owned objects are in no section";
    if (mapSections.size() > 2 || heightSections.size() > 2)
        return ::testing::AssertionFailure() << mapSections.size() << " sections live (" << heightSections.size()
                                             << " by height), sectionCount " << level.sectionCount;

    // Every volume belongs to a live object: the player and its ten bullets,
    // and the course. More means a leak, fewer a double delete.
    const int expected = (game.player ? 1 + Player::kBulletCount : 0) + static_cast<int>(owned.size());
    if (ReEng::BoundingObjectClass::GetLiveCount() != expected)
        return ::testing::AssertionFailure() << ReEng::BoundingObjectClass::GetLiveCount() << " volumes live, "
                                             << expected << " objects";

    if (game.score < lastScore) return ::testing::AssertionFailure() << "score fell to " << game.score;
    if (game.maxHeight < lastMaxHeight) return ::testing::AssertionFailure() << "maxHeight fell to " << game.maxHeight;
    lastScore = game.score;
    lastMaxHeight = game.maxHeight;

    if (game.player != nullptr) {
        const Player& player = *game.player;
        if (!Finite(player.translationMatrix[3]) || !std::isfinite(player.velocity.x) ||
            !std::isfinite(player.velocity.y))
            return ::testing::AssertionFailure() << "the player's position or speed is not finite";
        for (const Bullet& bullet : player.bullets) {
            if (bullet.active && (!Finite(bullet.translationMatrix[3]) || !std::isfinite(bullet.velocity.x) ||
                                  !std::isfinite(bullet.velocity.y)))
                return ::testing::AssertionFailure() << "a flying bullet's position or speed is not finite";
        }
    }
    return ::testing::AssertionSuccess();
}

// A helping hand for the soak: the course cannot be climbed past section 1
// by bouncing alone (a bounce rises 2.4 units and pattern 0 has a gap of 3),
// so a falling player is lifted above the next platform up, as a perfect
// player might reach it. It also shoots the nearest obstacle. The rest is
// random input. Window 1080 x 720 at (0, 0), as headless.
void Guide(GameManager& game, ReEng::Input& input)
{
    if (game.state != Playing || game.player == nullptr) return;
    Player& player = *game.player;
    const float py = player.translationMatrix[3].y;
    if (!player.airborne) input.SetKey(Key::Up, true);
    if (player.velocity.y < 0.0f) {
        const Platform* next = nullptr;
        for (const Platform* p : game.level->platforms) {
            const float y = p->translationMatrix[3].y;
            if (y < py + 0.5f || y > py + 4.0f) continue;
            if (next == nullptr || y < next->translationMatrix[3].y) next = p;
        }
        if (next != nullptr) {
            player.translationMatrix[3].x = next->translationMatrix[3].x;
            player.translationMatrix[3].y = next->translationMatrix[3].y + 0.4f;
            player.velocity.x = 0.0f;
        }
    }
    const float hc = game.camera->GetPosition(-1).y;
    const Obstacle* target = nullptr;
    for (const Obstacle* o : game.level->obstacles) {
        const glm::vec4 at = o->translationMatrix[3];
        if (!o->active || at.y < hc - 9.0f || at.y > hc + 10.0f) continue;
        if (target == nullptr || std::abs(at.y - py) < std::abs(target->translationMatrix[3].y - py)) target = o;
    }
    input.SetButton(sf::Mouse::Left, target != nullptr && player.canShoot);
    if (target != nullptr) {
        const glm::vec4 at = target->translationMatrix[3];
        const float ny = (at.y - hc) / 10.0f - 0.03f;
        input.SetMousePosition({static_cast<int>(std::lround(540.0f + at.x / 15.0f * 540.0f)),
                                static_cast<int>(std::lround(360.0f - ny * 360.0f))});
    }
}

struct SoakResult {
    unsigned frames = 0;
    int games = 0;
    unsigned highestSectionCount = 0;
};

// Runs the script frame by frame; a new game starts once a game has stayed
// over for a while, since GameOver is final.
SoakResult Soak(const soak::ScriptOptions& options, bool guided)
{
    SoakResult result;
    ReEng::InputScript script;
    std::istringstream text(soak::GenerateScript(options));
    std::string error;
    EXPECT_TRUE(script.Parse(text, "seed " + std::to_string(options.seed), error)) << error;

    std::mt19937 random(options.seed ^ 0x9e3779b9u);
    unsigned frame = 0;
    while (frame < options.frames && !::testing::Test::HasFailure()) {
        auto app = std::make_unique<SoakApp>();
        ++result.games;
        GameManager& game = *app->gameManager;
        int lastScore = 0;
        float lastMaxHeight = 0.0f;
        unsigned overFor = 0;
        bool guiding = false;
        app->In().SetKey(Key::Enter, true);
        for (; frame < options.frames && overFor < 300; ++frame) {
            script.Apply(frame, app->In());
            // Stretches of guided play alternate with plain mashing.
            if (guided && std::uniform_int_distribution<int>(0, 199)(random) == 0) guiding = !guiding;
            if (guided && guiding) Guide(game, app->In());
            app->RunFrame();
            const ::testing::AssertionResult ok = CheckFrame(game, lastScore, lastMaxHeight);
            if (!ok) {
                ADD_FAILURE() << "seed " << options.seed << " frame " << frame << " (game " << result.games
                              << "): " << ok.message();
                break;
            }
            if (game.level->sectionCount > result.highestSectionCount)
                result.highestSectionCount = game.level->sectionCount;
            if (game.state == GameOver) ++overFor;
            if (app->QuitRequested() && options.escapeChance == 0.0) {
                ADD_FAILURE() << "seed " << options.seed << " frame " << frame << ": quit without Escape";
                break;
            }
        }
        result.frames = frame;
        app.reset();
        EXPECT_EQ(ReEng::BoundingObjectClass::GetLiveCount(), 0) << "seed " << options.seed;
        EXPECT_EQ(GameManager::instance, nullptr) << "seed " << options.seed;
    }
    return result;
}

}  // namespace

TEST(Soak, RandomInputKeepsTheCourseConsistent)
{
    // 5 x 20000 frames; the odd seeds partly guided so that sections stream.
    // VAULTRIX_SOAK_SEED=N replays one seed.
    std::vector<std::uint32_t> seeds = {11u, 22u, 37u, 48u, 59u};
    if (const char* one = std::getenv("VAULTRIX_SOAK_SEED")) seeds = {static_cast<std::uint32_t>(std::atol(one))};
    unsigned total = 0, highest = 0;
    for (std::uint32_t seed : seeds) {
        soak::ScriptOptions options;
        options.seed = seed;
        options.frames = 20000;
        const SoakResult r = Soak(options, seed % 2 == 1);
        total += r.frames;
        if (r.highestSectionCount > highest) highest = r.highestSectionCount;
        std::printf("\nseed %u: %u frames, %d games, up to section %u\n", seed, r.frames, r.games,
                    r.highestSectionCount);
        if (HasFailure()) return;
    }
    EXPECT_EQ(total, 20000u * seeds.size());
    // The streaming checks only mean something if sections were dropped.
    EXPECT_GE(highest, 4u);
}

TEST(Soak, EscapeReleaseQuitsAndNothingElseDoes)
{
    soak::ScriptOptions options;
    options.seed = 7;
    options.frames = 3000;
    options.escapeChance = 0.002;
    ReEng::InputScript script;
    std::istringstream text(soak::GenerateScript(options));
    std::string error;
    ASSERT_TRUE(script.Parse(text, "escape", error)) << error;

    auto app = std::make_unique<SoakApp>();
    bool escapeDown = false;
    for (unsigned frame = 0; frame < options.frames; ++frame) {
        script.Apply(frame, app->In());
        const bool wasDown = escapeDown;
        escapeDown = app->In().IsKeyPressed(Key::Escape);
        app->RunFrame();
        if (!wasDown || escapeDown) {
            ASSERT_FALSE(app->QuitRequested()) << "frame " << frame;
        } else {
            ASSERT_TRUE(app->QuitRequested()) << "frame " << frame;
            return;  // the frame loop would stop here
        }
    }
    FAIL() << "the script never released Escape";
}

TEST(Soak, EscapeHeldWhenOneGameEndsDoesNotQuitTheNext)
{
    {
        SoakApp first;
        first.In().SetKey(Key::Escape, true);
        first.RunFrame();
        ASSERT_FALSE(first.QuitRequested());
    }
    SoakApp second;
    second.RunFrame();
    EXPECT_FALSE(second.QuitRequested());
}
