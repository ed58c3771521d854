#!/bin/bash
# Cross-builds the Windows game into DIR and zips it:
#   bash scripts/windows-build.sh build-windows [jobs]
# leaves DIR/vaultrix.exe and DIR/vaultrix-<version>-windows-x64.zip. The
# libraries come from scripts/windows-deps.sh, built once into a cache.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:?usage: windows-build.sh DIR [jobs]} jobs=${2:-2}
prefix=$(JOBS=$jobs bash "$root/scripts/windows-deps.sh")
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$prefix"
cmake --build "$dir" -j "$jobs"
(cd "$dir" && cpack -G ZIP >/dev/null)
ls -l "$dir"/vaultrix-*-windows-x64.zip
