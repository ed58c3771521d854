#pragma once
// Scripted input for repeatable runs, and the format of recorded replays.
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
#include <istream>
#include <string>
#include <utility>
#include <vector>

#include "engine/input/Bindings.h"
#include "engine/input/Input.h"

namespace ReEng {

class WindowClass;

class InputScript {
public:
    struct Event {
        unsigned frame;
        enum Kind { Key, Button, Mouse, Window, Focus, End, PadConnect, PadDisconnect, PadAxis, PadButton } kind;
        int code;   // sf::Keyboard::Key, sf::Mouse::Button, sf::Joystick::Axis or a pad button
        bool down;  // Key, Button and PadButton; Focus: true for in
        int x, y;   // Mouse and Window; x is the position of PadAxis
        int w, h;   // Window only
    };

    // The program whose replays this script reads, as Recorder writes them.
    void SetProgram(const std::string& name, const std::string& version);
    // The keys and buttons a script may name; any other is a typo.
    void SetNames(InputNames names) { m_names = std::move(names); }

    // A script is a few events a second of play: far below this.
    static constexpr std::size_t kMaxBytes = 1024 * 1024;
    // A replay header's step, in seconds: what --frame-time takes.
    static constexpr double kMinStep = 0.0001, kMaxStep = 1.0;

    // Reads a regular file of at most kMaxBytes.
    // On failure error reads "FILE:LINE: what is wrong" (or names the file
    // that cannot be opened) and the script is left empty.
    bool Load(const std::string& file, std::string& error);
    bool Parse(std::istream& in, const std::string& name, std::string& error);

    // Applies every event up to this frame to the input state, and the
    // play area's place to the window (when given).
    void Apply(unsigned frame, Input& input, WindowClass* window = nullptr);

    // From a replay's header: the step it was recorded with (0: none given).
    double GetStep() const { return m_step; }
    // Whether the script places the play area itself.
    bool HasWindowEvents() const { return m_hasWindow; }
    // The step count of the end line, or -1 without one.
    long long GetEndFrame() const { return m_end; }

    const std::vector<Event>& GetEvents() const { return m_events; }
    // The frame of the last event (0 for an empty script).
    unsigned GetLastFrame() const { return m_events.empty() ? 0u : m_events.back().frame; }

private:
    bool ParseHeader(const std::string& line, std::string& why);
    // A "pad ..." line from its tokens; false with what is wrong in `what`.
    static bool ParsePad(const std::vector<std::string>& tokens, bool& plugged, Event& event, std::string& what);

    std::string m_program = "reeng", m_version = "0";
    InputNames m_names;
    std::vector<Event> m_events;
    std::size_t m_next = 0;
    double m_step = 0.0;
    bool m_hasWindow = false;
    long long m_end = -1;
};

}  // namespace ReEng
