// The app's side of the window: its events, its place and size, the pad's
// aim and the controls legend.
#include "engine/app/ReEngAppClass.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/render/Renderer.h"

namespace ReEng {

namespace {

// The pad's cursor circles the subject at a quarter of the play area's height.
constexpr int kAimRadiusDivisor = 4;

// corner + offset, held to what an int can say: a scripted window may lie at
// the far end of an int, and its centre need not fit.
int ClampedSum(int corner, long long offset) {
    constexpr long long kFar = 1LL << 40;  // further puts the sum past either end anyway
    const long long sum = static_cast<long long>(corner) + std::clamp(offset, -kFar, kFar);
    return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

}  // namespace

void ReEngAppClass::ProcessMessages() {
    if (m_window == nullptr) return;
    Platform& platform = m_window->GetPlatform();
    PlatformEvent event;
    while (platform.PollEvent(event)) {
        switch (event.type) {
            case PlatformEvent::Closed:
                m_window->RequestQuit();
                break;
            case PlatformEvent::Resized:
                Reshape(event.width, event.height);
                break;
            case PlatformEvent::FocusLost:
            case PlatformEvent::FocusGained:
                m_focused = event.type == PlatformEvent::FocusGained;
                if (!m_focused) m_input.FocusLost();
                if (m_input.IsLive()) m_outputs.RecordFocus(m_focused);
                RedrawSoon();
                break;
            case PlatformEvent::KeyPressed:
                if (event.key == sf::Keyboard::F11 || (event.key == sf::Keyboard::Return && event.alt))
                    ToggleFullscreen();
                else if (!m_input.IsLive() && event.key == sf::Keyboard::Escape)
                    m_window->RequestQuit();  // a replay being watched ends on Escape
                else if (m_input.IsLive())    // a script ignores the real keyboard
                    m_input.LatchKey(event.key);
                break;
            case PlatformEvent::ButtonPressed:
                if (m_input.IsLive()) m_input.LatchButton(event.button);
                break;
            case PlatformEvent::PadConnected:
                if (m_input.IsLive()) m_input.PadConnected(event.pad);
                break;
            case PlatformEvent::PadDisconnected:
                if (m_input.IsLive()) m_input.PadDisconnected(event.pad);
                break;
        }
    }
    const WindowClass::Changes changes = m_window->TakeChanges();
    if (changes.exposed) RedrawSoon();
    // The aim maps the cursor through the window's place on the screen: ask
    // the window system where it is, once each time it has moved.
    if (changes.moved) {
        const auto start = FrameSplit::Clock::now();
        UpdateWindowRect();
        if (FrameSplit* split = m_outputs.Split())
            split->Add(FrameSplit::WindowPlace, FrameSplit::Clock::now() - start);
    }
}

void ReEngAppClass::Reshape(int width, int height) {
    if (m_renderer) m_renderer->SetViewport(width, height);
    RedrawSoon();
    UpdateWindowRect();
}

void ReEngAppClass::UpdateWindowRect() {
    if (m_window == nullptr || m_renderer == nullptr || m_scriptPlacesWindow) return;
    int x = 0, y = 0;
    if (!m_window->GetClientOrigin(x, y)) return;
    // Aiming is against the picture, not the bars beside it.
    const PlayArea area = m_renderer->GetPlayArea();
    m_window->SetScreenArea(PlayArea{x + area.x, y + area.y, area.width, area.height});
}

void ReEngAppClass::RedrawSoon() {
    if (m_meshManager != nullptr) m_meshManager->ForceRedraw(3);
}

void ReEngAppClass::ToggleFullscreen() {
    if (!m_window->SetFullscreen(!m_window->IsFullscreen())) return;
    const sf::Vector2i size = m_window->GetClientSize();
    Reshape(size.x, size.y);
}

void ReEngAppClass::SetAimCentre(const vector3& world) {
    m_hasSubject = true;
    m_subject = world;
}

void ReEngAppClass::UpdatePad() {
    // The stick aims around the game's subject, where it stands now, as the
    // cursor would, in the play area's pixels.
    const int wx = m_system->GetWindowX(), wy = m_system->GetWindowY();
    const int ww = m_system->GetWindowWidth(), wh = m_system->GetWindowHeight();
    sf::Vector2i centre(ClampedSum(wx, ww / 2), ClampedSum(wy, wh / 2));
    if (m_hasSubject && m_cameraManager != nullptr && wh > 0) {
        const float aspect = static_cast<float>(ww) / static_cast<float>(wh);
        const vector4 clip =
            m_cameraManager->GetProjectionMatrix(aspect) * m_cameraManager->GetViewMatrix() * vector4(m_subject, 1.0f);
        if (clip.w > 0.0f) {
            const float nx = clip.x / clip.w, ny = clip.y / clip.w;
            centre.x = ClampedSum(wx, std::llround((nx + 1.0f) * 0.5f * static_cast<float>(ww)));
            centre.y = ClampedSum(wy, std::llround((1.0f - ny) * 0.5f * static_cast<float>(wh)));
        }
    }
    m_input.UpdatePad(centre, std::max(1, wh / kAimRadiusDivisor));
}

bool ReEngAppClass::Touched() const {
    return m_window != nullptr && !m_info.touchLegend.empty() && m_window->GetPlatform().IsTouchDevice();
}

void ReEngAppClass::UpdateLegend() {
    // Built again only when what it shows changes, not every step.
    const int legend = m_options.noLegend || !m_titleShown ? 0 : Touched() ? 3 : m_input.GetPad().IsConnected() ? 2 : 1;
    if (m_renderer && m_meshManager && legend != m_legendShown && m_renderer->SetLegend(LegendLines()))
        m_meshManager->ForceRedraw();
    m_legendShown = legend;
}

std::vector<std::string> ReEngAppClass::LegendLines() const {
    // While the game is on its title, say how to play.
    if (m_options.noLegend || !m_titleShown) return {};
    if (Touched()) return m_info.touchLegend;
    std::vector<std::string> lines = m_info.legend;
    if (m_input.GetPad().IsConnected()) lines.insert(lines.end(), m_info.padLegend.begin(), m_info.padLegend.end());
    return lines;
}

}  // namespace ReEng
