// The keyboard and mouse hooks: polled once a frame; pause, resume and quit
// fire on the release of their keys.
#include "app/AppClass.h"
#include "game/GameManager.h"
#include "objects/Player.h"

namespace {

using Key = sf::Keyboard;

void SteerLeft(Player& player) {
    const float s = player.steerSpeed;
    float& vx = player.velocity.x;
    if (vx > 0.2f * s)
        vx -= 0.4f * s;
    else if (vx > -s)
        vx -= 0.2f * s;
}

void SteerRight(Player& player) {
    const float s = player.steerSpeed;
    float& vx = player.velocity.x;
    if (vx < -0.2f * s)
        vx += 0.4f * s;
    else if (vx < s)
        vx += 0.2f * s;
}

// One-shot actions fire on release: true on the first look with the key up
// after it was down. The latch remembers this look for the next.
bool ReleasedNow(bool down, bool& wasDown) {
    const bool released = !down && wasDown;
    wasDown = down;
    return released;
}

// Maps a screen coordinate to -1 .. 1 across the window, 0 on its centre.
// Wide integers: a window's corner plus its size may not fit in an int.
float EdgeToEdge(long long value, long long low, long long centre, long long size) {
    if (value < centre)
        return (static_cast<float>(value) - static_cast<float>(low)) /
                   (static_cast<float>(centre) - static_cast<float>(low)) -
               1.0f;
    if (value > centre)
        return (static_cast<float>(value) - static_cast<float>(centre)) /
               (static_cast<float>(low + size) - static_cast<float>(centre));
    return 0.0f;
}

}  // namespace

void AppClass::ProcessKeyboard() {
    switch (gameManager->state) {
        case Title:
            if (m_input.IsKeyPressed(Key::Return)) {
                gameManager->state = Playing;
                gameManager->StartGame();
            }
            break;
        case Playing: {
            Player& player = *gameManager->player;
            const bool a = m_input.IsKeyPressed(Key::A), d = m_input.IsKeyPressed(Key::D);
            const bool left = m_input.IsKeyPressed(Key::Left), right = m_input.IsKeyPressed(Key::Right);
            if ((a && !d) || (left && !right))
                SteerLeft(player);
            else if (d || right)
                SteerRight(player);
            else
                player.Decelerate();

            if ((m_input.IsKeyPressed(Key::W) || m_input.IsKeyPressed(Key::Up)) && !player.airborne) {
                player.velocity.y = player.jumpSpeed;
                player.airborne = true;
                player.rising = true;
            }

            if (ReleasedNow(m_input.IsKeyPressed(Key::P), pauseKeyDown)) gameManager->state = Paused;
            break;
        }
        case Paused:
            if (ReleasedNow(m_input.IsKeyPressed(Key::P), pauseKeyDown)) gameManager->state = Playing;
            break;
        case GameOver:
            break;
    }

    if (ReleasedNow(m_input.IsKeyPressed(Key::Escape), escapeKeyDown))
        ReEng::PostMessageW(m_window->GetHandler(), ReEng::WM_QUIT, 0, 0);
}

void AppClass::ProcessMouse() {
    m_rightClick = false;
    m_middleClick = false;
    if (m_input.IsButtonPressed(sf::Mouse::Middle)) m_middleClick = true;
    if (m_input.IsButtonPressed(sf::Mouse::Right)) m_rightClick = true;

    if (gameManager->state != Playing) return;
    if (!m_input.IsButtonPressed(sf::Mouse::Left)) return;
    Player& player = *gameManager->player;
    if (!player.canShoot) return;

    const int wx = m_system->GetWindowX(), wy = m_system->GetWindowY();
    const int ww = m_system->GetWindowWidth(), wh = m_system->GetWindowHeight();
    // A minimised window has no centre to aim from: its divisors are zero.
    if (ww < 2 || wh < 2) return;
    const long long cx = static_cast<long long>(wx) + ww / 2, cy = static_cast<long long>(wy) + wh / 2;

    const sf::Vector2i mouse = m_input.GetMousePosition();
    const float nx = EdgeToEdge(mouse.x, wx, cx, ww);
    const float ny = -EdgeToEdge(mouse.y, wy, cy, wh);

    const float ax = 15.0f * nx;
    const float ay = 10.0f * (ny + 0.03f);
    const float hc = gameManager->camera->GetPosition(-1).y;
    const float px = player.translationMatrix[3].x, py = player.translationMatrix[3].y;
    player.Shoot(glm::vec3(ax - px, ay - (py - hc), 0.0f));
}
