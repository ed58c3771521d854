#include "engine/app/RunApp.h"

// The browser's RunApp is in web/BrowserRun.cpp.
#ifndef __EMSCRIPTEN__

namespace ReEng {

int RunApp(std::unique_ptr<ReEngAppClass> app) {
    const int status = app->Run();
    app.reset();  // the game is released before the status is returned
    return status;
}

}  // namespace ReEng

#endif
