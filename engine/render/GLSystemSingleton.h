#pragma once
// Presents finished frames.
#include "engine/core/Singleton.h"
#include <cstdint>
#include <string>
#include <vector>

namespace ReEng {

class FramePacer;
class FrameSplit;
class FrameStats;
class Renderer;
class WindowClass;

class GLSystemSingleton : public Singleton<GLSystemSingleton> {
public:
    // The window whose frames are presented; null in a headless run.
    void SetWindow(WindowClass* window) { m_window = window; }
    // Presents the frame, if something new was drawn since the last present
    // (nothing is presented for an unchanged picture), at the pacer's next
    // deadline. The renderer, pacer and stats are the app's; any may be null.
    void GLSwapBuffers();
    void SetPresenting(Renderer* renderer, FramePacer* pacer, FrameStats* stats);
    // Times each swap into split; null: no timing.
    void SetSplit(FrameSplit* split) { m_split = split; }
    // Frames presented so far.
    unsigned long long GetPresentCount() const { return m_presents; }

    // Keeps a copy of the next frame presented, read just before its swap.
    void CaptureNextFrame() { m_captureNext = true; }
    bool HasCapture() const { return !m_capture.empty(); }
    // Writes the kept frame as a PNG file.
    bool SaveCapture(const std::string& file, std::string& error) const;

private:
    GLSystemSingleton() = default;
    friend class Singleton<GLSystemSingleton>;
    WindowClass* m_window = nullptr;
    Renderer* m_renderer = nullptr;
    FramePacer* m_pacer = nullptr;
    FrameStats* m_stats = nullptr;
    FrameSplit* m_split = nullptr;
    unsigned long long m_presents = 0;
    bool m_captureNext = false;
    std::vector<std::uint8_t> m_capture;  // RGBA, bottom row first
    int m_captureWidth = 0;
    int m_captureHeight = 0;
};

}  // namespace ReEng
