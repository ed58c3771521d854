// What the player sees is what collides: contacts read against the sizes a
// frame queues (the ball, its wireframe, bullets, platform and obstacle
// models), at the step of contact and the steps either side.
#include <algorithm>
#include <array>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "tests/game/GameFixture.h"

namespace {

using Queue = ReEng::RenderQueue;
constexpr float kClearX = 10.0f;  // beside every pattern entry: only the test's objects touch

struct Disc {
    glm::vec2 centre;
    float radius;
};
// A model as drawn, seen along z: its triangles flattened onto the xy plane.
using Shape = std::vector<std::array<glm::vec2, 3>>;

Disc Shown(const Queue::Sphere& sphere) {
    return {glm::vec2(sphere.matrix[3]), Queue::Sphere::kRadius * glm::length(glm::vec3(sphere.matrix[0]))};
}
Disc Shown(const Queue::Wire& wire)  // the wire sphere has radius 1
{
    return {glm::vec2(wire.matrix[3]), glm::length(glm::vec3(wire.matrix[0]))};
}
float Distance(glm::vec2 p, const std::array<glm::vec2, 3>& t) {
    float side[3], nearest = INFINITY;
    for (int i = 0; i < 3; ++i) {
        const glm::vec2 a = t[i], b = t[(i + 1) % 3], ab = b - a;
        side[i] = ab.x * (p.y - a.y) - ab.y * (p.x - a.x);
        const float along =
            glm::dot(ab, ab) > 0.0f ? glm::clamp(glm::dot(p - a, ab) / glm::dot(ab, ab), 0.0f, 1.0f) : 0.0f;
        nearest = std::min(nearest, glm::length(p - (a + along * ab)));
    }
    // A face seen edge-on has no inside; its edges still count.
    const bool inside = (side[0] > 0 && side[1] > 0 && side[2] > 0) || (side[0] < 0 && side[1] < 0 && side[2] < 0);
    return inside ? 0.0f : nearest;
}
// Between the drawn outlines of a disc and a shape: at most 0 when they overlap.
float Gap(const Disc& disc, const Shape& shape) {
    float nearest = INFINITY;
    for (const auto& triangle : shape) nearest = std::min(nearest, Distance(disc.centre, triangle));
    return nearest - disc.radius;
}

class ContactTest : public GameFixture {
protected:
    // The model instance that the frame queued under this name, as drawn.
    Shape ShownModel(const std::string& name) const {
        for (const Queue::Instance& instance : mesh->GetQueue().instances) {
            if (instance.name != name) continue;
            const std::vector<glm::vec3>& positions = mesh->GetModels().at(instance.model).positions;
            Shape shape(positions.size() / 3);
            for (std::size_t i = 0; i < positions.size(); ++i)
                shape[i / 3][i % 3] = glm::vec2(instance.matrix * glm::vec4(positions[i], 1.0f));
            return shape;
        }
        ADD_FAILURE() << name << " was not queued";
        return {};
    }
    // The player's ball as a frame shows it; after a Game Over frame, which
    // shows only text, as the player's own Draw would queue it.
    Disc ShownBall() {
        if (mesh->GetQueue().spheres.empty()) game.player->Draw(mesh);
        return Shown(mesh->GetQueue().spheres.at(0));
    }
};

}  // namespace

// Dropped at the settled fall speed from every phase of one step: the ball
// bounces at the first step its drawn bottom reaches the platform's drawn
// top, never later, and its wireframe is the ball's outline throughout.
TEST_F(ContactTest, BallBouncesOnThePlatformsDrawnTopWithoutSinking) {
    Player& player = Start();
    const Platform* platform = Add<Platform>(0, kClearX, 4.0f);
    constexpr int kPhases = 20;
    for (int phase = 0; phase < kPhases; ++phase) {
        SCOPED_TRACE(phase);
        Place(player, kClearX, 5.0f + 0.2f * static_cast<float>(phase) / kPhases, true);
        player.velocity.y = -0.2f;
        float before = INFINITY;  // the drawn gap one step earlier
        bool bounced = false;
        for (int frame = 0; frame < 40 && !bounced; ++frame) {
            const float fall = -player.velocity.y;
            Frame(0.0f);
            const Disc ball = ShownBall();
            const float gap = Gap(ball, ShownModel(platform->instanceName));
            ASSERT_EQ(mesh->GetQueue().wires.size(), 1u);
            const Disc wire = Shown(mesh->GetQueue().wires[0]);
            EXPECT_EQ(wire.centre, ball.centre);
            EXPECT_NEAR(wire.radius, ball.radius, 1e-6f);
            EXPECT_NEAR(player.boundingObject->GetRadiusGlobal(), ball.radius, 1e-6f);
            bounced = player.rising;
            if (bounced) {
                EXPECT_LE(gap, 1e-5f) << "bounced off the air";
                EXPECT_GT(gap, -fall) << "sank more than one step's fall";
            } else {
                EXPECT_GT(gap, 0.0f) << "touching the top without a bounce";
            }
            before = gap;
        }
        ASSERT_TRUE(bounced);
        Frame(0.0f);  // the step after climbs away
        EXPECT_GT(Gap(ShownBall(), ShownModel(platform->instanceName)), before);
    }
}

// Approached from each side and across a corner in small steps, the game
// ends at the first step the drawn ball meets the drawn obstacle.
TEST_F(ContactTest, PlayerLosesAtTheStepItsBallMeetsTheObstacle) {
    Player& player = Start();
    const Obstacle* obstacle = Add<Obstacle>(0, kClearX, 5.0f);
    Frame(0.0f);
    const Shape shown = ShownModel(obstacle->instanceName);
    const glm::vec2 directions[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {0.6f, 0.8f}, {-0.8f, -0.6f}};
    constexpr float kStep = 0.004f;
    for (const glm::vec2& d : directions) {
        SCOPED_TRACE(testing::Message() << d.x << "," << d.y);
        bool lost = false;
        for (int step = 0; step < 200 && !lost; ++step) {
            const glm::vec2 at = glm::vec2(kClearX, 5.0f) + d * (1.0f - kStep * static_cast<float>(step));
            Place(player, at.x, at.y);
            game.state = Playing;
            Frame(0.0f);
            lost = game.state == GameOver;
            const float gap = Gap(ShownBall(), shown);
            if (lost) {
                EXPECT_LE(gap, 1e-5f) << "lost to an obstacle it does not touch";
                EXPECT_GT(gap, -kStep);
            } else {
                EXPECT_GT(gap, 0.0f) << "overlaps the obstacle and plays on";
            }
        }
        EXPECT_TRUE(lost);
    }
}

// Bullets crossing an obstacle at every offset: one whose drawn ball ever
// overlaps the drawn obstacle hits it; one that passes clear by more than its
// own drawn radius misses. In between lies the one band where what is seen
// is not what collides: a pool bullet's volume keeps the 0.1 of the sphere
// the bullet was built around, twice the radius it is drawn with.
TEST_F(ContactTest, BulletHitsWhatItVisiblyOverlapsAndMissesWhatItClearsByItsWidth) {
    Player& player = Start();
    Place(player, -kClearX, 5.0f);  // far from the shots
    Bullet& bullet = player.bullets[0];
    constexpr float kDeltaTime = 0.0005f;  // 0.005 units a step
    for (int offset = 0; offset <= 50; ++offset) {
        const float y = 5.0f + 0.27f + 0.005f * static_cast<float>(offset);
        SCOPED_TRACE(y);
        Obstacle* obstacle = Add<Obstacle>(0, kClearX, 5.0f);
        Frame(0.0f);
        const Shape shown = ShownModel(obstacle->instanceName);
        bullet.translationMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(kClearX - 1.0f, y, 0.0f));
        bullet.velocity = glm::vec3(10.0f, 0.0f, 0.0f);
        bullet.active = true;
        bullet.age = 0.0f;
        float closest = INFINITY, drawnRadius = 0.0f;
        bool hit = false;
        for (int step = 0; step < 400 && !hit; ++step) {
            Frame(kDeltaTime);
            hit = !obstacle->active;
            mesh->Render();  // what the bullet's own Draw shows at its place now
            bullet.Draw(mesh);
            const Disc disc = Shown(mesh->GetQueue().spheres.at(0));
            drawnRadius = disc.radius;
            const float gap = Gap(disc, shown);
            closest = std::min(closest, gap);
            if (hit) {
                EXPECT_LE(gap, drawnRadius + 1e-5f) << "hit from further than the band";
            } else {
                EXPECT_GT(gap, 0.0f) << "overlaps the obstacle and flies on";
            }
        }
        EXPECT_EQ(hit, game.score > 0);
        EXPECT_EQ(hit, closest <= drawnRadius + 1e-5f) << "closest drawn gap " << closest;
        EXPECT_FLOAT_EQ(bullet.boundingObject->GetRadiusGlobal(), 2.0f * drawnRadius);
        game.score = 0;
        bullet.active = obstacle->active = false;  // the next offset gets a fresh obstacle
    }
}
