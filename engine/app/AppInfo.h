#pragma once
// What the engine knows of the program it runs: given by the app before Run,
// so nothing in the engine names the game, its files or its colours.
#include <map>
#include <string>
#include <vector>

#include "engine/core/Definitions.h"
#include "engine/input/Bindings.h"

namespace ReEng {

struct AppInfo {
    // In messages, --version, --help and the replay header.
    std::string name = "reeng";
    std::string version = "0";
    // Where an installed program may keep its files, relative to the prefix
    // (the executable's folder is beside them), in the order searched; they
    // come after the executable's own folder and before the working one.
    std::vector<std::string> dataFolders;
    // Files found as above. A run with a window needs the font; an icon that
    // cannot be read is left out.
    std::string font;
    std::string icon;
    // A system's copy of the font, by its full path, used before ours when
    // it exists: its distribution keeps it up to date.
    std::string systemFont;
    // The controls legend shown until play first shows a scene, and the
    // lines added to it while a gamepad is connected.
    std::vector<std::string> legend;
    std::vector<std::string> padLegend;
    // Shown instead of the legend where the platform is played by touch.
    std::vector<std::string> touchLegend;
    // The colour each model file is drawn in, by the name it is loaded
    // under; others are drawn in the renderer's default colour.
    std::map<std::string, vector3> modelColours;
    // The keys and mouse buttons the game reads, by the names input scripts
    // and replays give them: a script naming any other is refused, and a
    // recording writes these, in this order. The browser keeps these keys
    // from the page.
    InputNames inputNames;
    // Which of them a gamepad's controls hold.
    PadBindings padBindings;
};

}  // namespace ReEng
