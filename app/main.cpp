// Entry point: one application on the stack, run until the quit request.
#include <string>
#include <vector>

#include "app/AppClass.h"
#include "app/GameInfo.h"
#include "app/StateDigest.h"

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

#ifdef _WIN32
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showMode) {
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    return RunApp(instance, std::move(args), showMode);
}
#else
int main(int argc, char** argv) { return RunApp(nullptr, std::vector<std::string>(argv + 1, argv + argc), 0); }
#endif
