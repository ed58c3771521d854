#pragma once
// Records a game as it is played, in the input-script format, so that
// --input replays it step for step. It writes what each step read (keys,
// buttons, the cursor), where the play area was, and focus changes, and
// flushes after every step, so a crash loses at most the last one. The file
// is written under FILE.part and takes its name only when the game ends.
#include <cstdio>
#include <string>
#include <utility>

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/System/Vector2.hpp>

#include "engine/input/Bindings.h"
#include "engine/replay/ReplayFormat.h"

namespace ReEng {

class Input;
class WindowClass;

class Recorder {
public:
    Recorder() = default;
    // An unfinished recording is left as FILE.part.
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // The program and version the header names, for InputScript to check.
    void SetProgram(const std::string& name, const std::string& version);
    // The keys and buttons written, by the names InputScript reads.
    void SetNames(InputNames names) { m_names = std::move(names); }
    // False with a one-line error if FILE (or FILE.part) already exists or
    // cannot be written: a recording never replaces anything.
    bool Open(const std::string& file, double step, std::string& error);
    bool IsOpen() const { return m_file != nullptr; }

    // After a step's hooks, before its input is forgotten: what changed.
    void RecordStep(unsigned long long step, const Input& input, const WindowClass& window);
    // The window gained or lost the focus. Written with the next step, and
    // only if the focus then differs from the last written.
    void RecordFocus(bool focused);
    // Writes the end line and gives the file its name. False with an error
    // if the file could not be written in full.
    bool Finish(unsigned long long steps, std::string& error);

private:
    void Line(const std::string& text);
    // One event's line, at this step.
    void Write(unsigned long long step, const ReplayEvent& event);

    std::FILE* m_file = nullptr;
    std::string m_program = "reeng", m_version = "0";
    InputNames m_names;
    std::string m_name, m_part;
    bool m_failed = false;  // a write went wrong: the file is not to be trusted
    bool m_wrote = false;   // since the last flush
    signed char m_keys[sf::Keyboard::KeyCount];
    signed char m_buttons[sf::Mouse::ButtonCount];
    sf::Vector2i m_mouse;
    bool m_mouseKnown = false;
    int m_rect[4] = {0, 0, 0, 0};
    bool m_rectKnown = false;
    bool m_focused = true, m_focusWritten = true;  // now, and as the file last said
};

}  // namespace ReEng
