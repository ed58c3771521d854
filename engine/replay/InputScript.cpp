#include "engine/replay/InputScript.h"

#include <sstream>

#include "engine/io/RegularFile.h"
#include "engine/window/WindowClass.h"
#include "engine/core/TextParse.h"

namespace ReEng {

void InputScript::SetProgram(const std::string& name, const std::string& version) {
    m_program = name;
    m_version = version;
}

void InputScript::Clear() {
    m_events.clear();
    m_next = 0;
    m_step = 0.0;
    m_hasWindow = false;
    m_end = -1;
}

bool InputScript::Load(const std::string& file, std::string& error) {
    std::string text;
    if (ReadRegularFile(file, kMaxBytes, text, error) != FileReadResult::Ok) {
        Clear();
        error = "cannot read input script " + error;
        return false;
    }
    std::istringstream in(text);
    return Parse(in, file, error);
}

bool InputScript::Parse(std::istream& in, const std::string& name, std::string& error) {
    Clear();
    std::string line;
    unsigned lineNumber = 0;
    bool padPlugged = false;
    auto fail = [&](const std::string& what) {
        error = Printable(name) + ":" + std::to_string(lineNumber) + ": " + what;
        // What was read before the mistake (a header's step, an end) is no
        // more to be trusted than the events.
        Clear();
        return false;
    };

    bool anything = false;  // a comment counts: a script that means to send nothing says so
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.find_first_not_of(" \t\r\v\f") != std::string::npos) anything = true;
        std::string what;
        if (lineNumber == 1 && replay::ParseHeader(line, m_program, m_version, m_step, what) == replay::HeaderKind::Bad)
            return fail(what);
        const std::vector<std::string> tokens = replay::Tokens(line);
        if (tokens.empty()) continue;
        if (m_end >= 0) return fail("nothing may follow the end line");
        Event event;
        if (!replay::ParseEvent(tokens, m_names, padPlugged, event, what)) return fail(what);
        // Events are applied in one forward pass, so the script must be in frame order.
        if (!m_events.empty() && event.frame < m_events.back().frame) {
            return fail("frame " + std::to_string(event.frame) + " comes after frame " +
                        std::to_string(m_events.back().frame));
        }
        if (event.kind == Event::Window) m_hasWindow = true;
        if (event.kind == Event::End) m_end = event.frame;
        m_events.push_back(event);
    }
    // A player who gave a file with nothing in it (a replay never written,
    // the wrong file) would watch a title screen that ignores every key.
    if (!anything) {
        error = Printable(name) + ": nothing in it (an input script has one event a line)";
        Clear();
        return false;
    }
    // A replay cut short would play on with whatever was held at the cut.
    if (m_step > 0.0 && m_end < 0) return fail("the replay has no end line (is it cut short?)");
    return true;
}

void InputScript::Apply(unsigned frame, Input& input, WindowClass* window) {
    for (; m_next < m_events.size() && m_events[m_next].frame <= frame; ++m_next) {
        const Event& event = m_events[m_next];
        switch (event.kind) {
            case Event::Key:
                input.SetKey(static_cast<sf::Keyboard::Key>(event.code), event.down);
                break;
            case Event::Button:
                input.SetButton(static_cast<sf::Mouse::Button>(event.code), event.down);
                break;
            case Event::Mouse:
                input.SetMousePosition(sf::Vector2i(event.x, event.y));
                break;
            case Event::Window:
                if (window != nullptr) window->SetScreenArea(PlayArea{event.x, event.y, event.w, event.h});
                break;
            case Event::Focus:  // a live game ran no step without the focus: nothing to replay
            case Event::End:
                break;
            case Event::PadConnect:
                input.PadConnected(0);
                break;
            case Event::PadDisconnect:
                input.PadDisconnected(0);
                break;
            case Event::PadAxis:
                input.GetPad().SetAxis(static_cast<sf::Joystick::Axis>(event.code), static_cast<float>(event.x));
                break;
            case Event::PadButton:
                input.GetPad().SetButton(static_cast<unsigned>(event.code), event.down);
                break;
        }
    }
}

}  // namespace ReEng
