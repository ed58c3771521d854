#include "engine/platform/GL.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

#include "engine/app/RunApp.h"
#include "engine/render/GLSystemSingleton.h"

// The page's hooks: it may step the game itself (tests), and it is told the
// status when the game has ended.
// clang-format off
EM_JS(int, reeng_page_steps, (), { return Module.manualSteps ? 1 : 0; });
EM_JS(void, reeng_page_ended, (int status), {
    if (Module.onGameEnded) Module.onGameEnded(status);
});
// clang-format on

namespace ReEng {

namespace {

// The browser calls back into the app from its animation frames, long
// after main has returned: the app lives here between calls.
std::unique_ptr<ReEngAppClass> g_app;

void EndRun() {
    emscripten_cancel_main_loop();
    const int status = g_app->Finish();
    g_app.reset();  // the game is released before the page is told
    std::fflush(stdout);
    reeng_page_ended(status);
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

int RunApp(std::unique_ptr<ReEngAppClass> app) {
    g_app = std::move(app);
    int status = 0;
    if (!g_app->Start(status)) {
        g_app.reset();
        reeng_page_ended(status);
        return status;
    }
    if (reeng_page_steps()) return 0;
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

}  // namespace ReEng

// One pass of the app (one step when the page gives --frame-time); 0 once
// it has ended. Tests call it instead of the animation frames.
extern "C" EMSCRIPTEN_KEEPALIVE int reeng_step() {
    if (!ReEng::g_app) return 0;
    if (ReEng::g_app->Tick()) return 1;
    ReEng::EndRun();
    return 0;
}

// Waits for the GL work queued so far (a browser's glFinish may not, but a
// pixel read cannot be answered before): the bench times frames with it.
extern "C" EMSCRIPTEN_KEEPALIVE void reeng_finish() {
    if (emscripten_webgl_get_current_context() == 0) return;  // headless: nothing is drawn
    unsigned char pixel[4];
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);  // the canvas, not where clears go between pictures
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
}

// Frames presented so far: the bench checks that every step it times shows one.
extern "C" EMSCRIPTEN_KEEPALIVE double reeng_presented() {
    const ReEng::GLSystemSingleton* gl = ReEng::GLSystemSingleton::Peek();
    return gl == nullptr ? 0.0 : static_cast<double>(gl->GetPresentCount());
}
