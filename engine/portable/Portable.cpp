#include "engine/portable/Portable.h"

#include <cstdarg>
#include <cstdio>

#include "engine/portable/AdditiveRandom.h"
#include "engine/window/WindowClass.h"

namespace ReEng {

bool PostMessageW(HWND window, unsigned message, std::uintptr_t, std::intptr_t) {
    if (window == nullptr || message != WM_QUIT) return false;
    // The frame loop checks the flag after the current frame, like a queued WM_QUIT.
    window->RequestQuit();
    return true;
}

int sprintf_s(char* buffer, std::size_t size, const char* format, ...) {
    if (buffer == nullptr || size == 0) return -1;
    std::va_list args;
    va_start(args, format);
    const int wanted = std::vsnprintf(buffer, size, format, args);
    va_end(args);
    if (wanted < 0) {
        buffer[0] = '\0';
        return -1;
    }
    // Report what actually landed in the buffer, not what would have.
    const std::size_t written = static_cast<std::size_t>(wanted) < size ? static_cast<std::size_t>(wanted) : size - 1;
    return static_cast<int>(written);
}

namespace {

// One sequence for the process, as the C library's.
AdditiveRandom& SharedRandom() {
    static AdditiveRandom random;
    return random;
}

}  // namespace

int rand() { return SharedRandom().Next(); }

void srand(unsigned seed) { SharedRandom().Seed(seed); }

}  // namespace ReEng
