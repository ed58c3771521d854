#pragma once
// Scripted input for repeatable runs, and recorded replays played back. The
// lines it reads are those of ReplayFormat.h.
#include <istream>
#include <string>
#include <utility>
#include <vector>

#include "engine/input/Bindings.h"
#include "engine/input/Input.h"
#include "engine/replay/ReplayFormat.h"

namespace ReEng {

class WindowClass;

class InputScript {
public:
    using Event = ReplayEvent;

    // The program whose replays this script reads, as Recorder writes them.
    void SetProgram(const std::string& name, const std::string& version);
    // The keys and buttons a script may name; any other is a typo.
    void SetNames(InputNames names) { m_names = std::move(names); }

    // A script is a few events a second of play: far below this.
    static constexpr std::size_t kMaxBytes = 1024 * 1024;
    // A replay header's step, in seconds: what --frame-time takes.
    static constexpr double kMinStep = replay::kMinStep, kMaxStep = replay::kMaxStep;

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
    // Empty, as before anything was read.
    void Clear();

    std::string m_program = "reeng", m_version = "0";
    InputNames m_names;
    std::vector<Event> m_events;
    std::size_t m_next = 0;
    double m_step = 0.0;
    bool m_hasWindow = false;
    long long m_end = -1;
};

}  // namespace ReEng
