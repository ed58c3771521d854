#pragma once
// The game's keys and mouse buttons by their script names, and what a
// gamepad holds for them. Apart from GameInfo so the engine's own tests and
// the fuzzers read scripts as the game does without building the game.
#include "engine/input/Bindings.h"

ReEng::InputNames GameInputNames();
ReEng::PadBindings GamePadBindings();
