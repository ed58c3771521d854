// The browser build's WindowClass: as engine/WindowClass.cpp, but the page
// shows its own favicon, so no icon is decoded (that file reads it with SFML).
#include "engine/WindowClass.h"

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
    m_platform->Close();
    m_platform = CreateHeadlessPlatform();
}

bool WindowClass::SetIcon(const std::string&) { return false; }

}  // namespace ReEng
