#include "engine/window/WindowClass.h"

#include "engine/io/Image.h"

namespace ReEng {

WindowClass::WindowClass(std::string program) : m_program(std::move(program)), m_platform(CreateHeadlessPlatform()) {}

WindowClass::~WindowClass() { Close(); }

bool WindowClass::Open(const std::string& title, int width, int height, std::string& error) {
    m_platform = CreateWindowedPlatform(m_program);
    if (m_platform->Open(title, width, height, error)) return true;
    Close();
    return false;
}

void WindowClass::Close() {
    // The windowed backend is let go with its window: a closed window answers
    // as no window at all.
    m_platform->Close();
    m_platform = CreateHeadlessPlatform();
}

bool WindowClass::SetIcon(const std::string& file) {
    if (!m_platform->IsOpen()) return false;
    Image icon;
    if (!icon.LoadFile(file)) return false;  // a missing icon is no reason to say anything
    m_platform->SetIcon(ImageView{icon.Pixels(), icon.Width(), icon.Height()});
    return true;
}

}  // namespace ReEng
