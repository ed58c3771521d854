// A gamepad played headless through input scripts: it aims around the
// player, lets go when pulled out, and shows in the legend. (What its sticks
// and buttons hold: GamepadTest; a whole game with one: cli.headless_run.)
#include "tests/game/GameFixture.h"

namespace {

// The pad starts the game at frame 0; the south button held one step more launches.
const char* const kStart = "0 pad connect\n0 pad button 0 down\n2 pad button 0 up\n";

glm::vec3 NewestShot(const Player& player)  // the direction of the youngest flying bullet
{
    const Bullet* newest = nullptr;
    for (const Bullet& bullet : player.bullets)
        if (bullet.active && (newest == nullptr || bullet.age < newest->age)) newest = &bullet;
    return newest ? glm::normalize(newest->velocity) : glm::vec3(0.0f);
}

}  // namespace

TEST(PadTest, RightStickAimsAroundThePlayerInFourDirectionsAndTheTriggerFires) {
    // Each direction held for 40 steps, longer than the shot delay, firing with
    // the right shoulder and then the trigger (which rests at -100).
    TestApp app(std::string(kStart) +
                "3 pad axis R -100\n"
                "10 pad axis U 100\n10 pad button 5 down\n"
                "50 pad axis U 0\n50 pad axis V -100\n"
                "90 pad axis V 100\n90 pad button 5 up\n90 pad axis R 100\n"
                "130 pad axis V 0\n130 pad axis U -70\n");
    const struct {
        int until;
        glm::vec3 direction;
    } shots[] = {{50, {1, 0, 0}}, {90, {0, 1, 0}}, {130, {0, -1, 0}}, {170, {-1, 0, 0}}};
    app.Run(10);
    EXPECT_EQ(NewestShot(*app.gameManager->player), glm::vec3(0.0f)) << "fired at rest";
    int frame = 10;
    for (const auto& shot : shots) {
        app.Run(shot.until - frame);
        frame = shot.until;
        ASSERT_EQ(app.gameManager->state, Playing);
        const glm::vec3 d = NewestShot(*app.gameManager->player);
        EXPECT_NEAR(d.x, shot.direction.x, 0.01f) << frame;
        EXPECT_NEAR(d.y, shot.direction.y, 0.01f) << frame;
    }
}

TEST(PadTest, APadPulledOutReleasesWhatItHeldAndThePadAim) {
    TestApp app(std::string(kStart) +
                "4 pad axis X 100\n4 pad axis U 100\n4 pad button 5 down\n"
                "20 pad disconnect\n"
                "30 pad connect\n");  // back again: nothing held
    app.Run(20);
    ReEng::Input& input = app.m_input;
    Player& player = *app.gameManager->player;
    EXPECT_TRUE(input.IsKeyPressed(sf::Keyboard::D));
    EXPECT_TRUE(input.IsButtonPressed(sf::Mouse::Left));
    const float vx = player.velocity.x;
    app.Run(1);
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::D));
    EXPECT_FALSE(input.IsButtonPressed(sf::Mouse::Left));
    EXPECT_LT(player.velocity.x, vx);                         // slowing down
    EXPECT_EQ(input.GetMousePosition(), sf::Vector2i(0, 0));  // the script's mouse again
    app.Run(10);
    EXPECT_FALSE(input.IsKeyPressed(sf::Keyboard::D));
    EXPECT_FALSE(input.IsButtonPressed(sf::Mouse::Left));
}

// A scripted window may lie at the far end of what an int says: the aim
// around it stays at that end rather than wrapping to the other.
TEST(PadTest, AWindowAtTheFarEndAimsThereWithoutOverflow) {
    for (const char* window : {"0 window 2147483600 2147483600 1000 1000\n", "0 window 2147483647 2147483647 1 1\n"}) {
        TestApp app(std::string(window) + kStart + "3 pad axis U 100\n");
        app.Run(5);
        const sf::Vector2i aim = app.m_input.GetMousePosition();
        EXPECT_GE(aim.x, 2147483600) << window;
        EXPECT_GE(aim.y, 2147483600) << window;
    }
}

// The title's legend gains the pad's line once a pad is there.
TEST(PadTest, TheLegendShowsThePadWhenOneIsThere) {
    TestApp app("3 pad connect\n");
    app.Run(1);
    ASSERT_EQ(app.GetLegend().size(), 2u);
    EXPECT_EQ(app.GetLegend()[0].rfind("Keys:", 0), 0u);
    app.Run(3);
    ASSERT_EQ(app.GetLegend().size(), 3u);
    EXPECT_EQ(app.GetLegend()[2].rfind("Pad:", 0), 0u);
}
