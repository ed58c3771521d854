// The game under odd window sizes and cursor places: a window shrunk to
// nothing fires nothing and breaks nothing, and once restored the aim lands
// under the cursor again.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "app/AppClass.h"
#include "game/GameManager.h"
#include "objects/Player.h"

namespace {

class ResizeApp : public AppClass {
public:
    ResizeApp() : AppClass(nullptr, {"--headless"}, 0, false) { InitHeadless(); }
    ReEng::Input& In() { return m_input; }
    ReEng::SystemSingleton& System() { return *m_pSystem; }
};

class Resize : public ::testing::Test {
protected:
    ResizeApp app;
    Player& ThePlayer() { return *app.gameManager->player; }

    void SetUp() override
    {
        app.In().SetKey(sf::Keyboard::Enter, true);
        app.RunFrame();
        app.In().SetKey(sf::Keyboard::Enter, false);
        ASSERT_EQ(app.gameManager->state, Playing);
    }
    // Fires at the cursor with a fresh cooldown; the first bullet, or null.
    const Bullet* FireAt(int x, int y)
    {
        for (Bullet& bullet : ThePlayer().bullets) bullet.active = false;
        ThePlayer().canShoot = true;
        app.In().SetMousePosition({x, y});
        app.In().SetButton(sf::Mouse::Left, true);
        app.ProcessMouse();
        app.In().SetButton(sf::Mouse::Left, false);
        return ThePlayer().bullets[0].active ? &ThePlayer().bullets[0] : nullptr;
    }
};

}  // namespace

TEST_F(Resize, ShrunkToOnePixelAndRestoredAimsUnderTheCursorAgain)
{
    app.Reshape(1, 1);
    EXPECT_EQ(FireAt(0, 0), nullptr);
    for (int i = 0; i < 30; ++i) app.RunFrame();
    app.Reshape(1080, 720);
    // A third of the way right of the centre and a quarter up: the point
    // (5, 2.8) from the camera.
    const glm::vec4 p = ThePlayer().translationMatrix[3];
    const float hc = app.gameManager->camera->GetPosition(-1).y;
    const Bullet* bullet = FireAt(540 + 180, 360 - 90);
    ASSERT_NE(bullet, nullptr);
    const glm::vec3 expected = 10.0f * glm::normalize(glm::vec3(5.0f - p.x, 2.8f - (p.y - hc), 0.0f));
    EXPECT_NEAR(bullet->velocity.x, expected.x, 1e-4f);
    EXPECT_NEAR(bullet->velocity.y, expected.y, 1e-4f);
}

TEST_F(Resize, DegenerateSizesAndFarCursorsNeverGiveANonFiniteShot)
{
    // Sizes as SFML's unsigned ones arrive narrowed to int, wrapped included.
    const int sizes[][2] = {{0, 0}, {1, 720}, {1080, 1}, {2, 2}, {3, 3}, {-1, -1}, {INT_MAX, INT_MAX}, {INT_MIN, 5}};
    const int cursors[][2] = {{0, 0}, {1, 1}, {-1, -1}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}};
    for (const auto& size : sizes) {
        app.Reshape(size[0], size[1]);
        for (const auto& cursor : cursors) {
            const Bullet* bullet = FireAt(cursor[0], cursor[1]);
            if (bullet == nullptr) continue;
            EXPECT_TRUE(std::isfinite(bullet->velocity.x) && std::isfinite(bullet->velocity.y))
                << size[0] << "x" << size[1] << " at " << cursor[0] << "," << cursor[1];
            EXPECT_NEAR(glm::length(bullet->velocity), 10.0f, 1e-3f);
        }
        app.RunFrame();
    }
    // The window's corner far off the screen, as a window dragged away.
    app.System().SetWindowRect(INT_MAX - 100, INT_MIN + 100, 1080, 720);
    for (const auto& cursor : cursors) {
        const Bullet* bullet = FireAt(cursor[0], cursor[1]);
        if (bullet != nullptr) {
            EXPECT_TRUE(std::isfinite(bullet->velocity.x) && std::isfinite(bullet->velocity.y));
        }
    }
}
