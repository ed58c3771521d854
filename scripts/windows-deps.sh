#!/bin/bash
# Builds the libraries the Windows game links, once, into a cache outside the
# source tree, and prints the prefix they were installed into:
#   prefix=$(bash scripts/windows-deps.sh)
# The sources are Debian's own source packages, fetched through a private apt
# configuration (a deb-src entry for the machine's mirror) so the machine's
# apt setup is left alone. Only the upstream (orig) tarballs are used, each
# checked against the hash in Debian's signed index; libepoxy's Debian part
# is missing on the mirror, its upstream tarball is not.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${VAULTRIX_WINDOWS_CACHE:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/vaultrix-windows}
prefix=$cache/prefix
# Bump when the recipe below changes, so an old cache is rebuilt.
recipe=1
jobs=${JOBS:-2}
log=$cache/build.log
toolchain=$root/cmake/mingw-w64-x86_64.cmake
host=x86_64-w64-mingw32

if [ -f "$prefix/.recipe-$recipe" ]; then
    echo "$prefix"
    exit 0
fi
say() { echo "windows-deps: $*" >&2; }
die() { say "$*"; exit 1; }
mkdir -p "$cache/src" "$cache/apt/lists/partial" "$cache/apt/cache"
rm -rf "$prefix" "$cache/build"
mkdir -p "$prefix" "$cache/build"
: >"$log"

# --- sources -----------------------------------------------------------------
mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' 2>/dev/null |
    grep -m 1 '/debian/$' || echo http://deb.debian.org/debian/)
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" >"$cache/apt/sources.list"
# Its own lists and cache, and no lock: nothing of the machine's apt is
# written, so this needs no root.
apt=(apt-get -q -o "Dir::Etc::SourceList=$cache/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
     -o "Dir::State::Lists=$cache/apt/lists" -o "Dir::Cache=$cache/apt/cache" -o Debug::NoLocking=1)
say "reading Debian's source index ($mirror $suite)"
"${apt[@]}" update >>"$log" 2>&1 || die "apt-get update of the source index failed (see $log)"

fetch_orig() {  # source package -> path of its upstream tarball
    local uri name size hash
    read -r uri name size hash < <("${apt[@]}" source --print-uris "$1" 2>>"$log" |
        grep -E "^'[^']*[.]orig[.]tar[.][a-z]+' " | head -n 1)
    [ -n "${name:-}" ] || die "no upstream tarball of $1 in the source index"
    uri=${uri//\'/} hash=${hash#SHA256:}
    if ! echo "$hash  $cache/src/$name" | sha256sum -c --status 2>/dev/null; then
        say "downloading $name"
        curl -fsSL --retry 3 -o "$cache/src/$name.part" "$uri" || die "cannot download $uri"
        echo "$hash  $cache/src/$name.part" | sha256sum -c --status || die "$name: hash mismatch"
        mv "$cache/src/$name.part" "$cache/src/$name"
    fi
    echo "$cache/src/$name"
}
unpack() {  # source package -> unpacked upstream tree
    local tarball dir
    tarball=$(fetch_orig "$1")
    dir=$cache/build/$1
    mkdir -p "$dir"
    tar -xf "$tarball" -C "$dir" --strip-components=1
    echo "$dir"
}

cmake_build() {  # name, source dir, cmake options...
    local name=$1 src=$2; shift 2
    say "building $name"
    cmake -S "$src" -B "$cache/build/$name-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >>"$log" 2>&1 &&
    cmake --build "$cache/build/$name-build" -j "$jobs" >>"$log" 2>&1 &&
    cmake --install "$cache/build/$name-build" >>"$log" 2>&1 || die "$name did not build (see $log)"
}

# --- libraries ---------------------------------------------------------------
# freetype first: SFML's graphics needs it, and Debian's SFML has no
# prebuilt Windows copies. Only the font formats the game uses.
cmake_build freetype "$(unpack freetype)" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
    -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON

cmake_build sfml "$(unpack libsfml)" -DSFML_USE_SYSTEM_DEPS=ON -DSFML_BUILD_AUDIO=OFF \
    -DSFML_BUILD_NETWORK=OFF -DSFML_BUILD_EXAMPLES=OFF -DSFML_BUILD_DOC=OFF

cmake_build tinyobjloader "$(unpack tinyobjloader)"

say "building libepoxy"
epoxy=$(unpack libepoxy)
cat >"$cache/build/meson-cross.txt" <<CROSS
[binaries]
c = '$host-gcc-posix'
cpp = '$host-g++-posix'
ar = '$host-ar'
strip = '$host-strip'
windres = '$host-windres'
pkgconfig = 'pkg-config'

[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
CROSS
meson setup "$cache/build/libepoxy-build" "$epoxy" --cross-file "$cache/build/meson-cross.txt" \
    --prefix "$prefix" --libdir lib --buildtype release --default-library static \
    -Dglx=no -Degl=no -Dx11=false -Dtests=false -Ddocs=false >>"$log" 2>&1 &&
ninja -C "$cache/build/libepoxy-build" -j "$jobs" >>"$log" 2>&1 &&
ninja -C "$cache/build/libepoxy-build" install >>"$log" 2>&1 || die "libepoxy did not build (see $log)"

# libepoxy's .pc requires "gl", which on Windows is the system's opengl32.
cat >"$prefix/lib/pkgconfig/gl.pc" <<PC
Name: gl
Description: Windows' OpenGL
Version: 1.1
Libs: -lopengl32
PC

# GLM is headers only, the same on every platform: the build machine's copy.
[ -d /usr/include/glm ] || die "GLM's headers are missing (sh scripts/install-deps.sh)"
cp -r /usr/include/glm "$prefix/include/"

rm -rf "$cache/build"
touch "$prefix/.recipe-$recipe"
say "done: $prefix"
echo "$prefix"
