#pragma once
// Runs an application to its end: what a program's main hands its app to.
// On the desktop the frame loop runs here, and the app is released before
// the exit status is returned. In a browser the page's animation frames
// drive the app long after main has returned: it is kept until its run
// ends, and the status goes to the page (engine/app/web/BrowserRun.cpp).
#include <memory>

#include "engine/app/ReEngAppClass.h"

namespace ReEng {

int RunApp(std::unique_ptr<ReEngAppClass> app);

}  // namespace ReEng
