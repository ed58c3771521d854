// Entry point: one application on the stack, run until the quit request.
#include <cstdio>
#include <string>
#include <vector>

#include "app/AppClass.h"
#include "app/GameInfo.h"
#include "app/StateDigest.h"

#ifndef __EMSCRIPTEN__
namespace {

int RunApp(ReEng::HINSTANCE instance, std::vector<std::string> args, int showMode) {
    int status = 0;
    {
        AppClass app(instance, std::move(args), showMode, false);
        app.SetAppInfo(GameInfo());
        app.SetStateDigest(&GameStateDigest);
        status = app.Run();
    }  // the destructor releases the game before the status is returned
    return status;
}

}  // namespace
#endif

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

// The arguments after the program's name, as the narrow strings that the C
// library opens files with (the system's code page).
std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return args;
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? static_cast<std::size_t>(size) : 1u, '\0');
        if (size > 0) WideCharToMultiByte(CP_ACP, 0, wide[i], -1, &arg[0], size, nullptr, nullptr);
        arg.pop_back();  // the terminator
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
}

// A GUI program has no console of its own. Started from one, its errors,
// --help and the frame-rate line go to that console; output sent to a pipe
// or a file stays where it was sent.
void UseParentConsole() {
    const auto missing = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    const bool out = missing(STD_OUTPUT_HANDLE), err = missing(STD_ERROR_HANDLE);
    if (!(out || err)) return;
    // Started from the desktop there is nowhere to write, and the game's
    // check that its output arrived would fail: it goes to NUL instead.
    const char* to = AttachConsole(ATTACH_PARENT_PROCESS) ? "CONOUT$" : "NUL";
    if (out) std::freopen(to, "w", stdout);
    if (err) std::freopen(to, "w", stderr);
}

// The standard output as on Linux, byte for byte: printed text and digests
// compare equal across platforms, and the frame-rate line's lone carriage
// return stays lone. A console starts a new line at a bare line feed.
void BinaryStandardOutput() { _setmode(_fileno(stdout), _O_BINARY); }

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showMode) {
    UseParentConsole();
    BinaryStandardOutput();
    return RunApp(instance, Arguments(), showMode);
}
#elif defined(__EMSCRIPTEN__)
#include "engine/platform/GL.h"

#include <emscripten/emscripten.h>

#include <memory>

// The page's hooks: it may step the game itself (tests), and it is told the
// status when the game has ended.
EM_JS(int, vaultrix_page_steps, (), { return Module.vaultrixManual ? 1 : 0; });
EM_JS(void, vaultrix_page_ended, (int status), {
    if (Module.onGameEnded) Module.onGameEnded(status);
});

namespace {

// The browser calls back into the game from its animation frames, long
// after main has returned: the game lives here between calls.
std::unique_ptr<AppClass> g_app;

void EndRun() {
    emscripten_cancel_main_loop();
    const int status = g_app->Finish();
    g_app.reset();  // the game is released before the page is told
    std::fflush(stdout);
    vaultrix_page_ended(status);
}

void Frame() {
    if (g_app && !g_app->Tick()) EndRun();
}

// A headless run may have no end: it plays in batches of a few milliseconds
// and gives the tab back between them, so the page still answers and a
// reload or a closed tab ends it.
void HeadlessBatch() {
    const double until = emscripten_get_now() + 10.0;
    while (g_app && emscripten_get_now() < until) {
        if (!g_app->Tick()) {
            EndRun();
            return;
        }
    }
}

}  // namespace

// One pass of the game (one step when the page gives --frame-time); 0 once
// it has ended. Tests call it instead of the animation frames.
extern "C" EMSCRIPTEN_KEEPALIVE int vaultrix_step() {
    if (!g_app) return 0;
    if (g_app->Tick()) return 1;
    EndRun();
    return 0;
}

// Waits for the GL work queued so far (a browser's glFinish may not, but a
// pixel read cannot be answered before): the bench times frames with it.
extern "C" EMSCRIPTEN_KEEPALIVE void vaultrix_finish() {
    unsigned char pixel[4];
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);  // the canvas, not where clears go between pictures
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
}

// Frames presented so far: the bench checks that every step it times shows one.
extern "C" EMSCRIPTEN_KEEPALIVE double vaultrix_presented() {
    const ReEng::GLSystemSingleton* gl = ReEng::GLSystemSingleton::Peek();
    return gl == nullptr ? 0.0 : static_cast<double>(gl->GetPresentCount());
}

// The game's controls legend for the page's bar, one line a line: the keys
// and mouse, or (touch non-zero) the touch controls. The page shows what
// the title shows, from this one source.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vaultrix_legend(int touch) {
    static std::string text;
    const ReEng::AppInfo info = GameInfo();
    text.clear();
    for (const std::string& line : touch != 0 ? info.touchLegend : info.legend) text += line + "\n";
    return text.c_str();
}

int main(int argc, char** argv) {
    g_app = std::make_unique<AppClass>(nullptr, std::vector<std::string>(argv + 1, argv + argc), 0, false);
    g_app->SetAppInfo(GameInfo());
    g_app->SetStateDigest(&GameStateDigest);
    int status = 0;
    if (!g_app->Start(status)) {
        g_app.reset();
        vaultrix_page_ended(status);
        return status;
    }
    if (vaultrix_page_steps()) return 0;
    if (g_app->IsHeadless()) {
        // Nothing waits for the display: batches follow each other at once
        // (postMessage), not at the animation frames' pace.
        emscripten_set_main_loop(&HeadlessBatch, 0, false);
        emscripten_set_main_loop_timing(EM_TIMING_SETIMMEDIATE, 0);
        return 0;
    }
    emscripten_set_main_loop(&Frame, 0, false);
    return 0;
}
#else
int main(int argc, char** argv) { return RunApp(nullptr, std::vector<std::string>(argv + 1, argv + argc), 0); }
#endif
