#include "engine/platform/web/DomInput.h"

#include <algorithm>
#include <cstring>

namespace ReEng {

namespace {

struct DomKey {
    const char* code;
    sf::Keyboard::Key key;
};

// The DOM's physical key names, so A/D/W sit where they do on any layout,
// as SFML's scancode-based keys do on the desktop.
constexpr DomKey kDomKeys[] = {
    {"Escape", sf::Keyboard::Escape},
    {"Enter", sf::Keyboard::Enter},
    {"NumpadEnter", sf::Keyboard::Enter},
    {"Space", sf::Keyboard::Space},
    {"Backspace", sf::Keyboard::Backspace},
    {"Tab", sf::Keyboard::Tab},
    {"ArrowLeft", sf::Keyboard::Left},
    {"ArrowRight", sf::Keyboard::Right},
    {"ArrowUp", sf::Keyboard::Up},
    {"ArrowDown", sf::Keyboard::Down},
    {"ControlLeft", sf::Keyboard::LControl},
    {"ShiftLeft", sf::Keyboard::LShift},
    {"AltLeft", sf::Keyboard::LAlt},
    {"MetaLeft", sf::Keyboard::LSystem},
    {"ControlRight", sf::Keyboard::RControl},
    {"ShiftRight", sf::Keyboard::RShift},
    {"AltRight", sf::Keyboard::RAlt},
    {"MetaRight", sf::Keyboard::RSystem},
    {"ContextMenu", sf::Keyboard::Menu},
    {"BracketLeft", sf::Keyboard::LBracket},
    {"BracketRight", sf::Keyboard::RBracket},
    {"Semicolon", sf::Keyboard::Semicolon},
    {"Comma", sf::Keyboard::Comma},
    {"Period", sf::Keyboard::Period},
    {"Quote", sf::Keyboard::Quote},
    {"Slash", sf::Keyboard::Slash},
    {"Backslash", sf::Keyboard::Backslash},
    {"Backquote", sf::Keyboard::Tilde},
    {"Equal", sf::Keyboard::Equal},
    {"Minus", sf::Keyboard::Hyphen},
    {"PageUp", sf::Keyboard::PageUp},
    {"PageDown", sf::Keyboard::PageDown},
    {"End", sf::Keyboard::End},
    {"Home", sf::Keyboard::Home},
    {"Insert", sf::Keyboard::Insert},
    {"Delete", sf::Keyboard::Delete},
    {"NumpadAdd", sf::Keyboard::Add},
    {"NumpadSubtract", sf::Keyboard::Subtract},
    {"NumpadMultiply", sf::Keyboard::Multiply},
    {"NumpadDivide", sf::Keyboard::Divide},
    {"Pause", sf::Keyboard::Pause},
};

// A key of a numbered run ("KeyA".."KeyZ", "Digit0".., "Numpad0".., "F1"..):
// the key at first + the number, or Unknown.
sf::Keyboard::Key Numbered(const char* code, const char* prefix, int first, int count, int base) {
    const std::size_t length = std::strlen(prefix);
    if (std::strncmp(code, prefix, length) != 0) return sf::Keyboard::Unknown;
    const char* rest = code + length;
    int n = 0;
    if (base == 26) {
        if (rest[0] < 'A' || rest[0] > 'Z' || rest[1] != '\0') return sf::Keyboard::Unknown;
        n = rest[0] - 'A';
    } else {
        if (*rest == '\0' || std::strlen(rest) > 2) return sf::Keyboard::Unknown;
        for (; *rest != '\0'; ++rest) {
            if (*rest < '0' || *rest > '9') return sf::Keyboard::Unknown;
            n = n * 10 + (*rest - '0');
        }
        n -= base;
    }
    if (n < 0 || n >= count) return sf::Keyboard::Unknown;
    return static_cast<sf::Keyboard::Key>(first + n);
}

}  // namespace

sf::Keyboard::Key KeyOfCode(const char* code) {
    for (const DomKey& entry : kDomKeys)
        if (std::strcmp(code, entry.code) == 0) return entry.key;
    sf::Keyboard::Key key = Numbered(code, "Key", sf::Keyboard::A, 26, 26);
    if (key == sf::Keyboard::Unknown) key = Numbered(code, "Digit", sf::Keyboard::Num0, 10, 0);
    if (key == sf::Keyboard::Unknown) key = Numbered(code, "Numpad", sf::Keyboard::Numpad0, 10, 0);
    if (key == sf::Keyboard::Unknown) key = Numbered(code, "F", sf::Keyboard::F1, 15, 1);
    return key;
}

bool GameReads(sf::Keyboard::Key key, bool ctrl, bool meta, bool alt, const std::vector<sf::Keyboard::Key>& gameKeys) {
    if (ctrl || meta) return false;
    if (alt) return key == sf::Keyboard::Enter;
    return key == sf::Keyboard::F11 || std::find(gameKeys.begin(), gameKeys.end(), key) != gameKeys.end();
}

bool ButtonOf(unsigned short dom, sf::Mouse::Button& button) {
    static constexpr sf::Mouse::Button kButtons[] = {sf::Mouse::Left, sf::Mouse::Middle, sf::Mouse::Right,
                                                     sf::Mouse::XButton1, sf::Mouse::XButton2};
    if (dom >= sizeof(kButtons) / sizeof(kButtons[0])) return false;
    button = kButtons[dom];
    return true;
}

float PadPercent(double value) { return static_cast<float>(std::clamp(value, -1.0, 1.0) * 100.0); }

}  // namespace ReEng
