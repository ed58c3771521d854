#include "engine/replay/ReplayFormat.h"

#include <climits>
#include <cstdio>
#include <sstream>

#include <SFML/Window/Joystick.hpp>

#include "engine/core/TextParse.h"

namespace ReEng {
namespace replay {

namespace {

const char* const kAxisNames[sf::Joystick::AxisCount] = {"X", "Y", "Z", "R", "U", "V", "PovX", "PovY"};
constexpr char kDown[] = "down", kUp[] = "up", kIn[] = "in", kOut[] = "out";

bool Bad(std::string& what, std::string text) {
    what = std::move(text);
    return false;
}

// Nothing may follow a line's last field.
bool NoMore(const std::vector<std::string>& tokens, std::size_t used, std::string& what) {
    return tokens.size() <= used || Bad(what, "unexpected '" + Excerpt(tokens[used]) + "'");
}

bool ParseDownUp(const std::string& token, bool& down, std::string& what) {
    if (token != kDown && token != kUp) return Bad(what, "expected 'down' or 'up', not '" + Excerpt(token) + "'");
    down = token == kDown;
    return true;
}

bool ParseWindow(const std::vector<std::string>& tokens, ReplayEvent& event, std::string& what) {
    if (tokens.size() < 6) return Bad(what, "window needs X Y W H");
    event.kind = ReplayEvent::Window;
    int* fields[] = {&event.x, &event.y, &event.w, &event.h};
    for (int i = 0; i < 4; ++i)
        if (!ParseSignedInt(tokens[2 + i], *fields[i]) || (i >= 2 && *fields[i] < 1))
            return Bad(what, "bad window value '" + Excerpt(tokens[2 + i]) + "'");
    return NoMore(tokens, 6, what);
}

bool ParseFocus(const std::vector<std::string>& tokens, ReplayEvent& event, std::string& what) {
    if (tokens.size() < 3 || (tokens[2] != kIn && tokens[2] != kOut)) return Bad(what, "focus needs 'in' or 'out'");
    event.kind = ReplayEvent::Focus;
    event.down = tokens[2] == kIn;
    return NoMore(tokens, 3, what);
}

bool ParseMouse(const std::vector<std::string>& tokens, ReplayEvent& event, std::string& what) {
    if (tokens.size() < 4) return Bad(what, "mouse needs X and Y");
    event.kind = ReplayEvent::Mouse;
    if (!ParseSignedInt(tokens[2], event.x)) return Bad(what, "bad mouse coordinate '" + Excerpt(tokens[2]) + "'");
    if (!ParseSignedInt(tokens[3], event.y)) return Bad(what, "bad mouse coordinate '" + Excerpt(tokens[3]) + "'");
    return NoMore(tokens, 4, what);
}

bool ParseKey(const std::vector<std::string>& tokens, const InputNames& names, ReplayEvent& event, std::string& what) {
    const InputName* key = FindInput(names, tokens[1]);
    if (key == nullptr) return Bad(what, "unknown key '" + Excerpt(tokens[1]) + "'");
    if (tokens.size() < 3) return Bad(what, "missing 'down' or 'up' after " + tokens[1]);
    if (!ParseDownUp(tokens[2], event.down, what)) return false;
    event.kind = key->kind == InputKind::Key ? ReplayEvent::Key : ReplayEvent::Button;
    event.code = key->code;
    return NoMore(tokens, 3, what);
}

bool ParsePadAxis(const std::vector<std::string>& tokens, ReplayEvent& event, std::string& what) {
    event.kind = ReplayEvent::PadAxis;
    event.code = -1;
    for (int a = 0; a < sf::Joystick::AxisCount; ++a)
        if (tokens[3] == kAxisNames[a]) event.code = a;
    if (event.code < 0) return Bad(what, "unknown pad axis '" + Excerpt(tokens[3]) + "'");
    if (!ParseSignedInt(tokens[4], event.x) || event.x < -100 || event.x > 100)
        return Bad(what, "bad pad axis position '" + Excerpt(tokens[4]) + "' (-100 to 100)");
    return true;
}

bool ParsePadButton(const std::vector<std::string>& tokens, ReplayEvent& event, std::string& what) {
    event.kind = ReplayEvent::PadButton;
    long long button = 0;
    if (!ParseDigits(tokens[3], sf::Joystick::ButtonCount - 1, button))
        return Bad(what, "bad pad button '" + Excerpt(tokens[3]) + "' (0 to 31)");
    event.code = static_cast<int>(button);
    return ParseDownUp(tokens[4], event.down, what);
}

bool ParsePad(const std::vector<std::string>& tokens, bool& plugged, ReplayEvent& event, std::string& what) {
    const std::string verb = tokens.size() > 2 ? tokens[2] : "";
    if (verb == "connect" || verb == "disconnect") {
        event.kind = verb == "connect" ? ReplayEvent::PadConnect : ReplayEvent::PadDisconnect;
        plugged = verb == "connect";
        return NoMore(tokens, 3, what);
    }
    if (verb != "axis" && verb != "button") {
        return Bad(what, verb.empty() ? "pad needs connect, disconnect, axis or button"
                                      : "unknown pad event '" + Excerpt(verb) + "'");
    }
    // A pad sends nothing before it is plugged in; a script that says otherwise is wrong.
    if (!plugged) return Bad(what, "pad " + verb + " while no pad is connected");
    if (tokens.size() < 5)
        return Bad(what, "pad " + verb + (verb == "axis" ? " needs AXIS and POSITION" : " needs N and 'down' or 'up'"));
    const bool read = verb == "axis" ? ParsePadAxis(tokens, event, what) : ParsePadButton(tokens, event, what);
    return read && NoMore(tokens, 5, what);
}

}  // namespace

std::string HeaderLine(const std::string& program, const std::string& version, double step) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.17g", step);
    return "# " + program + " " + version + " replay, step " + seconds + " s\n";
}

std::string PlayAgainLine(const std::string& program, const std::string& file) {
    return "# Play it again with: " + program + " --input " + Printable(file) + "\n";
}

std::string EventLine(unsigned long long frame, const ReplayEvent& event, const InputNames& names) {
    const std::string at = std::to_string(frame) + " ";
    const auto number = [](int value) { return " " + std::to_string(value); };
    switch (event.kind) {
        case ReplayEvent::Key:
        case ReplayEvent::Button: {
            const InputName* name =
                FindInput(names, event.kind == ReplayEvent::Key ? InputKind::Key : InputKind::Button, event.code);
            if (name == nullptr) return "";
            return at + name->name + " " + (event.down ? kDown : kUp) + "\n";
        }
        case ReplayEvent::Mouse:
            return at + kMouse + number(event.x) + number(event.y) + "\n";
        case ReplayEvent::Window:
            return at + kWindow + number(event.x) + number(event.y) + number(event.w) + number(event.h) + "\n";
        case ReplayEvent::Focus:
            return at + kFocus + " " + (event.down ? kIn : kOut) + "\n";
        case ReplayEvent::End:
            return at + kEnd + "\n";
        case ReplayEvent::PadConnect:
            return at + kPad + " connect\n";
        case ReplayEvent::PadDisconnect:
            return at + kPad + " disconnect\n";
        case ReplayEvent::PadAxis:
            if (event.code < 0 || event.code >= sf::Joystick::AxisCount) return "";
            return at + kPad + " axis " + kAxisNames[event.code] + number(event.x) + "\n";
        case ReplayEvent::PadButton:
            return at + kPad + " button" + number(event.code) + " " + (event.down ? kDown : kUp) + "\n";
    }
    return "";
}

HeaderKind ParseHeader(const std::string& line, const std::string& program, const std::string& version, double& step,
                       std::string& why) {
    std::istringstream words(line);
    std::string hash, itsProgram, itsVersion, replay, stepWord, seconds, unit;
    words >> hash >> itsProgram >> itsVersion >> replay >> stepWord >> seconds >> unit;
    if (hash != "#" || itsProgram != program || replay != "replay,") return HeaderKind::Comment;
    if (itsVersion != version) {
        why = "recorded by " + program + " " + Excerpt(itsVersion) + ", and this is " + version;
        return HeaderKind::Bad;
    }
    if (stepWord != "step" || unit != "s" || seconds.empty()) {
        why = "bad replay header (expected '# " + program + " " + version + " replay, step S s')";
        return HeaderKind::Bad;
    }
    // The steps --frame-time allows, and nothing else: a step of 1e-300 s
    // would never let a second of real time pass.
    double value = 0.0;
    if (!ParseDecimal(seconds, kMinStep, kMaxStep, value)) {
        why = "bad replay step '" + Excerpt(seconds) + "' (a plain decimal, 0.0001 to 1 s)";
        return HeaderKind::Bad;
    }
    step = value;
    return HeaderKind::Replay;
}

std::vector<std::string> Tokens(std::string line) {
    const std::size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> tokens;
    for (std::string token; words >> token;) tokens.push_back(token);
    return tokens;
}

bool ParseEvent(const std::vector<std::string>& tokens, const InputNames& names, bool& padPlugged, ReplayEvent& event,
                std::string& what) {
    event = ReplayEvent{};
    long long frame = 0;
    if (!ParseDigits(tokens[0], UINT_MAX, frame)) return Bad(what, "bad frame number '" + Excerpt(tokens[0]) + "'");
    event.frame = static_cast<unsigned>(frame);
    if (tokens.size() < 2) return Bad(what, "missing key name, 'mouse' or 'pad'");
    const std::string& word = tokens[1];
    if (word == kPad) return ParsePad(tokens, padPlugged, event, what);
    if (word == kWindow) return ParseWindow(tokens, event, what);
    if (word == kFocus) return ParseFocus(tokens, event, what);
    if (word == kMouse) return ParseMouse(tokens, event, what);
    if (word == kEnd) {
        event.kind = ReplayEvent::End;
        return NoMore(tokens, 2, what);
    }
    return ParseKey(tokens, names, event, what);
}

}  // namespace replay
}  // namespace ReEng
