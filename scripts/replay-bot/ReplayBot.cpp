// replay_bot FILE: a simple bot that climbs the course and writes what it
// pressed to FILE, the input of the golden replay "climb" (tests/replays).
// Built on request only: cmake --build build --target replay_bot.
//
// At each bounce it tries a small family of key plans for the coming arc
// (one key, then another from some step on), predicts where each lands, and
// keeps the one that leads highest within the next arcs; it shoots the
// obstacles near the sphere.
//
// Landing needs care: the game tests only the platforms of the sphere's own
// section, so the first platform of a section is met only in a thin band of
// heights, and some arcs have to be bent (landing lower, from the side) to
// meet it. The bot reads the state each step (velocities, the volumes' boxes
// and radius) rather than fixed sizes, so it keeps working when those
// change, and plans again whenever the sphere is not where it expected.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

#include "app/AppClass.h"
#include "game/GameManager.h"
#include "level/LevelManager.h"
#include "objects/Obstacle.h"
#include "objects/Platform.h"
#include "objects/Player.h"

namespace {

using Key = sf::Keyboard;

struct BotApp : AppClass {
    BotApp() : AppClass(nullptr, {"--headless"}, 0, false) { InitHeadless(); }
    using AppClass::m_input;
};

// Writes a line for every change of what the bot holds, as a script does.
class ScriptWriter {
public:
    void Set(unsigned step, const char* name, bool down, bool& held) {
        if (down == held) return;
        held = down;
        m_out << step << ' ' << name << (down ? " down\n" : " up\n");
    }
    void Mouse(unsigned step, int x, int y) { m_out << step << " mouse " << x << ' ' << y << '\n'; }
    std::string Text() const { return m_out.str(); }

private:
    std::ostringstream m_out;
};

glm::vec3 PositionOf(const GameObject& object) { return glm::vec3(object.translationMatrix[3]); }

int SectionOf(float y) { return static_cast<int>(y / LevelManager::kSectionHeight); }

enum Steer { kLeft = 0, kNone = 1, kRight = 2 };

// The sphere's motion as the steering keys and Player::Update make it, one
// step at a time, so the bot can look ahead.
struct Motion {
    float x, y, vx, vy;
    bool rising;

    void Step(Steer steer, const Player& player) {
        const float s = player.steerSpeed;
        if (steer == kLeft) {
            if (vx > 0.2f * s)
                vx -= 0.4f * s;
            else if (vx > -s)
                vx -= 0.2f * s;
        } else if (steer == kRight) {
            if (vx < -0.2f * s)
                vx += 0.4f * s;
            else if (vx < s)
                vx += 0.2f * s;
        } else if (vx >= 0.1f * s) {
            vx -= 0.07f * s;
        } else if (vx <= -0.1f * s) {
            vx += 0.07f * s;
        } else {
            vx = 0.0f;
        }
        if (vy > -player.jumpSpeed) vy -= player.jumpSpeed * 0.04f;
        if (vy < 0.0f) rising = false;
        x += vx;
        y += vy;
    }
    bool Same(const Motion& other) const { return x == other.x && y == other.y && vx == other.vx && vy == other.vy; }
};

// A platform or live obstacle as its volume places it: a box, scaled and
// moved by the model matrix, never turned.
struct Box {
    int section;
    float left, right, bottom, top;

    Box(const GameObject& object, int inSection) : section(inSection) {
        const ReEng::BoundingObjectClass& volume = *object.boundingObject;
        const glm::mat4 m = volume.GetModelMatrix();
        const glm::vec3 centre(m * glm::vec4(volume.GetCentreLocal(), 1.0f));
        const glm::vec3 half = volume.GetHalfWidthLocal() * glm::vec3(std::fabs(m[0][0]), std::fabs(m[1][1]), 1.0f);
        left = centre.x - half.x;
        right = centre.x + half.x;
        bottom = centre.y - half.y;
        top = centre.y + half.y;
    }
    float Middle() const { return 0.5f * (left + right); }
    // Squared distance from a point to the box.
    float Gap2(float x, float y) const {
        const float dx = std::max({left - x, 0.0f, x - right});
        const float dy = std::max({bottom - y, 0.0f, y - top});
        return dx * dx + dy * dy;
    }
    // Whether a centre at height y is within reach of the box's height: the
    // same sum as Gap2 for a point straight above or below.
    bool Spans(float y, float reach) const {
        const float dy = std::max({bottom - y, 0.0f, y - top});
        return dy * dy <= reach * reach;
    }
};

// The course near the sphere, read from the game once per plan.
struct Course {
    std::vector<Box> platforms, obstacles;
    float radius;

    explicit Course(GameManager& game) : radius(game.player->boundingObject->GetRadiusGlobal()) {
        const int section = SectionOf(PositionOf(*game.player).y);
        for (int s = std::max(section - 1, 0); s <= section + 2; ++s) {
            for (const Platform* platform : game.level->GetPlatforms(s)) platforms.emplace_back(*platform, s);
            for (const Obstacle* obstacle : game.level->GetObstacles(s))
                if (obstacle->active) obstacles.emplace_back(*obstacle, s);
        }
    }
};

// Safety margins: a planned landing must touch with a slightly smaller
// sphere, a plan that comes near a touch it did not mean is dropped, and
// obstacles are given a wide berth.
constexpr float kSure = 0.003f;
constexpr float kBerth = 0.05f;
constexpr float kNowhere = -1e30f;  // the worth of no landing at all

// The up and down of one arc, from a bounce or from now. It does not depend
// on the steering, so it is worked out once and shared by every plan: the
// height at each step, and the boxes that height range meets.
struct Arc {
    static constexpr int kSteps = 150;
    struct Point {
        float y;
        bool falling;
        int section;
        // Whether the game would test this box here and the sphere's centre
        // is within `reach` of its height.
        bool Meets(const Box& box, float reach) const { return box.section == section && box.Spans(y, reach); }
    };
    std::vector<Point> points;
    std::vector<const Box*> platforms, obstacles;

    Arc(Motion m, const Course& course, const Player& player) {
        const float floor = m.y - 8.0f;
        float high = m.y;
        for (int k = 0; k < kSteps && m.y > floor; ++k) {
            m.Step(kNone, player);
            points.push_back({m.y, !m.rising, SectionOf(m.y)});
            high = std::max(high, m.y);
        }
        const float reach = course.radius + kBerth;
        for (const Box& box : course.platforms)
            if (box.top + reach >= floor && box.bottom - reach <= high) platforms.push_back(&box);
        for (const Box& box : course.obstacles)
            if (box.top + reach >= floor && box.bottom - reach <= high) obstacles.push_back(&box);
    }
};

// The keys of one arc: one key, then another from a given step on.
struct Plan {
    Steer first, then;
    int change;
    Steer At(int k) const { return k < change ? first : then; }
};

// Where a plan ends: bounced on a platform, or lost (on == nullptr: an
// obstacle, a touch too close to call, or a fall).
struct Landing {
    const Box* on = nullptr;
    Motion after{};
};

Landing Fly(Motion m, const Plan& plan, const Arc& arc, const Course& course, const Player& player) {
    const float sure = (course.radius - kSure) * (course.radius - kSure);
    const float near = (course.radius + kSure) * (course.radius + kSure);
    const float berth = (course.radius + kBerth) * (course.radius + kBerth);
    for (int k = 0; k < static_cast<int>(arc.points.size()); ++k) {
        m.Step(plan.At(k), player);
        const Arc::Point& point = arc.points[k];
        for (const Box* box : arc.obstacles)
            if (point.Meets(*box, course.radius + kBerth) && box->Gap2(m.x, m.y) <= berth) return {};
        if (!point.falling) continue;
        for (const Box* box : arc.platforms) {
            if (!point.Meets(*box, course.radius + kSure)) continue;
            const float gap = box->Gap2(m.x, m.y);
            if (gap <= sure) {
                m.vy = player.jumpSpeed;
                m.rising = true;
                return {box, m};
            }
            if (gap <= near) return {};
        }
    }
    return {};
}

// Picks the keys of each arc: of a small family of plans, the one whose
// landing leads highest within the next two arcs, judged more loosely the
// further they are.
class ClimbBot {
public:
    explicit ClimbBot(GameManager& game) : m_game(game) {}

    // What the bot holds this step.
    struct Controls {
        bool left = false, right = false, fire = false;
        bool aiming = false;
        sf::Vector2i aim;
    };

    Controls Decide() {
        Controls controls;
        const Player& player = *m_game.player;
        if (!player.airborne) return controls;
        const glm::vec3 p = PositionOf(player);
        const Motion now{p.x, p.y, player.velocity.x, player.velocity.y, player.rising};
        // Closed loop: a new plan at every bounce, or whenever the sphere
        // is not where the plan said it would be.
        if (!m_planned || !now.Same(m_expected)) Replan(now);
        const Steer steer = m_plan.At(m_step++);
        m_expected.Step(steer, player);
        controls.left = steer == kLeft;
        controls.right = steer == kRight;
        Aim(p, controls);
        return controls;
    }

private:
    // Worth of reaching a platform's top in the given arc: higher is better,
    // sooner is better.
    static float Worth(float top, int arc) { return top - 0.5f * static_cast<float>(arc); }

    void Replan(const Motion& now) {
        const Player& player = *m_game.player;
        const Course course(m_game);
        const Arc arc(now, course, player);
        m_arcs.clear();
        m_outlooks.clear();
        m_beyond.clear();
        float bestWorth = kNowhere, bestOffset = 0.0f;
        m_plan = Plan{kNone, kNone, 0};
        for (int first = kLeft; first <= kRight; ++first) {
            for (int then = kLeft; then <= kRight; ++then) {
                const int last = first == then ? 0 : static_cast<int>(arc.points.size());
                for (int change = 0; change <= last; ++change) {
                    const Plan plan{static_cast<Steer>(first), static_cast<Steer>(then), change};
                    const Landing landing = Fly(now, plan, arc, course, player);
                    if (landing.on == nullptr) continue;
                    float worth = std::max(Worth(landing.on->top, 1), Outlook(landing, course));
                    // Bouncing again just where it bounced changes nothing: an arc lost.
                    if (landing.after.y == now.y && landing.on->Spans(now.y, course.radius)) worth -= 0.5f;
                    const float offset = std::fabs(landing.after.x - landing.on->Middle());
                    if (worth > bestWorth || (worth == bestWorth && offset < bestOffset)) {
                        bestWorth = worth, bestOffset = offset, m_plan = plan;
                    }
                }
            }
        }
        // With no landing in sight, look again next step: a shot may open a way.
        m_planned = bestWorth > kNowhere;
        m_step = 0;
        m_expected = now;
    }

    // The arc from a bounce at height y, shared by all plans that bounce there.
    const Arc& ArcFrom(float y, const Course& course) {
        auto found = m_arcs.find(y);
        if (found == m_arcs.end())
            found =
                m_arcs.emplace(y, Arc(Motion{0.0f, y, 0.0f, m_game.player->jumpSpeed, true}, course, *m_game.player))
                    .first;
        return found->second;
    }

    // The best worth the two arcs after a landing can reach. The next arc
    // holds one key throughout to find how far the sphere can get each
    // step; the one after only asks whether the gap can be run at full speed.
    // Many plans land alike, so both are remembered until the next plan.
    float Outlook(const Landing& landing, const Course& course) {
        const auto key = std::make_tuple(landing.on, landing.after.x, landing.after.y, landing.after.vx);
        const auto known = m_outlooks.find(key);
        if (known != m_outlooks.end()) return known->second;
        const Player& player = *m_game.player;
        const Arc& next = ArcFrom(landing.after.y, course);
        Motion toLeft = landing.after, toRight = landing.after;
        float worth = kNowhere;
        for (const Arc::Point& point : next.points) {
            toLeft.Step(kLeft, player);
            toRight.Step(kRight, player);
            if (!point.falling) continue;
            for (const Box* box : next.platforms) {
                if (!point.Meets(*box, course.radius - kSure)) continue;
                if (toLeft.x > box->right + course.radius || toRight.x < box->left - course.radius) continue;
                worth = std::max({worth, Worth(box->top, 2), Beyond(*box, point.y, course)});
            }
        }
        return m_outlooks[key] = worth;
    }

    // The best worth of the arc after a bounce on `from` at height y.
    float Beyond(const Box& from, float y, const Course& course) {
        const auto key = std::make_pair(&from, y);
        const auto known = m_beyond.find(key);
        if (known != m_beyond.end()) return known->second;
        const Arc& after = ArcFrom(y, course);
        float worth = kNowhere;
        for (std::size_t k = 0; k < after.points.size(); ++k) {
            const Arc::Point& point = after.points[k];
            if (!point.falling) continue;
            // A few steps go to reaching full speed.
            const float run = m_game.player->steerSpeed * std::max(static_cast<float>(k) - 5.0f, 0.0f);
            for (const Box* box : after.platforms) {
                if (!point.Meets(*box, course.radius - kSure)) continue;
                const float gap = std::max({box->left - from.right, 0.0f, from.left - box->right});
                if (gap <= run + 2.0f * course.radius) worth = std::max(worth, Worth(box->top, 3));
            }
        }
        return m_beyond[key] = worth;
    }

    // The nearest live obstacle within reach: aim at it and fire.
    void Aim(const glm::vec3& p, Controls& controls) const {
        const float camera = m_game.camera->GetPosition(-1).y;
        const Obstacle* target = nullptr;
        for (const Obstacle* obstacle : m_game.level->obstacles) {
            const glm::vec3 q = PositionOf(*obstacle);
            if (!obstacle->active || glm::length(q - p) > 9.0f || q.y - camera > 10.0f) continue;
            if (target == nullptr || glm::length(q - p) < glm::length(PositionOf(*target) - p)) target = obstacle;
        }
        if (target == nullptr) return;
        controls.fire = true;
        // Only the aim of the step a shot leaves matters.
        if (!m_game.player->canShoot) return;
        const glm::vec3 q = PositionOf(*target);
        controls.aim = sf::Vector2i(static_cast<int>(540.0f + q.x / 15.0f * 540.0f),
                                    static_cast<int>(360.0f - ((q.y - camera) / 10.0f - 0.03f) * 360.0f));
        controls.aiming = true;
    }

    GameManager& m_game;
    bool m_planned = false;
    Plan m_plan{kNone, kNone, 0};
    int m_step = 0;
    Motion m_expected{};
    std::map<float, Arc> m_arcs;
    std::map<std::tuple<const Box*, float, float, float>, float> m_outlooks;
    std::map<std::pair<const Box*, float>, float> m_beyond;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: replay_bot FILE\n");
        return 2;
    }
    // The same course as a fresh run of the game: rand unseeded behaves as seeded with 1.
    std::srand(1);
    BotApp app;
    GameManager& game = *app.gameManager;
    ClimbBot bot(game);
    ScriptWriter script;
    bool enter = false, launch = false, left = false, right = false, fire = false;
    sf::Vector2i aim(-1, -1);
    unsigned step = 0;
    for (; step < 20000 && game.state != GameOver && game.level->sectionCount < 12; ++step) {
        const bool playing = game.state == Playing;
        script.Set(step, "Return", step == 0, enter);
        script.Set(step, "W", playing && step < 4, launch);
        const ClimbBot::Controls controls = playing ? bot.Decide() : ClimbBot::Controls();
        if (controls.aiming && controls.aim != aim) {
            aim = controls.aim;
            script.Mouse(step, aim.x, aim.y);
            app.m_input.SetMousePosition(aim);
        }
        script.Set(step, "A", controls.left, left);
        script.Set(step, "D", controls.right, right);
        script.Set(step, "MouseLeft", controls.fire, fire);
        app.m_input.SetKey(Key::Return, enter);
        app.m_input.SetKey(Key::W, launch);
        app.m_input.SetKey(Key::A, left);
        app.m_input.SetKey(Key::D, right);
        app.m_input.SetButton(sf::Mouse::Left, fire);
        app.RunFrame();
    }
    if (game.level->sectionCount < 11u) {  // a climb too short to be worth a golden replay
        std::fprintf(stderr, "replay_bot: fell behind at step %u, height %g\n", step, game.maxHeight);
        return 1;
    }
    std::ofstream out(argv[1]);
    out << "# The replay bot's climb (scripts/replay-bot/ReplayBot.cpp)\n"
        << script.Text() << step << " Escape down\n"
        << step + 1 << " Escape up\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "replay_bot: cannot write '%s'\n", argv[1]);
        return 1;
    }
}
