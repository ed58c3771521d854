#include "engine/app/Options.h"

#include <cerrno>
#include <climits>
#include <cctype>
#include <cstdlib>

#include "engine/core/TextParse.h"
#include "engine/replay/InputScript.h"

namespace ReEng {

// A replay is played with the steps it was recorded with: the same range.
static_assert(Options::kMinFrameTime == InputScript::kMinStep && Options::kMaxFrameTime == InputScript::kMaxStep,
              "--frame-time and a replay header take the same steps");

namespace {

// A file name: anything but empty.
bool TakeFileName(const std::string& value, std::string& out) {
    if (value.empty()) return false;
    out = value;
    return true;
}

// Options that only switch something on.
struct Flag {
    const char* name;
    bool Options::*field;
};
constexpr Flag kFlags[] = {
    {"--help", &Options::help},
    {"--version", &Options::version},
    {"--headless", &Options::headless},
    {"--print-text", &Options::printText},
    {"--vsync", &Options::vsync},
    {"--fullscreen", &Options::fullscreen},
    {"--frame-stats", &Options::frameStats},
    {"--timedemo", &Options::timedemo},
    {"--frame-split", &Options::frameSplit},
    {"--state-hash", &Options::stateHash},
    {"--no-legend", &Options::noLegend},
};

// Options followed by a value, and how each reads it: false for a bad value.
struct Valued {
    const char* name;
    bool (*read)(const std::string& value, Options& options);
};
const Valued kValued[] = {
    {"--frames", [](const std::string& v, Options& o) { return ParseDigits(v, LLONG_MAX, o.frames); }},
    {"--frame-time",
     [](const std::string& v, Options& o) {
         return ParseDecimal(v, Options::kMinFrameTime, Options::kMaxFrameTime, o.frameTime);
     }},
    {"--max-fps",
     [](const std::string& v, Options& o) {
         long long fps = 0;
         if (!ParseDigits(v, 1000, fps)) return false;
         o.maxFps = static_cast<int>(fps);
         return true;
     }},
    {"--input", [](const std::string& v, Options& o) { return TakeFileName(v, o.inputFile); }},
    {"--record", [](const std::string& v, Options& o) { return TakeFileName(v, o.recordFile); }},
    {"--screenshot", [](const std::string& v, Options& o) { return TakeFileName(v, o.screenshotFile); }},
    {"--state-hash-every",
     [](const std::string& v, Options& o) {
         return ParseDigits(v, LLONG_MAX, o.stateHashEvery) && o.stateHashEvery > 0;
     }},
};

template <class Entry, std::size_t N>
const Entry* Find(const Entry (&table)[N], const std::string& name) {
    for (const Entry& entry : table)
        if (name == entry.name) return &entry;
    return nullptr;
}

}  // namespace

bool Options::Parse(const std::vector<std::string>& args, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (const Flag* flag = Find(kFlags, arg)) {
            this->*flag->field = true;
            continue;
        }
        const Valued* valued = Find(kValued, arg);
        if (valued == nullptr) {
            error = "unknown option '" + Excerpt(arg) + "'";
            return false;
        }
        // A following option is far more likely a forgotten value than a file name.
        if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
            error = "missing value for " + Excerpt(arg);
            return false;
        }
        const std::string& value = args[++i];
        if (!valued->read(value, *this)) {
            error = "bad value '" + Excerpt(value) + "' for " + Excerpt(arg);
            return false;
        }
    }
    return true;
}

std::string Options::Usage(const std::string& program) {
    return "usage: " + program +
           " [options]\n"
           "  --help             show this text and exit\n"
           "  --version          show the version and exit\n"
           "  --headless         run without a window\n"
           "  --frames N         stop after N steps of the game\n"
           "  --frame-time S     one step of exactly S seconds a frame (0.0001 to 1), as fast as --max-fps allows\n"
           "  --input FILE       play scripted input from FILE\n"
           "  --print-text       at the end, print the last frame's text lines\n"
           "  --screenshot FILE  save the last frame to FILE\n"
           "  --max-fps N        cap the frame rate (0 to 1000, 0: uncapped)\n"
           "  --vsync            wait for the display's refresh instead of --max-fps\n"
           "  --fullscreen       start in fullscreen (F11 or Alt+Enter toggles it)\n"
           "  --frame-stats      at exit, print how evenly frames were presented\n"
           "  --no-legend        no controls legend under the title screen\n"
           "  --timedemo         play the input (or the title) as fast as possible, then\n"
           "                     print the time per frame and the OpenGL renderer\n"
           "  --frame-split      at exit, where a drawn frame's time went, pass by pass\n"
           "  --record FILE      record the game played into FILE, to replay with --input\n"
           "  --state-hash       at exit, print a digest of the whole game state\n"
           "  --state-hash-every N  print the step and the digest every N steps\n"
           "controls:\n"
           "  Enter                  start a game from the title screen\n"
           "  W or Up                launch the sphere (once, at the start)\n"
           "  A / D or Left / Right  steer left / right\n"
           "  mouse                  aim: bullets fly towards the cursor\n"
           "  left mouse button      fire towards the cursor, again and again while held\n"
           "  P                      pause; P again resumes\n"
           "  F11 or Alt+Enter       fullscreen on or off\n"
           "  Escape                 quit, from any screen\n"
           "gamepad:\n"
           "  left stick or d-pad    steer\n"
           "  south button           start a game, launch the sphere\n"
           "  right stick            aim\n"
           "  right trigger or shoulder  fire\n"
           "  Start                  pause or resume\n"
           "  Back                   quit\n";
}

}  // namespace ReEng
