#pragma once
// What a run leaves behind beside the game itself: the recording, the state
// digests, the frame figures (--frame-stats, --timedemo, --frame-split), the
// screenshot and the last frame's text, and whether the standard output got
// all of it. The frame loop tells it of each step and pass; it decides what
// the options asked for and writes it.
#include <memory>
#include <string>
#include <vector>

#include "engine/app/AppInfo.h"
#include "engine/app/Options.h"
#include "engine/replay/Recorder.h"
#include "engine/time/FrameSplit.h"
#include "engine/time/FrameStats.h"

namespace ReEng {

class GLSystemSingleton;
class Input;
class WindowClass;

class RunOutputs {
public:
    // The game's own digest of its whole state; null: none.
    using StateDigest = unsigned long long (*)();

    RunOutputs(const Options& options, const AppInfo& info) : m_options(options), m_info(info) {}

    // The frame figures asked for; null when not.
    FrameStats* Stats() const { return m_stats.get(); }
    FrameSplit* Split() const { return m_split.get(); }
    // Made for a drawn run: timing passes slows every one of them.
    void MakeSplit();

    // Before the first step: the figures, and the recording opened with
    // steps of `step` seconds. False, with the error reported and status
    // set, when the recording cannot be made.
    bool Start(double step, bool headless, int& status);
    // After each step: what it read recorded, and its digest when due.
    void StepDone(unsigned long long steps, const Input& input, const WindowClass& window, StateDigest digest);
    void RecordFocus(bool focused) { m_recorder.RecordFocus(focused); }
    // After each pass: the output flushed for whoever reads it as the game
    // runs; false once nobody does (a closed pipe).
    bool Flush();
    // At the end, whatever ended the run: every output written; returns the
    // status, 1 if any of them failed.
    int Finish(unsigned long long steps, GLSystemSingleton& presenting, const std::vector<std::string>& lastText,
               StateDigest digest, int status);

private:
    void PrintStats(bool drawn) const;

    const Options& m_options;
    const AppInfo& m_info;
    Recorder m_recorder;
    std::unique_ptr<FrameStats> m_stats;  // only when asked for: it keeps every interval
    std::unique_ptr<FrameSplit> m_split;  // only when asked for: it slows every pass
    int m_stdoutError = 0;                // errno of the first failed write of the standard output
    bool m_headless = false;
};

}  // namespace ReEng
