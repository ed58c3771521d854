#pragma once
// No window at all: a headless run and the tests. Nothing opens, no event
// comes, nothing is held down, and there is nowhere to present.
#include "engine/platform/Platform.h"

namespace ReEng {

class HeadlessPlatform : public Platform {
public:
    bool Open(const std::string&, int, int, std::string& error) override {
        error = "cannot open a window: this run has no window system";
        return false;
    }
    void Close() override {}
    bool IsOpen() const override { return false; }
    void SetTitle(const std::string&) override {}
    void SetIcon(const ImageView&) override {}
    bool MakeCurrent() override { return false; }
    bool SetFullscreen(bool) override { return false; }
    bool IsFullscreen() const override { return false; }
    void SetVerticalSync(bool) override {}

    bool PollEvent(PlatformEvent&) override { return false; }
    Changes TakeChanges() override { return Changes(); }
    bool HasFailed() const override { return false; }

    bool HasFocus() const override { return false; }
    bool IsKeyDown(sf::Keyboard::Key) const override { return false; }
    bool IsButtonDown(sf::Mouse::Button) const override { return false; }
    sf::Vector2i GetMousePosition() const override { return sf::Vector2i(0, 0); }

    bool PacesFrames() const override { return false; }
    void BeginPicture() override {}
    void Present() override {}
    bool GetClientOrigin(int&, int&) const override { return false; }
    sf::Vector2i GetClientSize() const override { return sf::Vector2i(0, 0); }
    PadReading ReadPad(unsigned) const override { return PadReading(); }
};

}  // namespace ReEng
