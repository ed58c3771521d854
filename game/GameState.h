#pragma once
#include <cstdint>

enum GameState : std::int32_t {
    Title = 0,
    Playing = 1,
    Paused = 2,
    GameOver = 3,
};
