// epoxy must come before anything that could pull in the system GL headers.
#include <epoxy/gl.h>

#include "engine/ReEngAppClass.h"

#include <cstdio>
#include <iostream>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

#include "engine/Renderer.h"
#include "engine/ResourcePath.h"

namespace ReEng {

namespace {

constexpr int kWindowWidth = 1080;
constexpr int kWindowHeight = 720;
const char* const kProgram = "vaultrix";

}  // namespace

ReEngAppClass::ReEngAppClass(HINSTANCE, std::vector<std::string> args, int, bool)
    : m_args(std::move(args)) {}

ReEngAppClass::~ReEngAppClass() {
    // Not virtual here: the derived part is already gone.
    ReEngAppClass::Release();
}

bool ReEngAppClass::ParseCommandLine(int& status) {
    std::string error;
    if (!m_options.Parse(m_args, error)) {
        // One line, like every other error; the full usage is one --help away.
        std::cerr << kProgram << ": " << error << " (see " << kProgram << " --help)\n";
        status = 2;
        return false;
    }
    if (m_options.help) {
        std::cout << Options::Usage(kProgram);
        status = 0;
        return false;
    }
    if (m_options.version) {
        std::cout << kProgram << " " << VAULTRIX_VERSION << "\n";
        status = 0;
        return false;
    }
    if (m_options.headless && !m_options.screenshotFile.empty()) {
        std::cerr << kProgram << ": --screenshot needs a window; it cannot be used with --headless\n";
        status = 2;
        return false;
    }
    // A bad script is a command-line mistake: refuse it before a window appears.
    if (!m_options.inputFile.empty() && !m_script.Load(m_options.inputFile, error)) {
        std::cerr << kProgram << ": " << error << "\n";
        status = 2;
        return false;
    }
    return true;
}

void ReEngAppClass::CreateSingletons() {
    m_pSystem = SystemSingleton::GetInstance();
    m_pGLSystem = GLSystemSingleton::GetInstance();
    m_pMeshMngr = MeshManagerSingleton::GetInstance();
    m_pCameraMngr = CameraManagerSingleton::GetInstance();
    m_singletonsCreated = true;
    if (m_options.frameTime > 0.0) m_pSystem->SetFixedFrameTime(m_options.frameTime);
    // Headless, the window object only carries the quit request.
    m_window = std::make_unique<WindowClass>();
    m_pWindow = m_window.get();
    m_pSystem->SetWindowRect(0, 0, kWindowWidth, kWindowHeight);
}

bool ReEngAppClass::OpenWindow(int& status) {
    std::string error;
    if (!m_window->Open(m_title, kWindowWidth, kWindowHeight, error)) {
        std::cerr << kProgram << ": " << error << "\n";
        status = 1;
        return false;
    }
    sf::RenderWindow& window = *m_window->GetRenderWindow();
    m_renderer = std::make_unique<Renderer>(window);
    if (!m_renderer->LoadFont(FindResource("assets/fonts/DejaVuSansMono.ttf"), error)) {
        std::cerr << kProgram << ": " << error << "\n";
        status = 1;
        return false;
    }
    m_pMeshMngr->SetRenderer(m_renderer.get());
    m_pGLSystem->SetWindow(m_window.get());
    SetMaxFramerate(static_cast<float>(m_options.maxFps));
    const sf::Vector2u size = window.getSize();
    UpdateWindowRect(static_cast<int>(size.x), static_cast<int>(size.y));
    // Scripted runs must not be disturbed by whoever touches the real keyboard.
    if (m_options.inputFile.empty()) m_input.SetLive(&window);
    return true;
}

int ReEngAppClass::Run() {
    int status = 0;
    if (!ParseCommandLine(status)) return status;
    CreateSingletons();
    // The game names its window before it opens, so it never shows another title.
    InitWindow("ReEng");
    if (!m_options.headless && !OpenWindow(status)) return status;
    InitVariables();

    while (m_options.frames < 0 || static_cast<long long>(m_frame) < m_options.frames) {
        ProcessMessages();
        RunFrame();
        // Tests and pipes read the output while the game runs.
        std::fflush(stdout);
        if (m_window->IsQuitRequested()) break;
    }

    if (!m_options.screenshotFile.empty()) {
        std::string error;
        if (!m_pGLSystem->SaveCapture(m_options.screenshotFile, error)) {
            std::cerr << kProgram << ": " << error << "\n";
            return 1;
        }
    }
    if (m_options.printText) {
        std::cout << "\n";
        for (const std::string& line : m_pMeshMngr->GetLastFrameText()) std::cout << line << "\n";
        std::cout.flush();
    }
    return 0;
}

void ReEngAppClass::InitHeadless() {
    int status = 0;
    ParseCommandLine(status);  // a mistake is reported; the test goes on headless
    CreateSingletons();
    InitWindow("ReEng");
    InitVariables();
}

void ReEngAppClass::RunFrame() {
    if (!m_input.IsLive()) m_script.Apply(static_cast<unsigned>(m_frame), m_input);
    ProcessKeyboard();
    ProcessMouse();
    Update();
    if (!IsHeadless()) {
        // Set late so a colour changed by this frame's update is used.
        glClearColor(m_v4ClearColor.r, m_v4ClearColor.g, m_v4ClearColor.b, m_v4ClearColor.a);
        // Keep the picture of the last frame only: the frame count ends the run,
        // or this frame's hooks asked to quit.
        const bool last = m_window->IsQuitRequested() ||
                          (m_options.frames >= 0 && static_cast<long long>(m_frame) + 1 >= m_options.frames);
        if (last && !m_options.screenshotFile.empty()) m_pGLSystem->CaptureNextFrame();
    }
    Display();
    ++m_frame;
}

void ReEngAppClass::ProcessMessages() {
    sf::RenderWindow* window = m_window ? m_window->GetRenderWindow() : nullptr;
    if (window == nullptr) return;
    sf::Event event;
    while (window->pollEvent(event)) {
        switch (event.type) {
        case sf::Event::Closed:
            m_window->RequestQuit();
            break;
        case sf::Event::Resized:
            Reshape(static_cast<int>(event.size.width), static_cast<int>(event.size.height));
            break;
        default:
            break;
        }
    }
    // The aim maps the cursor through the window's place on the screen, and
    // a dragged window sends no event: ask where it is every frame.
    const sf::Vector2u size = window->getSize();
    UpdateWindowRect(static_cast<int>(size.x), static_cast<int>(size.y));
}

void ReEngAppClass::Reshape(int width, int height) {
    if (m_renderer) m_renderer->SetViewport(width, height);
    UpdateWindowRect(width, height);
}

void ReEngAppClass::UpdateWindowRect(int width, int height) {
    if (m_pSystem == nullptr) return;
    int x = m_pSystem->GetWindowX(), y = m_pSystem->GetWindowY();
    if (m_window) m_window->GetClientOrigin(x, y);
    m_pSystem->SetWindowRect(x, y, width, height);
}

void ReEngAppClass::Init() {}
void ReEngAppClass::ArcBall(float) {}
void ReEngAppClass::CameraRotation(float) {}

void ReEngAppClass::InitWindow(std::string windowName) {
    m_title = std::move(windowName);
    if (m_window && m_window->IsOpen()) m_window->SetTitle(m_title);
}

void ReEngAppClass::ReadConfig() {}
void ReEngAppClass::WriteConfig() {}
void ReEngAppClass::InitVariables() {}

void ReEngAppClass::SetMaxFramerate(float framesPerSecond) {
    sf::RenderWindow* window = m_window ? m_window->GetRenderWindow() : nullptr;
    if (window == nullptr) return;
    window->setFramerateLimit(framesPerSecond > 0.0f ? static_cast<unsigned>(framesPerSecond + 0.5f) : 0u);
}

void ReEngAppClass::Release() { Shutdown(); }

void ReEngAppClass::Shutdown() {
    if (m_baseReleased) return;
    m_baseReleased = true;
    if (m_singletonsCreated) {
        // The game normally releases these; releasing twice is harmless.
        MeshManagerSingleton::ReleaseInstance();
        CameraManagerSingleton::ReleaseInstance();
    }
    m_pMeshMngr = nullptr;
    m_pCameraMngr = nullptr;
    // GL objects go first, while the window's context still exists.
    m_renderer.reset();
    if (m_singletonsCreated) {
        GLSystemSingleton::ReleaseInstance();
        SystemSingleton::ReleaseInstance();
    }
    m_pGLSystem = nullptr;
    m_pSystem = nullptr;
    m_window.reset();
    m_pWindow = nullptr;
}

void ReEngAppClass::Update() {
    if (m_pSystem) m_pSystem->UpdateTime();
}

void ReEngAppClass::Display() {
    if (!IsHeadless()) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (m_pMeshMngr) m_pMeshMngr->Render();
    if (m_pGLSystem) m_pGLSystem->GLSwapBuffers();
}

void ReEngAppClass::Idle() {}

void ReEngAppClass::ProcessKeyboard() {
    // A bare engine run can still be left with Escape.
    if (m_pWindow && m_input.IsKeyPressed(sf::Keyboard::Escape))
        PostMessageW(m_pWindow->GetHandler(), WM_QUIT, 0, 0);
}

void ReEngAppClass::ProcessMouse() {}
void ReEngAppClass::ProcessJoystick() {}

}  // namespace ReEng
