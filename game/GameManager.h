#pragma once
// The one record of the state of play, and the rules of a playing frame.
#include "engine/scene/CameraManagerSingleton.h"
#include "engine/scene/MeshManagerSingleton.h"
#include "game/GameState.h"

class LevelManager;
class Player;

class GameManager {
public:
    GameState state;
    ReEng::CameraManagerSingleton* camera;
    Player* player;
    LevelManager* level;
    ReEng::MeshManagerSingleton* meshManager;
    int score;
    float maxHeight;
    bool sectionReached;
    bool sectionQueued;

    static GameManager* instance;

    GameManager();

    void StartGame();
    void UpdateFrame(float deltaTime);
    void Draw();
};
