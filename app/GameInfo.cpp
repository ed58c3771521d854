#include "app/GameInfo.h"

#include "app/GameBindings.h"

ReEng::AppInfo GameInfo() {
    ReEng::AppInfo info;
    info.name = "vaultrix";
    info.version = VAULTRIX_VERSION;
    // A bin/ install's data, then a games/ one's (the Debian package).
    info.dataFolders = {"share/vaultrix", "share/games/vaultrix"};
    info.font = "assets/fonts/DejaVuSansMono.ttf";
    info.icon = "assets/icon.png";
    info.systemFont = VAULTRIX_SYSTEM_FONT;
    info.legend = {"Keys: Enter start   A/D or Left/Right steer   W or Up launch   P pause   Esc quit",
                   "Mouse: point to aim, left button fires"};
    // Short lines in plain ASCII: drawn large on a phone, each must fit
    // across the picture. They name the page's touch buttons.
    info.touchLegend = {"Tap the picture to start", "Hold the side arrows to steer",
                        "Up arrow: launch   Pause button: pause", "Touch the picture to aim and fire"};
    info.padLegend = {
        "Pad: A start, launch   left stick or d-pad steer   right stick aim   RT or RB fire   Start pause   Back quit"};
    // Platforms warm orange-brown; obstacles a deep pink, dark enough to
    // stand at 3:1 against the light-blue clear colour even where lit fully.
    info.modelColours = {
        {"Platformer/portal.obj", ReEng::vector3(0.80f, 0.50f, 0.22f)},
        {"Platformer/companion.obj", ReEng::vector3(0.52f, 0.06f, 0.30f)},
    };
    info.inputNames = GameInputNames();
    info.padBindings = GamePadBindings();
    return info;
}
