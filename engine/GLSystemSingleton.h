#pragma once
// Presents finished frames.
#include "engine/Singleton.h"
#include <cstdint>
#include <string>
#include <vector>

namespace ReEng {

class WindowClass;

class GLSystemSingleton : public Singleton<GLSystemSingleton> {
public:

    // The window whose frames are presented; null in a headless run.
    void SetWindow(WindowClass* window) { m_window = window; }
    void GLSwapBuffers();

    // Keeps a copy of the next frame presented, read just before its swap.
    void CaptureNextFrame() { m_captureNext = true; }
    bool HasCapture() const { return !m_capture.empty(); }
    // Writes the kept frame as an image file (PNG by its extension).
    bool SaveCapture(const std::string& file, std::string& error) const;

private:
    GLSystemSingleton() = default;
    friend class Singleton<GLSystemSingleton>;
    WindowClass* m_window = nullptr;
    bool m_captureNext = false;
    std::vector<std::uint8_t> m_capture;  // RGBA, bottom row first
    int m_captureWidth = 0;
    int m_captureHeight = 0;
};

}  // namespace ReEng
