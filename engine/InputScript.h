#pragma once
// Scripted input for repeatable runs. One event a line:
//   FRAME KEY down | FRAME KEY up | FRAME mouse X Y
//   FRAME pad connect | FRAME pad disconnect
//   FRAME pad axis AXIS POSITION   (AXIS: X Y Z R U V PovX PovY; -100 .. 100)
//   FRAME pad button N down|up     (N: 0 .. 31, in the XInput order: 0 south,
//                                   5 right shoulder, 6 back, 7 start)
// Frames count from 0 and never go back; '#' starts a comment.
#include <istream>
#include <string>
#include <vector>

#include "engine/Input.h"

namespace ReEng {

class InputScript {
public:
    struct Event {
        unsigned frame;
        enum Kind { Key, Button, Mouse, PadConnect, PadDisconnect, PadAxis, PadButton } kind;
        int code;   // sf::Keyboard::Key, sf::Mouse::Button, sf::Joystick::Axis or a pad button
        bool down;
        int x, y;   // Mouse; x is the position of PadAxis
    };

    // On failure error reads "FILE:LINE: what is wrong" (or names the file
    // that cannot be opened) and the script is left empty.
    bool Load(const std::string& file, std::string& error);
    bool Parse(std::istream& in, const std::string& name, std::string& error);

    // Applies every event of this frame to the input state.
    void Apply(unsigned frame, Input& input);

    const std::vector<Event>& GetEvents() const { return m_events; }
    // The frame of the last event (0 for an empty script).
    unsigned GetLastFrame() const { return m_events.empty() ? 0u : m_events.back().frame; }

private:
    // A "pad ..." line from its tokens; false with what is wrong in `what`.
    static bool ParsePad(const std::vector<std::string>& tokens, bool& plugged, Event& event, std::string& what);

    std::vector<Event> m_events;
    std::size_t m_next = 0;
};

}  // namespace ReEng
