#pragma once
// The engine's command line. The game never reads it.
#include <string>
#include <vector>

namespace ReEng {

class Options {
public:
    bool help = false;
    bool version = false;
    bool headless = false;
    long long frames = -1;   // -1: until the quit request
    double frameTime = 0.0;  // > 0: one step of exactly this long a frame
    // A fixed frame time outside these is refused: shorter steps stop the
    // camera (it moves by less than a float can add), longer ones are no game.
    static constexpr double kMinFrameTime = 0.0001;
    static constexpr double kMaxFrameTime = 1.0;
    std::string inputFile;
    bool printText = false;
    std::string screenshotFile;
    int maxFps = 60;     // 0: uncapped
    bool vsync = false;  // pace by the display's refresh instead
    bool fullscreen = false;
    bool frameStats = false;       // at exit, the intervals between presented frames
    bool timedemo = false;         // fixed steps as fast as possible, timed
    bool frameSplit = false;       // time each drawing pass (finishing it first)
    std::string recordFile;        // record the game played, as a replayable script
    bool stateHash = false;        // at exit, a digest of the game's state
    long long stateHashEvery = 0;  // > 0: a digest every that many steps
    bool noLegend = false;         // no controls legend on the title screen

    // False with a one-line error naming the bad option or value.
    bool Parse(const std::vector<std::string>& args, std::string& error);
    static std::string Usage(const std::string& program);
};

}  // namespace ReEng
