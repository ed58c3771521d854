#pragma once
// What must hold whatever bytes a parser is given. Shared by the libFuzzer
// targets (which abort on a complaint) and by the test that replays the
// corpus and every input that once broke a parser. Each returns an empty
// string when all is well, or what went wrong.
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "app/GameBindings.h"
#include "engine/input/Input.h"
#include "engine/replay/InputScript.h"
#include "engine/render/Model.h"
#include "engine/app/Options.h"

namespace fuzzcheck {

// An error is shown to the user as one short line of printable ASCII,
// whatever the input: no control sequence reaches the terminal, and a huge
// bad token is not echoed whole.
inline bool OneLine(const std::string& text) {
    if (text.empty() || text.size() > 400) return false;
    for (const char c : text) {
        if (c < 0x20 || c > 0x7e) return false;
    }
    return true;
}

inline std::string CheckInputScript(const std::string& data) {
    ReEng::InputScript script;
    // The corpus's replays name this program and version: their headers are
    // read as headers, not comments.
    script.SetProgram("vaultrix", "0.1.0");
    script.SetNames(GameInputNames());
    std::istringstream in(data);
    std::string error;
    const bool ok = script.Parse(in, "fuzz.txt", error);
    if (!ok) {
        if (!script.GetEvents().empty()) return "a rejected script kept events";
        if (!OneLine(error)) return "the error is not one short printable line: " + error;
        if (error.rfind("fuzz.txt:", 0) != 0) return "the error does not name the file and line: " + error;
        return "";
    }
    unsigned last = 0;
    for (const ReEng::InputScript::Event& event : script.GetEvents()) {
        if (event.frame < last) return "frames go back";
        last = event.frame;
        if (event.kind == ReEng::InputScript::Event::Key && (event.code < 0 || event.code >= sf::Keyboard::KeyCount))
            return "a key code out of range";
        if (event.kind == ReEng::InputScript::Event::Button && (event.code < 0 || event.code >= sf::Mouse::ButtonCount))
            return "a button code out of range";
        if (event.kind == ReEng::InputScript::Event::PadAxis &&
            (event.code < 0 || event.code >= sf::Joystick::AxisCount || event.x < -100 || event.x > 100))
            return "a pad axis or position out of range";
        if (event.kind == ReEng::InputScript::Event::PadButton &&
            (event.code < 0 || event.code >= static_cast<int>(sf::Joystick::ButtonCount)))
            return "a pad button out of range";
    }
    // Applying every frame's events must be safe, in order, and only once.
    ReEng::Input input;
    input.GetPad().SetBindings(GamePadBindings());
    if (!script.GetEvents().empty()) {
        script.Apply(0, input);
        script.Apply(script.GetEvents().back().frame, input);
        script.Apply(script.GetEvents().back().frame, input);
    }
    return "";
}

// Arguments are the data split at NUL bytes.
inline std::string CheckOptions(const std::string& data) {
    std::vector<std::string> args;
    std::string current;
    for (char c : data) {
        if (c == '\0') {
            args.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) args.push_back(current);

    ReEng::Options options;
    std::string error;
    if (!options.Parse(args, error)) {
        if (!OneLine(error)) return "the error is not one short printable line: " + error;
        return "";
    }
    if (options.frames < -1) return "a negative frame count";
    if (!(options.frameTime >= 0.0) || !std::isfinite(options.frameTime)) return "a bad frame time";
    if (options.maxFps < 0 || options.maxFps > 1000) return "a frame rate cap out of range";
    return "";
}

inline bool Finite(const ReEng::vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

inline std::string CheckModel(const std::string& data) {
    ReEng::Model model;
    std::string error;
    const bool ok = model.LoadObjText(data, "fuzz.obj", error);
    if (ok != model.loaded) return "the result and the loaded flag disagree";
    if (!ok) {
        if (!model.positions.empty() || !model.normals.empty() || !model.vertices.empty())
            return "a rejected model kept geometry";
        if (!OneLine(error)) return "the error is not one short printable line: " + error;
        if (error.find("fuzz.obj") == std::string::npos) return "the error does not name the file: " + error;
        return "";
    }
    if (model.positions.empty() || model.positions.size() % 3 != 0) return "not a whole number of triangles";
    if (model.normals.size() != model.positions.size()) return "not one normal per position";
    if (model.vertices.empty()) return "no vertices for the bounding volume";
    for (const auto* list : {&model.positions, &model.normals, &model.vertices}) {
        for (const ReEng::vector3& v : *list) {
            if (!Finite(v)) return "a coordinate is not finite";
            if (std::abs(v.x) > ReEng::Model::kMaxCoordinate || std::abs(v.y) > ReEng::Model::kMaxCoordinate ||
                std::abs(v.z) > ReEng::Model::kMaxCoordinate)
                return "a coordinate is out of range";
        }
    }
    return "";
}

}  // namespace fuzzcheck
