#include "engine/platform/sfml/DesktopPlatform.h"

#include <algorithm>
#include <sstream>

#include <SFML/Window/ContextSettings.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <SFML/Window/Window.hpp>

#include "engine/platform/sfml/DriverPin.h"
#include "engine/platform/sfml/SfmlOpening.h"

namespace ReEng {

std::unique_ptr<Platform> CreateWindowedPlatform(const std::string& program) {
    return std::make_unique<DesktopPlatform>(program);
}

DesktopPlatform::DesktopPlatform(std::string program) : m_program(std::move(program)) {}

DesktopPlatform::~DesktopPlatform() { Close(); }

bool DesktopPlatform::Open(const std::string& title, int width, int height, std::string& error) {
    if (!m_native.Connect(m_program, error)) {
        Close();
        return false;
    }
    m_title = title;
    m_windowedWidth = width;
    m_windowedHeight = height;
    std::string sfmlMessages;
    {
        const SfmlOpening opening(m_program);
        Create(sf::Style::Default, width, height);
        sfmlMessages = opening.Text();
    }
    PinGLDriver();
    if (!m_window->isOpen() || !m_window->setActive(true)) {
        std::string why;
        std::getline(std::istringstream(sfmlMessages), why);
        error = "cannot open a window: no OpenGL context" + (why.empty() ? "" : " (" + why + ")");
        Close();
        return false;
    }
    if (m_window->getSettings().majorVersion < 2) {
        Close();
        error = "cannot open a window: OpenGL 2.1 or later is needed";
        return false;
    }
    // SFML does not centre the window reliably without a window manager.
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const int x = std::max(0, (static_cast<int>(desktop.width) - width) / 2);
    const int y = std::max(0, (static_cast<int>(desktop.height) - height) / 2);
    m_window->setPosition(sf::Vector2i(x, y));
    // A pad plugged in before the start sends no event: see what is there.
    sf::Joystick::update();
    return true;
}

void DesktopPlatform::Create(unsigned style, int width, int height) {
    // GL 2.1 with default attributes gives a compatibility context. No
    // stencil: nothing uses it, and beside it a depth clear is a masked
    // per-pixel write in Mesa's software rasterizer instead of a fill
    // (twice the frame's time).
    const sf::ContextSettings settings(24, 0, 0, 2, 1, sf::ContextSettings::Default);
    const sf::VideoMode mode(static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (m_window)
        m_window->create(mode, m_title, style, settings);
    else
        m_window = std::make_unique<sf::Window>(mode, m_title, style, settings);
    // Presses arrive as events and are latched; the events filter repeats
    // as well, but there is no need to be sent them.
    m_window->setKeyRepeatEnabled(false);
    m_window->setVerticalSyncEnabled(m_verticalSync);
    // A new window (fullscreen and back) is a new one to the window system.
    m_native.Attach(*m_window);
}

void DesktopPlatform::Close() {
    if (m_window) {
        m_native.Detach();
        m_window->close();
        m_window.reset();
    }
    m_native.Disconnect();
}

bool DesktopPlatform::IsOpen() const { return m_window && m_window->isOpen(); }

void DesktopPlatform::SetTitle(const std::string& title) {
    m_title = title;
    if (m_window) m_window->setTitle(title);
}

void DesktopPlatform::SetIcon(const ImageView& icon) {
    if (icon.pixels == nullptr || icon.width <= 0 || icon.height <= 0) return;
    m_icon.assign(icon.pixels, icon.pixels + static_cast<std::size_t>(icon.width) * icon.height * 4);
    m_iconWidth = icon.width;
    m_iconHeight = icon.height;
    if (m_window)
        m_window->setIcon(static_cast<unsigned>(m_iconWidth), static_cast<unsigned>(m_iconHeight), m_icon.data());
}

bool DesktopPlatform::MakeCurrent() { return m_window && m_window->setActive(true); }

bool DesktopPlatform::SetFullscreen(bool fullscreen) {
    if (!m_window || fullscreen == m_fullscreen) return false;
    if (fullscreen) {
        const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        Create(sf::Style::Fullscreen, static_cast<int>(desktop.width), static_cast<int>(desktop.height));
    } else {
        Create(sf::Style::Default, m_windowedWidth, m_windowedHeight);
    }
    m_fullscreen = fullscreen;
    m_window->setActive(true);
    if (!m_icon.empty())
        m_window->setIcon(static_cast<unsigned>(m_iconWidth), static_cast<unsigned>(m_iconHeight), m_icon.data());
    return true;
}

void DesktopPlatform::SetVerticalSync(bool on) {
    m_verticalSync = on;
    if (m_window) m_window->setVerticalSyncEnabled(on);
}

bool DesktopPlatform::PollEvent(PlatformEvent& out) {
    sf::Event event;
    while (m_window && m_window->pollEvent(event)) Take(event);
    return m_events.Poll(out);
}

void DesktopPlatform::Take(const sf::Event& event) {
    PlatformEvent out;
    switch (event.type) {
        case sf::Event::Closed:
            out.type = PlatformEvent::Closed;
            break;
        case sf::Event::Resized:
            out.type = PlatformEvent::Resized;
            out.width = static_cast<int>(event.size.width);
            out.height = static_cast<int>(event.size.height);
            break;
        case sf::Event::LostFocus:
            // Releases made in another window never reach this one.
            m_events.ReleaseAll();
            out.type = PlatformEvent::FocusLost;
            break;
        case sf::Event::GainedFocus:
            out.type = PlatformEvent::FocusGained;
            break;
        case sf::Event::KeyPressed:
        case sf::Event::KeyReleased:
            m_events.Key(event.key.code, event.type == sf::Event::KeyPressed, event.key.alt);
            return;
        case sf::Event::MouseButtonPressed:
        case sf::Event::MouseButtonReleased:
            m_events.Button(event.mouseButton.button, event.type == sf::Event::MouseButtonPressed);
            return;
        case sf::Event::JoystickConnected:
        case sf::Event::JoystickDisconnected:
            out.type = event.type == sf::Event::JoystickConnected ? PlatformEvent::PadConnected
                                                                  : PlatformEvent::PadDisconnected;
            out.pad = event.joystickConnect.joystickId;
            break;
        default:
            return;  // nothing the engine listens to
    }
    m_events.Push(out);
}

bool DesktopPlatform::HasFocus() const { return m_window && m_window->hasFocus(); }

// The live keyboard and mouse, as SFML reads them; nothing is held without a window.
bool DesktopPlatform::IsKeyDown(sf::Keyboard::Key key) const { return m_window && sf::Keyboard::isKeyPressed(key); }

bool DesktopPlatform::IsButtonDown(sf::Mouse::Button button) const {
    return m_window && sf::Mouse::isButtonPressed(button);
}

sf::Vector2i DesktopPlatform::GetMousePosition() const { return sf::Mouse::getPosition(); }

void DesktopPlatform::Present() {
    if (m_window) m_window->display();
}

sf::Vector2i DesktopPlatform::GetClientSize() const {
    if (!m_window) return sf::Vector2i(0, 0);
    const sf::Vector2u size = m_window->getSize();
    return sf::Vector2i(static_cast<int>(size.x), static_cast<int>(size.y));
}

PadReading DesktopPlatform::ReadPad(unsigned id) const {
    PadReading pad;
    if (id >= sf::Joystick::Count || !sf::Joystick::isConnected(id)) return pad;
    pad.connected = true;
    pad.vendorId = sf::Joystick::getIdentification(id).vendorId;
    for (int a = 0; a < sf::Joystick::AxisCount; ++a) {
        const auto axis = static_cast<sf::Joystick::Axis>(a);
        pad.hasAxis[a] = sf::Joystick::hasAxis(id, axis);
        if (pad.hasAxis[a]) pad.axes[a] = sf::Joystick::getAxisPosition(id, axis);
    }
    pad.buttonCount = std::min(sf::Joystick::getButtonCount(id), unsigned(sf::Joystick::ButtonCount));
    for (unsigned b = 0; b < pad.buttonCount; ++b) pad.buttons[b] = sf::Joystick::isButtonPressed(id, b);
    return pad;
}

}  // namespace ReEng
