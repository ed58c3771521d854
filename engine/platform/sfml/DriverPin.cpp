#include "engine/platform/sfml/DriverPin.h"

#if defined(__SANITIZE_ADDRESS__)
#define VAULTRIX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VAULTRIX_ASAN 1
#endif
#endif

#ifdef VAULTRIX_ASAN
#include <dlfcn.h>
#include <link.h>

#include <cstring>

// Mesa's software driver leaks a little while compiling shaders. Those
// reports are not ours, so they are suppressed by the driver's name...
extern "C" const char* __lsan_default_suppressions() { return "leak:swrast_dri.so\nleak:libgallium\nleak:libLLVM\n"; }

namespace {

// ...which only works if the driver is still loaded when the leak check
// runs at exit; by default closing the display unloads it.
int PinDriver(dl_phdr_info* info, std::size_t, void*) {
    const char* name = info->dlpi_name;
    if (name != nullptr && (std::strstr(name, "_dri.so") || std::strstr(name, "libgallium")))
        dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}

}  // namespace

void ReEng::PinGLDriver() { dl_iterate_phdr(PinDriver, nullptr); }
#else
void ReEng::PinGLDriver() {}
#endif
