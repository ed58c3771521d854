#pragma once
// The game's application: the engine's hooks, filled in.
#include "engine/app/ReEngAppClass.h"

class GameManager;

class AppClass : public ReEng::ReEngAppClass {
public:
    GameManager* gameManager = nullptr;
    bool pauseKeyDown = false;

    using ReEng::ReEngAppClass::ReEngAppClass;
    ~AppClass() override;

    void InitWindow(std::string windowName) override;
    void ReadConfig() override {}
    void WriteConfig() override {}
    void InitVariables() override;
    void Release() override;
    void Update() override;
    void Display() override;
    void ProcessKeyboard() override;
    void ProcessMouse() override;

private:
    bool released = false;
    // Per application, so a key held when one game ends cannot quit the next.
    bool escapeKeyDown = false;
};
