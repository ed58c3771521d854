#include "engine/platform/GL.h"

#include "engine/app/RunOutputs.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

#include "engine/app/OutputCheck.h"
#include "engine/core/ErrorLine.h"
#include "engine/render/GLSystemSingleton.h"

namespace ReEng {

void RunOutputs::MakeSplit() {
    if (m_options.frameSplit) m_split = std::make_unique<FrameSplit>();
}

bool RunOutputs::Start(double step, bool headless, int& status) {
    m_headless = headless;
    if (m_options.frameStats || m_options.timedemo) m_stats = std::make_unique<FrameStats>();
    if (m_stats && m_options.timedemo) m_stats->MarkNow();  // the first frame's time counts too
    if (m_options.recordFile.empty()) return true;
    std::string error;
    m_recorder.SetProgram(m_info.name, m_info.version);
    m_recorder.SetNames(m_info.inputNames);
    if (m_recorder.Open(m_options.recordFile, step, error)) return true;
    ReportError(error);
    status = 2;
    return false;
}

void RunOutputs::StepDone(unsigned long long steps, const Input& input, const WindowClass& window, StateDigest digest) {
    m_recorder.RecordStep(steps - 1, input, window);
    if (m_stats && m_headless) m_stats->MarkNow();  // nothing is presented: a step is a frame
    if (m_options.stateHashEvery > 0 && digest != nullptr &&
        steps % static_cast<unsigned long long>(m_options.stateHashEvery) == 0)
        std::printf("\nstate-hash %llu %016llx\n", steps, digest());
}

bool RunOutputs::Flush() {
    if (std::fflush(stdout) != 0 && m_stdoutError == 0) m_stdoutError = errno;
    // Nobody reads the output any more (| head): the run ends as a failed
    // write does, with the recording finished, rather than play on unseen.
    return m_stdoutError != EPIPE;
}

int RunOutputs::Finish(unsigned long long steps, GLSystemSingleton& presenting,
                       const std::vector<std::string>& lastText, StateDigest digest, int status) {
    // The frame-rate line ends in a carriage return: finish it.
    if (steps > 0) std::cout << "\n";
    // A recording is kept whatever ended the run (a signal too); a failure
    // to finish it fails the run, and the rest is still written.
    std::string error;
    if (!m_recorder.Finish(steps, error)) {
        ReportError(error);
        status = 1;
    }
    if (m_options.stateHash && digest != nullptr) std::printf("state-hash %llu %016llx\n", steps, digest());
    if (!m_options.screenshotFile.empty() && !presenting.SaveCapture(m_options.screenshotFile, error)) {
        ReportError(error);
        status = 1;
    }
    PrintStats(!m_headless);
    if (m_options.printText) {
        for (const std::string& line : lastText) std::cout << line << "\n";
    }
    return WithOutputChecked(status, m_stdoutError);
}

void RunOutputs::PrintStats(bool drawn) const {
    if (m_split) std::cout << "\n" << m_split->Report() << "\n";
    if (!m_stats) return;
    // Below the frame-rate line, which Finish has ended.
    std::cout << FrameStats::Format(m_options.timedemo ? "timedemo: frames" : "frame-stats: intervals",
                                    m_stats->Summarize())
              << "\n";
    if (m_options.timedemo && drawn) {
        const GLubyte* renderer = glGetString(GL_RENDERER);
        const GLubyte* version = glGetString(GL_VERSION);
        std::cout << "timedemo: GL_RENDERER " << (renderer ? reinterpret_cast<const char*>(renderer) : "?")
                  << "\ntimedemo: GL_VERSION " << (version ? reinterpret_cast<const char*>(version) : "?") << "\n";
    }
    std::cout.flush();
}

}  // namespace ReEng
