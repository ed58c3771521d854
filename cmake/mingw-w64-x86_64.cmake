# Cross-compiling for 64-bit Windows with Debian's mingw-w64, posix threads
# (std::thread and std::mutex need them). Also used for the dependencies.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VAULTRIX_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VAULTRIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VAULTRIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VAULTRIX_MINGW}-windres)
# Look for libraries and headers only in the mingw root and in the prefix
# the dependencies were built into, never in the build machine's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${VAULTRIX_MINGW} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# One exe that needs only Windows' own DLLs: no libstdc++ or winpthread beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# pkg-config (libepoxy) reads only the prefix's .pc files, not the build
# machine's; set here, so it holds whenever CMake configures again.
if(CMAKE_PREFIX_PATH)
  list(GET CMAKE_PREFIX_PATH 0 VAULTRIX_DEPS_PREFIX)
  set(ENV{PKG_CONFIG_LIBDIR} "${VAULTRIX_DEPS_PREFIX}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
endif()
