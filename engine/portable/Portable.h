#pragma once
// The few Windows calls the game was written against, with the same effect
// on every platform.
#include <cstddef>
#include <cstdint>

namespace ReEng {

class WindowClass;

using HINSTANCE = void*;
using HWND = WindowClass*;
constexpr unsigned WM_QUIT = 0x0012;

// Posting WM_QUIT to the engine's window ends the frame loop after the
// current frame. Any other message is ignored. False for a null window.
bool PostMessageW(HWND window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

// Bounded formatting that always terminates the buffer.
int sprintf_s(char* buffer, std::size_t size, const char* format, ...);

// The C library's rand() and srand() with glibc's sequence on every
// platform, so that one course is played everywhere.
int rand();
void srand(unsigned seed);

}  // namespace ReEng
