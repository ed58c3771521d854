#include "engine/platform/GL.h"

#include "engine/app/ReEngAppClass.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "engine/app/OutputCheck.h"
#include "engine/core/ErrorLine.h"
#include "engine/render/Renderer.h"
#include "engine/io/ResourcePath.h"
#include "engine/core/TextParse.h"

namespace ReEng {

ReEngAppClass::ReEngAppClass(HINSTANCE, std::vector<std::string> args, int, bool) : m_args(std::move(args)) {}

ReEngAppClass::~ReEngAppClass() {
    // Not virtual here: the derived part is already gone.
    ReEngAppClass::Release();
    // Everything is released: a run ended by a signal now ends the process by it.
    if (m_signals) Signals::RaiseCaught();
}

bool ReEngAppClass::ParseCommandLine(int& status) {
    std::string error;
    if (!m_options.Parse(m_args, error)) {
        // One line, like every other error; the full usage is one --help away.
        ReportError(error + " (see " + m_info.name + " --help)");
        status = 2;
        return false;
    }
    if (m_options.help) {
        std::cout << Options::Usage(m_info.name);
        status = WithOutputChecked(0, 0);
        return false;
    }
    if (m_options.version) {
        std::cout << m_info.name << " " << m_info.version << "\n";
        status = WithOutputChecked(0, 0);
        return false;
    }
    if (m_options.headless && !m_options.screenshotFile.empty()) {
        ReportError("--screenshot needs a window; it cannot be used with --headless");
        status = 2;
        return false;
    }
    // A bad script is a command-line mistake: refuse it before a window appears.
    m_script.SetProgram(m_info.name, m_info.version);
    m_script.SetNames(m_info.inputNames);
    m_input.GetPad().SetBindings(m_info.padBindings);
    if (!m_options.inputFile.empty() && !m_script.Load(m_options.inputFile, error)) {
        ReportError(error);
        status = 2;
        return false;
    }
    // A replay is only the same game with the steps it was recorded with.
    if (m_script.GetStep() > 0.0 && m_options.frameTime > 0.0 && m_options.frameTime != m_script.GetStep()) {
        std::ostringstream line;
        line << Printable(m_options.inputFile) << ":1: recorded with steps of " << m_script.GetStep() << " s, not the "
             << m_options.frameTime << " s of --frame-time";
        ReportError(line.str());
        status = 2;
        return false;
    }
    if (m_options.frames < 0 && m_script.GetEndFrame() >= 0) m_options.frames = m_script.GetEndFrame();
    return true;
}

void ReEngAppClass::CreateServices() {
    m_services = std::make_unique<EngineServices>(m_info);
    m_system = m_services->System();
    m_window = m_services->Window();
    m_glSystem = m_services->GLSystem();
    m_meshManager = m_services->MeshManager();
    m_cameraManager = m_services->CameraManager();
    if (m_options.frameTime > 0.0)
        m_system->SetStep(m_options.frameTime);
    else if (m_script.GetStep() > 0.0)
        m_system->SetStep(m_script.GetStep());
    m_scheduler = StepScheduler(m_system->GetStep());
}

bool ReEngAppClass::OpenWindow(int& status) {
    std::string error;
    if (!m_window->Open(m_title, WindowClass::kDefaultWidth, WindowClass::kDefaultHeight, error)) {
        ReportError(error);
        status = 1;
        return false;
    }
    m_services->AttachRenderer(std::make_unique<Renderer>(m_window->GetPlatform()));
    m_renderer = m_services->GetRenderer();
    if (!m_renderer->LoadFont(FontFile(), error)) {
        ReportError(error);
        status = 1;
        return false;
    }
    if (!m_info.icon.empty()) m_window->SetIcon(FindResource(m_info.icon, m_info.dataFolders));
    m_outputs.MakeSplit();
    if (FrameSplit* split = m_outputs.Split()) {
        m_renderer->SetSplit(split);
        m_glSystem->SetSplit(split);
    }
    // A timedemo measures the frame itself: nothing may wait for time to
    // pass, and neither does the engine where the system paces the frames.
    Platform& platform = m_window->GetPlatform();
    m_window->SetVerticalSync(m_options.vsync && !m_options.timedemo);
    const bool unpaced = m_options.vsync || m_options.timedemo || platform.PacesFrames();
    SetMaxFramerate(unpaced ? 0.0f : static_cast<float>(m_options.maxFps));
    if (m_options.fullscreen) ToggleFullscreen();
    const sf::Vector2i size = m_window->GetClientSize();
    Reshape(size.x, size.y);
    // The keys a replay can name are the keys the game reads.
    std::vector<sf::Keyboard::Key> keys;
    for (const InputName& name : m_info.inputNames)
        if (name.kind == InputKind::Key) keys.push_back(static_cast<sf::Keyboard::Key>(name.code));
    platform.SetGameKeys(std::move(keys));
    // Scripted runs must not be disturbed by whoever touches the real keyboard.
    if (m_options.inputFile.empty()) {
        m_input.SetLive(&platform);
        // A pad plugged in before the start sends no event: look for one.
        for (unsigned id = 0; id < sf::Joystick::Count; ++id) {
            if (platform.ReadPad(id).connected) m_input.PadConnected(id);
        }
    }
    m_scriptPlacesWindow = !m_input.IsLive() && m_script.HasWindowEvents();
    // Steps follow the real clock unless each frame is one given step.
    m_realTime = m_options.frameTime <= 0.0 && !m_options.timedemo;
    return true;
}

int ReEngAppClass::Run() {
    int status = 0;
    if (!Start(status)) return status;
    // Between passes, the wait for the next frame's deadline (if the pass
    // presented nothing, it has not waited yet).
    while (Tick()) m_pacer.EndFrame();
    return Finish();
}

bool ReEngAppClass::Start(int& status) {
    if (!ParseCommandLine(status)) return false;
    m_signals = std::make_unique<Signals>();
    CreateServices();
    // The game names its window before it opens, so it never shows another title.
    InitWindow("ReEng");
    if (!m_options.headless && !OpenWindow(status)) return false;
    InitVariables();
    // A timedemo of the title screen, or of a script, needs an end.
    if (m_options.timedemo && m_options.frames < 0)
        m_options.frames = m_options.inputFile.empty() ? 600 : static_cast<long long>(m_script.GetLastFrame()) + 2;

    if (!m_outputs.Start(m_system->GetStep(), IsHeadless(), status)) return false;
    m_glSystem->SetPresenting(m_renderer, &m_pacer, m_outputs.Stats());
    m_lastLoop = FramePacer::Clock::now();
    return true;
}

bool ReEngAppClass::Tick() {
    if (StepsDone() || m_window->IsQuitRequested()) return false;
    ProcessMessages();
    if (m_window->IsQuitRequested()) return false;
    const int steps = StepsDue();
    for (int i = 0; i < steps && !StepsDone(); ++i) {
        m_drawStep = i + 1 == steps;
        RunFrame();
        if (m_window->IsQuitRequested()) break;
    }
    if (steps == 0 && m_meshManager->IsRedrawOwed()) Redraw();
    // Tests and pipes read the output while the game runs.
    if (!m_outputs.Flush()) return false;
    // A model that failed to load leaves the game without its objects:
    // its error is on stderr, and there is nothing worth playing.
    if (m_window->IsQuitRequested() || Signals::Caught() != 0 || m_meshManager->GetFailedLoadCount() > 0) return false;
    return !StepsDone();
}

int ReEngAppClass::Finish() {
    // Both were reported when they happened.
    int status = m_meshManager->GetFailedLoadCount() > 0 || m_window->SystemFailed() ? 1 : 0;
    status = m_outputs.Finish(m_frame, *m_glSystem, m_meshManager->GetLastFrameText(), m_stateDigest, status);
    if (const int signal = Signals::Caught()) status = 128 + signal;
    return status;
}

std::string ReEngAppClass::FontFile() const {
    std::error_code ec;
    if (!m_info.systemFont.empty() && std::filesystem::exists(m_info.systemFont, ec)) return m_info.systemFont;
    return FindResource(m_info.font, m_info.dataFolders);
}

void ReEngAppClass::InitHeadless() {
    int status = 0;
    ParseCommandLine(status);  // a mistake is reported; the test goes on headless
    CreateServices();
    InitWindow("ReEng");
    InitVariables();
}

bool ReEngAppClass::StepsDone() const {
    return m_options.frames >= 0 && m_frame >= static_cast<unsigned long long>(m_options.frames);
}

bool ReEngAppClass::IsFrozen() const {
    // Only a live game waits for its player; a script plays on regardless.
    return m_realTime && m_input.IsLive() && !m_focused;
}

int ReEngAppClass::StepsDue() {
    if (!m_realTime) return 1;
    const FramePacer::Clock::time_point now = m_pacer.FrameTime();
    const double elapsed = std::chrono::duration<double>(now - m_lastLoop).count();
    m_lastLoop = now;
    if (IsFrozen()) {
        // The time away is not the game's: it carries on from the same step.
        m_scheduler.Reset();
        return 0;
    }
    return m_scheduler.Advance(elapsed);
}

void ReEngAppClass::RunFrame() {
    m_input.BeginStep();
    if (!m_input.IsLive()) m_script.Apply(static_cast<unsigned>(m_frame), m_input, m_window);
    UpdatePad();
    ProcessKeyboard();
    ProcessMouse();
    Update();
    UpdateLegend();
    // The last step of a run is always drawn: it is the one kept by --screenshot.
    const bool last = m_window->IsQuitRequested() ||
                      (m_options.frames >= 0 && m_frame + 1 >= static_cast<unsigned long long>(m_options.frames));
    if (!IsHeadless()) {
        // Set late so a colour changed by this frame's update is used.
        glClearColor(m_clearColor.r, m_clearColor.g, m_clearColor.b, m_clearColor.a);
        const bool draw = m_drawStep || last;
        if (last && !m_options.screenshotFile.empty()) {
            m_glSystem->CaptureNextFrame();
            m_meshManager->ForceRedraw();
        }
        // A timedemo measures drawing: every frame is drawn, changed or not.
        if (m_options.timedemo) m_meshManager->ForceRedraw();
        m_meshManager->SetDrawing(draw);
    }
    Display();
    // Recorded before the step's presses are let go.
    m_outputs.StepDone(m_frame + 1, m_input, *m_window, m_stateDigest);
    m_input.EndStep();
    ++m_frame;
}

void ReEngAppClass::Redraw() {
    if (IsHeadless()) return;
    glClearColor(m_clearColor.r, m_clearColor.g, m_clearColor.b, m_clearColor.a);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_meshManager->RedrawLast();
    m_glSystem->GLSwapBuffers();
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
    // Our own pacer, not SFML's limiter: that one sleeps for what is left of
    // each frame, drifts and jitters.
    m_pacer.SetRate(IsHeadless() ? 0.0 : static_cast<double>(framesPerSecond));
}

void ReEngAppClass::Release() { Shutdown(); }

void ReEngAppClass::Shutdown() {
    // The split is ours; the presenting service may outlive this app.
    if (m_glSystem) m_glSystem->SetSplit(nullptr);
    // The look-ups first: nothing may reach a service being freed.
    m_system = nullptr;
    m_window = nullptr;
    m_glSystem = nullptr;
    m_meshManager = nullptr;
    m_cameraManager = nullptr;
    m_renderer = nullptr;
    m_services.reset();
}

void ReEngAppClass::Update() {
    if (m_system) m_system->UpdateTime();
}

void ReEngAppClass::Display() {
    if (!IsHeadless()) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (m_meshManager) m_meshManager->Render();
    if (m_glSystem) m_glSystem->GLSwapBuffers();
}

void ReEngAppClass::Idle() {}

void ReEngAppClass::ProcessKeyboard() {
    // A bare engine run can still be left with Escape.
    if (m_window && m_input.IsKeyPressed(sf::Keyboard::Escape)) PostMessageW(m_window->GetHandler(), WM_QUIT, 0, 0);
}

void ReEngAppClass::ProcessMouse() {}
void ReEngAppClass::ProcessJoystick() {}

}  // namespace ReEng
