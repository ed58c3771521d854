#include "engine/platform/GL.h"

#include "engine/render/GLSystemSingleton.h"

#include "engine/io/Image.h"

#include "engine/time/FramePacer.h"
#include "engine/time/FrameSplit.h"
#include "engine/time/FrameStats.h"
#include "engine/render/Renderer.h"
#include "engine/window/WindowClass.h"

namespace ReEng {

void GLSystemSingleton::SetPresenting(Renderer* renderer, FramePacer* pacer, FrameStats* stats) {
    m_renderer = renderer;
    m_pacer = pacer;
    m_stats = stats;
}

void GLSystemSingleton::GLSwapBuffers() {
    if (m_window == nullptr || !m_window->IsOpen()) return;
    if (m_renderer != nullptr && !m_renderer->TakeNewPicture()) return;
    if (m_captureNext) {
        // The back buffer is only defined until the swap, so read it here.
        m_captureNext = false;
        const sf::Vector2i size = m_window->GetClientSize();
        m_captureWidth = size.x;
        m_captureHeight = size.y;
        m_capture.resize(static_cast<std::size_t>(m_captureWidth) * m_captureHeight * 4);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, m_captureWidth, m_captureHeight, GL_RGBA, GL_UNSIGNED_BYTE, m_capture.data());
    }
    // Wait first, then swap: the picture is ready and appears on time.
    if (m_pacer != nullptr && m_pacer->IsPacing()) {
        glFinish();
        m_pacer->Wait();
    }
    const auto start = FrameSplit::Clock::now();
    m_window->GetPlatform().Present();
    if (m_split != nullptr) m_split->Add(FrameSplit::Swap, FrameSplit::Clock::now() - start);
    ++m_presents;
    if (m_stats != nullptr) m_stats->MarkNow();
}

bool GLSystemSingleton::SaveCapture(const std::string& file, std::string& error) const {
    if (m_capture.empty()) {
        error = "no frame was captured for " + file;
        return false;
    }
    // The window has no alpha to show, so the picture is opaque.
    std::vector<std::uint8_t> pixels(m_capture);
    for (std::size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
    Image image;
    image.Create(m_captureWidth, m_captureHeight, pixels.data());
    image.FlipVertically();  // GL rows run bottom-up; image rows top-down
    std::string why;
    if (!image.SavePng(file, &why)) {
        error = "cannot write the screenshot " + file + ": " + why;
        return false;
    }
    return true;
}

}  // namespace ReEng
