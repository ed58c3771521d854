#pragma once
// The input-script and replay format, in one place: Recorder writes its
// lines with these functions and InputScript reads every line with these.
// One event a line:
//   FRAME KEY down | FRAME KEY up  (KEY: a key or button the game names)
//   FRAME mouse X Y
//   FRAME window X Y W H   the play area's place on the screen (for aiming)
//   FRAME focus in|out     the window gained or lost the focus (a record only)
//   FRAME end              the recorded game ran FRAME steps
//   FRAME pad connect | FRAME pad disconnect
//   FRAME pad axis AXIS POSITION   (AXIS: X Y Z R U V PovX PovY; -100 .. 100)
//   FRAME pad button N down|up     (N: 0 .. 31, in the XInput order: 0 south,
//                                   5 right shoulder, 6 back, 7 start)
// Frames count from 0 and never go back; '#' starts a comment. A replay
// starts with the comment "# PROGRAM VERSION replay, step S s": it plays
// only in the same program and version, with steps of S seconds, and must
// have its end.
#include <string>
#include <vector>

#include "engine/input/Bindings.h"

namespace ReEng {

struct ReplayEvent {
    unsigned frame;
    enum Kind { Key, Button, Mouse, Window, Focus, End, PadConnect, PadDisconnect, PadAxis, PadButton } kind;
    int code;   // sf::Keyboard::Key, sf::Mouse::Button, sf::Joystick::Axis or a pad button
    bool down;  // Key, Button and PadButton; Focus: true for in
    int x, y;   // Mouse and Window; x is the position of PadAxis
    int w, h;   // Window only
};

namespace replay {

// The words after the frame that are not a key's name.
inline constexpr char kMouse[] = "mouse", kWindow[] = "window", kFocus[] = "focus", kEnd[] = "end", kPad[] = "pad";

// A header's step, in seconds: what --frame-time takes.
constexpr double kMinStep = 0.0001, kMaxStep = 1.0;

// "# PROGRAM VERSION replay, step S s", S in as many digits as it takes to
// read back the same double.
std::string HeaderLine(const std::string& program, const std::string& version, double step);
// The comment under it, saying how to watch FILE.
std::string PlayAgainLine(const std::string& program, const std::string& file);
// The line of an event at this frame (a recording's step count, which may
// outgrow event.frame). Keys and buttons go by their first name in `names`;
// one without a name has no line (empty).
std::string EventLine(unsigned long long frame, const ReplayEvent& event, const InputNames& names);

enum class HeaderKind { Comment, Replay, Bad };
// A script's first line: an ordinary comment (or no comment at all), the
// header of a replay of this program and version (its step is set), or a
// replay header that is wrong (`why` says how).
HeaderKind ParseHeader(const std::string& line, const std::string& program, const std::string& version, double& step,
                       std::string& why);

// A line's words, its comment left out.
std::vector<std::string> Tokens(std::string line);
// The event of a line with at least one word; false with what is wrong in
// `what`. `padPlugged` follows the pad's connect and disconnect lines, as a
// pad sends nothing while it is out.
bool ParseEvent(const std::vector<std::string>& tokens, const InputNames& names, bool& padPlugged, ReplayEvent& event,
                std::string& what);

}  // namespace replay

}  // namespace ReEng
