#pragma once
// What a game calls its keys and mouse buttons, and which of them a gamepad
// holds for it. The game hands these over; the engine names no key itself.
#include <string>
#include <vector>

namespace ReEng {

enum class InputKind { Key, Button };

// A key or button as scripts and replays write it: one word, not one of the
// script's own keywords (mouse, window, focus, end, pad).
struct InputName {
    std::string name;
    InputKind kind;
    int code;  // sf::Keyboard::Key or sf::Mouse::Button
};
using InputNames = std::vector<InputName>;

// The name given to a key or button, or null if it has none.
inline const InputName* FindInput(const InputNames& names, InputKind kind, int code) {
    for (const InputName& name : names)
        if (name.kind == kind && name.code == code) return &name;
    return nullptr;
}
inline const InputName* FindInput(const InputNames& names, const std::string& word) {
    for (const InputName& name : names)
        if (name.name == word) return &name;
    return nullptr;
}

// A pad's controls that can stand for a key or a button.
enum class PadControl {
    Left,   // the left stick or the d-pad, pushed left
    Right,  // and right
    South,  // the bottom face button (A on XInput, cross on Sony)
    Start,
    Back,           // Back, Select or Share
    RightShoulder,  // the right shoulder button or the right trigger
};

struct PadBinding {
    PadControl control;
    InputKind kind;
    int code;
};
using PadBindings = std::vector<PadBinding>;

}  // namespace ReEng
