#!/bin/sh
# Builds the Debian package: a Release build of the game alone in the
# Debian layout, with Debian's hardening flags, then CPack.
#   scripts/package.sh [build dir]   (default: build-pkg beside this script)
# Prints the path of the .deb on its last line.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$source_dir/build-pkg}
# Every hardening Debian has; CMake does not read CPPFLAGS, where
# _FORTIFY_SOURCE is.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DVAULTRIX_TESTS=OFF -DVAULTRIX_SANITIZE=OFF -DVAULTRIX_DEBIAN_LAYOUT=ON
cmake --build "$build_dir" -j "${JOBS:-2}"
rm -f "$build_dir"/*.deb
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/vaultrix_*.deb
