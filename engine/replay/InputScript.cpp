#include "engine/replay/InputScript.h"

#include <climits>
#include <cstdlib>
#include <sstream>

#include "engine/io/RegularFile.h"
#include "engine/window/WindowClass.h"
#include "engine/core/TextParse.h"

namespace ReEng {

void InputScript::SetProgram(const std::string& name, const std::string& version) {
    m_program = name;
    m_version = version;
}

bool InputScript::ParseHeader(const std::string& line, std::string& why) {
    // "# PROGRAM VERSION replay, step S s"
    std::istringstream words(line);
    std::string hash, program, version, replay, step, seconds, unit;
    words >> hash >> program >> version >> replay >> step >> seconds >> unit;
    if (hash != "#" || program != m_program || replay != "replay,") return true;  // an ordinary comment
    if (version != m_version) {
        why = "recorded by " + m_program + " " + Excerpt(version) + ", and this is " + m_version;
        return false;
    }
    if (step != "step" || unit != "s" || seconds.empty()) {
        why = "bad replay header (expected '# " + m_program + " " + m_version + " replay, step S s')";
        return false;
    }
    // The steps --frame-time allows, and nothing else: a step of 1e-300 s
    // would never let a second of real time pass.
    double value = 0.0;
    if (!ParseDecimal(seconds, kMinStep, kMaxStep, value)) {
        why = "bad replay step '" + Excerpt(seconds) + "' (a plain decimal, 0.0001 to 1 s)";
        return false;
    }
    m_step = value;
    return true;
}

namespace {

const char* const kAxisNames[sf::Joystick::AxisCount] = {"X", "Y", "Z", "R", "U", "V", "PovX", "PovY"};

}  // namespace

bool InputScript::ParsePad(const std::vector<std::string>& tokens, bool& plugged, Event& event, std::string& what) {
    auto bad = [&what](std::string text) {
        what = std::move(text);
        return false;
    };
    const std::string verb = tokens.size() > 2 ? tokens[2] : "";
    std::size_t used = 3;
    if (verb == "connect" || verb == "disconnect") {
        event.kind = verb == "connect" ? Event::PadConnect : Event::PadDisconnect;
        plugged = verb == "connect";
    } else if (verb == "axis" || verb == "button") {
        // A pad sends nothing before it is plugged in; a script that says otherwise is wrong.
        if (!plugged) return bad("pad " + verb + " while no pad is connected");
        if (tokens.size() < 5)
            return bad("pad " + verb + (verb == "axis" ? " needs AXIS and POSITION" : " needs N and 'down' or 'up'"));
        used = 5;
        if (verb == "axis") {
            event.kind = Event::PadAxis;
            event.code = -1;
            for (int a = 0; a < sf::Joystick::AxisCount; ++a) {
                if (tokens[3] == kAxisNames[a]) event.code = a;
            }
            if (event.code < 0) return bad("unknown pad axis '" + Excerpt(tokens[3]) + "'");
            if (!ParseSignedInt(tokens[4], event.x) || event.x < -100 || event.x > 100)
                return bad("bad pad axis position '" + Excerpt(tokens[4]) + "' (-100 to 100)");
        } else {
            event.kind = Event::PadButton;
            long long button = 0;
            if (!ParseDigits(tokens[3], sf::Joystick::ButtonCount - 1, button))
                return bad("bad pad button '" + Excerpt(tokens[3]) + "' (0 to 31)");
            event.code = static_cast<int>(button);
            if (tokens[4] != "down" && tokens[4] != "up")
                return bad("expected 'down' or 'up', not '" + Excerpt(tokens[4]) + "'");
            event.down = tokens[4] == "down";
        }
    } else {
        return bad(verb.empty() ? "pad needs connect, disconnect, axis or button"
                                : "unknown pad event '" + Excerpt(verb) + "'");
    }
    if (tokens.size() > used) return bad("unexpected '" + Excerpt(tokens[used]) + "'");
    return true;
}

bool InputScript::Load(const std::string& file, std::string& error) {
    std::string text;
    if (ReadRegularFile(file, kMaxBytes, text, error) != FileReadResult::Ok) {
        m_events.clear();
        m_next = 0;
        error = "cannot read input script " + error;
        return false;
    }
    std::istringstream in(text);
    return Parse(in, file, error);
}

bool InputScript::Parse(std::istream& in, const std::string& name, std::string& error) {
    m_events.clear();
    m_next = 0;
    m_step = 0.0;
    m_hasWindow = false;
    m_end = -1;

    std::string line;
    unsigned lineNumber = 0;
    bool padPlugged = false;
    auto fail = [&](const std::string& what) {
        error = Printable(name) + ":" + std::to_string(lineNumber) + ": " + what;
        m_events.clear();
        return false;
    };

    bool anything = false;  // a comment counts: a script that means to send nothing says so
    while (std::getline(in, line)) {
        ++lineNumber;
        if (line.find_first_not_of(" \t\r\v\f") != std::string::npos) anything = true;
        std::string why;
        if (lineNumber == 1 && !ParseHeader(line, why)) return fail(why);
        const std::size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);

        std::istringstream words(line);
        std::vector<std::string> tokens;
        for (std::string token; words >> token;) tokens.push_back(token);
        if (tokens.empty()) continue;
        if (m_end >= 0) return fail("nothing may follow the end line");

        Event event{};
        long long frame = 0;
        if (!ParseDigits(tokens[0], UINT_MAX, frame)) return fail("bad frame number '" + Excerpt(tokens[0]) + "'");
        event.frame = static_cast<unsigned>(frame);
        if (tokens.size() < 2) return fail("missing key name, 'mouse' or 'pad'");

        std::size_t used = 0;
        if (tokens[1] == "pad") {
            std::string what;
            if (!ParsePad(tokens, padPlugged, event, what)) return fail(what);
            used = tokens.size();
        } else if (tokens[1] == "window") {
            if (tokens.size() < 6) return fail("window needs X Y W H");
            event.kind = Event::Window;
            int* fields[] = {&event.x, &event.y, &event.w, &event.h};
            for (int i = 0; i < 4; ++i)
                if (!ParseSignedInt(tokens[2 + i], *fields[i]) || (i >= 2 && *fields[i] < 1))
                    return fail("bad window value '" + Excerpt(tokens[2 + i]) + "'");
            m_hasWindow = true;
            used = 6;
        } else if (tokens[1] == "focus") {
            if (tokens.size() < 3 || (tokens[2] != "in" && tokens[2] != "out"))
                return fail("focus needs 'in' or 'out'");
            event.kind = Event::Focus;
            event.down = tokens[2] == "in";
            used = 3;
        } else if (tokens[1] == "end") {
            event.kind = Event::End;
            m_end = event.frame;
            used = 2;
        } else if (tokens[1] == "mouse") {
            if (tokens.size() < 4) return fail("mouse needs X and Y");
            event.kind = Event::Mouse;
            if (!ParseSignedInt(tokens[2], event.x)) return fail("bad mouse coordinate '" + Excerpt(tokens[2]) + "'");
            if (!ParseSignedInt(tokens[3], event.y)) return fail("bad mouse coordinate '" + Excerpt(tokens[3]) + "'");
            used = 4;
        } else {
            const InputName* key = FindInput(m_names, tokens[1]);
            if (key == nullptr) return fail("unknown key '" + Excerpt(tokens[1]) + "'");
            if (tokens.size() < 3) return fail("missing 'down' or 'up' after " + tokens[1]);
            if (tokens[2] != "down" && tokens[2] != "up") {
                return fail("expected 'down' or 'up', not '" + Excerpt(tokens[2]) + "'");
            }
            event.kind = key->kind == InputKind::Key ? Event::Key : Event::Button;
            event.code = key->code;
            event.down = tokens[2] == "down";
            used = 3;
        }
        if (tokens.size() > used) return fail("unexpected '" + Excerpt(tokens[used]) + "'");
        // Events are applied in one forward pass, so the script must be in frame order.
        if (!m_events.empty() && event.frame < m_events.back().frame) {
            return fail("frame " + std::to_string(event.frame) + " comes after frame " +
                        std::to_string(m_events.back().frame));
        }
        m_events.push_back(event);
    }
    // A player who gave a file with nothing in it (a replay never written,
    // the wrong file) would watch a title screen that ignores every key.
    if (!anything) {
        error = Printable(name) + ": nothing in it (an input script has one event a line)";
        m_events.clear();
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
