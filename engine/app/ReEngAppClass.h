#pragma once
// The application base: owns the window and calls the game's hooks, one
// pass at a time. Game time moves in fixed steps tied to the real clock, and
// frames are drawn as often as the pacing allows: each pass (Tick) reads the
// window's events, runs the steps that are due (each one ProcessKeyboard,
// ProcessMouse, Update, Display; only the last one's picture is drawn) and
// presents. The desktop runs passes in a loop and waits for each frame's
// deadline between them; a browser runs one per animation frame.
#include <memory>
#include <string>
#include <vector>

#include "engine/app/AppInfo.h"
#include "engine/core/ErrorLine.h"
#include "engine/scene/CameraManagerSingleton.h"
#include "engine/core/Definitions.h"
#include "engine/app/EngineServices.h"
#include "engine/time/FramePacer.h"
#include "engine/time/FrameSplit.h"
#include "engine/time/FrameStats.h"
#include "engine/render/GLSystemSingleton.h"
#include "engine/input/Input.h"
#include "engine/replay/InputScript.h"
#include "engine/scene/MeshManagerSingleton.h"
#include "engine/app/Options.h"
#include "engine/app/RunOutputs.h"
#include "engine/portable/Portable.h"
#include "engine/replay/Recorder.h"
#include "engine/app/Signals.h"
#include "engine/time/StepScheduler.h"
#include "engine/time/SystemSingleton.h"
#include "engine/window/WindowClass.h"

namespace ReEng {

class ReEngAppClass {
public:
    // args: the command line without the program name.
    ReEngAppClass(HINSTANCE instance, std::vector<std::string> args, int showMode, bool console);
    virtual ~ReEngAppClass();
    ReEngAppClass(const ReEngAppClass&) = delete;
    ReEngAppClass& operator=(const ReEngAppClass&) = delete;

    // Runs frames until the quit request; returns the process exit status:
    // 0; 1 when the machine prevents a run, a model could not be loaded, or
    // the output could not be written; 2 for a bad command line or script;
    // 128 + the number of a SIGINT, SIGTERM or SIGHUP that ended the run.
    virtual int Run();
    // Run in parts, for a caller that owns the loop (a browser's animation
    // frames): Start, then Tick until it returns false, then Finish.
    // Start returns false with the exit status set when there is nothing to run.
    bool Start(int& status);
    // One pass: events, the steps due, the draw, the present. False once
    // the run is over.
    bool Tick();
    // Ends the run: the output's last lines; returns the exit status.
    int Finish();
    virtual void ProcessMessages();
    virtual void Reshape(int width, int height);
    virtual void Init();
    virtual void ArcBall(float sensitivity = 0.1f);
    virtual void CameraRotation(float speed = 0.005f);
    virtual void InitWindow(std::string windowName);
    virtual void ReadConfig();
    virtual void WriteConfig();
    virtual void InitVariables();
    virtual void SetMaxFramerate(float framesPerSecond);
    virtual void Release();
    virtual void Update();
    virtual void Display();
    virtual void Idle();
    virtual void ProcessKeyboard();
    virtual void ProcessMouse();
    virtual void ProcessJoystick();

    // The program's name, files and colours; set before Run.
    void SetAppInfo(AppInfo info) {
        m_info = std::move(info);
        SetErrorProgram(m_info.name);
    }
    const AppInfo& GetAppInfo() const { return m_info; }

    // Headless set-up without Run, for tests: the services exist, no window.
    void InitHeadless();
    // Runs one step's hooks (keyboard, mouse, update, display).
    void RunFrame();

    // The game tells where the pad aims from (its subject, in the world),
    // each step, or that there is nothing to aim from: then the centre of
    // the play area.
    void SetAimCentre(const vector3& world);
    void ClearAimCentre() { m_hasSubject = false; }
    // The game tells whether its title is showing: the controls legend is
    // shown with it. Until told, it is.
    void SetTitleShown(bool shown) { m_titleShown = shown; }

    // The game's own digest of its whole state, for --state-hash: the same
    // input gives the same digest on every machine. Null: none.
    using StateDigest = RunOutputs::StateDigest;
    void SetStateDigest(StateDigest digest) { m_stateDigest = digest; }

    // No window and no GL context: nothing may touch GL.
    bool IsHeadless() const { return m_renderer == nullptr; }
    // The window, present from Run (or InitHeadless) until Release.
    WindowClass* GetWindow() const { return m_window; }
    const Options& GetOptions() const { return m_options; }
    Input& GetInput() { return m_input; }
    unsigned long long GetFrameCount() const { return m_frame; }
    // The controls legend the last step would show (tests read it headless).
    std::vector<std::string> GetLegend() const { return LegendLines(); }

protected:
    // Look-ups into m_services, which owns them.
    SystemSingleton* m_system = nullptr;
    WindowClass* m_window = nullptr;
    GLSystemSingleton* m_glSystem = nullptr;
    MeshManagerSingleton* m_meshManager = nullptr;
    CameraManagerSingleton* m_cameraManager = nullptr;
    vector4 m_clearColor = vector4(0.0f, 0.0f, 0.0f, 0.0f);
    bool m_rightClick = false;
    bool m_middleClick = false;
    Input m_input;

private:
    bool ParseCommandLine(int& status);
    bool OpenWindow(int& status);
    void Shutdown();
    void CreateServices();
    // The system's font if the app names one that exists, else the app's own.
    std::string FontFile() const;
    // Reads the play area's place on the screen into the window.
    void UpdateWindowRect();
    // Reads the pad and places its cursor, before the game reads input.
    void UpdatePad();
    // After the game's update: the legend it asks for, drawn again if changed.
    void UpdateLegend();
    // The controls legend for this frame; empty when none is shown.
    std::vector<std::string> LegendLines() const;
    // Played by touch, with a touch legend to show for it.
    bool Touched() const;
    // How many steps this pass of the loop runs.
    int StepsDue();
    bool StepsDone() const;
    // The game's picture is left as it is while the player is away.
    bool IsFrozen() const;
    void ToggleFullscreen();
    // Draws the last picture again when no step will (after an expose).
    void Redraw();
    // The window needs its picture again (exposed, resized, refocused).
    void RedrawSoon();

    std::vector<std::string> m_args;
    AppInfo m_info;
    Options m_options;
    InputScript m_script;
    std::unique_ptr<Signals> m_signals;  // from Run on; the destructor ends by a caught signal
    std::unique_ptr<EngineServices> m_services;
    Renderer* m_renderer = nullptr;  // the services'; null in a headless run
    std::string m_title = "ReEng";
    unsigned long long m_frame = 0;
    StepScheduler m_scheduler;
    FramePacer m_pacer;
    FramePacer::Clock::time_point m_lastLoop{};
    bool m_realTime = false;            // steps follow the real clock (a live window)
    bool m_focused = true;              // as the window's focus events last said
    bool m_drawStep = true;             // this step's picture is drawn
    bool m_scriptPlacesWindow = false;  // the script, not the real window, says where the play area is
    RunOutputs m_outputs{m_options, m_info};
    StateDigest m_stateDigest = nullptr;
    bool m_hasSubject = false;  // the game gave a centre to aim from
    vector3 m_subject{0.0f};    // that centre, in the world
    bool m_titleShown = true;   // the game is on its title: the legend shows
    int m_legendShown = -1;     // none, keys, keys and pad; -1 before the first step
};

}  // namespace ReEng
