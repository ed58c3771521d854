// Entry point: the game's application, made and handed to the engine to run.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/AppClass.h"
#include "app/GameInfo.h"
#include "app/StateDigest.h"
#include "engine/app/RunApp.h"

namespace {

std::unique_ptr<AppClass> MakeApp(ReEng::HINSTANCE instance, std::vector<std::string> args, int showMode) {
    auto app = std::make_unique<AppClass>(instance, std::move(args), showMode, false);
    app->SetAppInfo(GameInfo());
    app->SetStateDigest(&GameStateDigest);
    return app;
}

}  // namespace

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
    return ReEng::RunApp(MakeApp(instance, Arguments(), showMode));
}
#elif defined(__EMSCRIPTEN__)
#include <emscripten/emscripten.h>

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

// The browser's frames drive the game after main returns: RunApp keeps it.
int main(int argc, char** argv) {
    return ReEng::RunApp(MakeApp(nullptr, std::vector<std::string>(argv + 1, argv + argc), 0));
}
#else
int main(int argc, char** argv) {
    return ReEng::RunApp(MakeApp(nullptr, std::vector<std::string>(argv + 1, argv + argc), 0));
}
#endif
