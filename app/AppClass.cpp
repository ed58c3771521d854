#include "app/AppClass.h"

#include <cstdio>

#include "engine/platform/GL.h"

#include "game/GameManager.h"
#include "level/LevelManager.h"
#include "objects/Player.h"

using ReEng::CameraManagerSingleton;
using ReEng::MeshManagerSingleton;

AppClass::~AppClass() { Release(); }

void AppClass::InitWindow(std::string /*windowName*/) {
    ReEngAppClass::InitWindow("Vaultrix");
    m_clearColor = ReEng::vector4(0.4f, 0.6f, 0.9f, 0.0f);
}

void AppClass::InitVariables() {
    m_cameraManager->SetCameraMode(ReEng::CAMROTHOZ, -1);
    if (GameManager::instance == nullptr) GameManager::instance = new GameManager();
    gameManager = GameManager::instance;
    gameManager->meshManager = MeshManagerSingleton::GetInstance();
    gameManager->level = LevelManager::GetInstance();
    gameManager->camera = CameraManagerSingleton::GetInstance();
    gameManager->level->meshManager = gameManager->meshManager;
    pauseKeyDown = false;
}

void AppClass::Update() {
    m_system->UpdateTime();
    const float deltaTime = static_cast<float>(m_system->LapClock(0));
    gameManager->UpdateFrame(deltaTime);
    // The pad aims from the player while there is play to aim in, and the
    // legend shows with the title.
    if (gameManager->state == Playing && gameManager->player != nullptr)
        SetAimCentre(ReEng::vector3(gameManager->player->translationMatrix[3]));
    else
        ClearAimCentre();
    SetTitleShown(gameManager->state == Title);
    m_meshManager->Update(false);
    std::printf("FPS: %d           \r", m_system->GetFPS());
}

void AppClass::Display() {
    if (!IsHeadless()) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    switch (m_cameraManager->GetCameraMode(-1)) {
        case ReEng::CAMROTHOX:
            m_meshManager->AddGridToQueue(1.0f, 4, ReEng::vector3(0.75f, 0.0f, 0.0f));
            break;
        case ReEng::CAMROTHOY:
            m_meshManager->AddGridToQueue(1.0f, 2, ReEng::vector3(0.0f, 0.75f, 0.0f));
            break;
        case ReEng::CAMROTHOZ:
            m_meshManager->AddGridToQueue(1.0f, 1, ReEng::vector3(0.0f, 0.0f, 0.75f));
            break;
        default:
            m_meshManager->AddGridToQueue(1.0f, 1, ReEng::vector3(-1.0f, -1.0f, -1.0f));
            break;
    }

    m_meshManager->Render();
    m_glSystem->GLSwapBuffers();
}

void AppClass::Release() {
    // The engine may release on its own as well; the game is freed once.
    if (released) return;
    released = true;

    if (gameManager != nullptr && gameManager->player != nullptr) {
        delete gameManager->player;
        gameManager->player = nullptr;
    }
    LevelManager::ReleaseInstance();
    MeshManagerSingleton::ReleaseInstance();
    CameraManagerSingleton::ReleaseInstance();
    if (GameManager::instance != nullptr) {
        delete GameManager::instance;
        GameManager::instance = nullptr;
    }
    ReEngAppClass::Release();
}
