#include "engine/Options.h"

#include <cerrno>
#include <climits>
#include <cctype>
#include <cstdlib>

#include "engine/TextParse.h"

namespace ReEng {

namespace {

bool ParseSeconds(const std::string& text, double& out) {
    // strtod would skip any leading white space (a newline too) and read
    // "inf", "nan" and hex: a plain decimal number only.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.') ||
        text.find_first_not_of("0123456789.eE+-") != std::string::npos)
        return false;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE) return false;
    if (!(value >= Options::kMinFrameTime && value <= Options::kMaxFrameTime)) return false;
    out = value;
    return true;
}

}  // namespace

bool Options::Parse(const std::vector<std::string>& args, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == "--headless") {
            headless = true;
        } else if (arg == "--print-text") {
            printText = true;
        } else if (arg == "--vsync") {
            vsync = true;
        } else if (arg == "--fullscreen") {
            fullscreen = true;
        } else if (arg == "--frame-stats") {
            frameStats = true;
        } else if (arg == "--timedemo") {
            timedemo = true;
        } else if (arg == "--frame-split") {
            frameSplit = true;
        } else if (arg == "--state-hash") {
            stateHash = true;
        } else if (arg == "--no-legend") {
            noLegend = true;
        } else if (arg == "--frames" || arg == "--frame-time" || arg == "--input" || arg == "--screenshot" ||
                   arg == "--max-fps" || arg == "--record" || arg == "--state-hash-every") {
            // A following option is far more likely a forgotten value than a file name.
            if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
                error = "missing value for " + Excerpt(arg);
                return false;
            }
            const std::string& value = args[++i];
            bool ok = true;
            if (arg == "--frames") {
                ok = ParseDigits(value, LLONG_MAX, frames);
            } else if (arg == "--frame-time") {
                ok = ParseSeconds(value, frameTime);
            } else if (arg == "--max-fps") {
                long long fps = 0;
                ok = ParseDigits(value, 1000, fps);
                if (ok) maxFps = static_cast<int>(fps);
            } else if (arg == "--input") {
                ok = !value.empty();
                if (ok) inputFile = value;
            } else if (arg == "--record") {
                ok = !value.empty();
                if (ok) recordFile = value;
            } else if (arg == "--state-hash-every") {
                ok = ParseDigits(value, LLONG_MAX, stateHashEvery) && stateHashEvery > 0;
            } else {
                ok = !value.empty();
                if (ok) screenshotFile = value;
            }
            if (!ok) {
                error = "bad value '" + Excerpt(value) + "' for " + Excerpt(arg);
                return false;
            }
        } else {
            error = "unknown option '" + Excerpt(arg) + "'";
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
