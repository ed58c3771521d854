#pragma once
// A 64-bit digest of the whole state of play, for checking that a replay
// ends (or passes each step) exactly as the recorded game did.
#include <cstdint>

// FNV-1a over the state, score and greatest height; the player's matrices,
// velocity, flags and every bullet; the camera; the section count; and the
// place and active flag of every live platform and obstacle. Floats count by
// their bits, so the same input gives the same digest on every machine.
unsigned long long GameStateDigest();
