#!/bin/sh
# Installs the Debian 12 packages that one or more tasks need, and only those
# that are missing, so it is quick to run before every build.
#   scripts/install-deps.sh [run|test|package|bench|fuzz|windows|web ...]   (default: run)
# run: build and play the game; every other group builds the game too.
set -e

run="
build-essential
cmake
pkg-config
libsfml-dev
libglm-dev
libtinyobjloader-dev
libepoxy-dev
libstb-dev
libx11-dev
libgl1-mesa-dri
"
# The windowed game under a private X server, driven and photographed.
xvfb="
xvfb
xauth
xdotool
x11-utils
"
# dpkg-shlibdeps (dpkg-dev) reads the .deb's library dependencies off the game.
package="
dpkg-dev
"
# The tests check the game, the package (lintian, the metainfo, the man page),
# a build from the source tarball and the code's format, so they need every
# group but fuzz.
test="
$xvfb
$package
libgtest-dev
libgmock-dev
valgrind
imagemagick
desktop-file-utils
lintian
appstream
man-db
groff-base
fonts-dejavu-core
python3
clang-format
"
# The windowed timing script runs under python3; any python3 will do.
bench="
$xvfb
libbenchmark-dev
python3
"
fuzz="
clang
libclang-rt-14-dev
"
# The mingw-w64 cross compilers (posix threads), Wine to run and test the
# result, meson for libepoxy, and curl to fetch the library sources.
windows="
gcc-mingw-w64-x86-64-posix
g++-mingw-w64-x86-64-posix
wine
wine64
meson
ninja-build
xz-utils
curl
ca-certificates
"

# The browser build: emcc, the headless browser its tests and bench drive,
# npm for their pinned driver, the server that serves the page, and stb for
# the engine's own text.
web="
emscripten
chromium
nodejs
python3
libstb-dev
libglm-dev
libsfml-dev
libtinyobjloader-dev
"
# A nodejs built with its own npm conflicts with Debian's npm package.
command -v npm >/dev/null 2>&1 || web="$web npm"

packages=$run
[ $# -gt 0 ] || set -- run
for group in "$@"; do
    case "$group" in
        run) ;;
        test) packages="$packages $test" ;;
        package) packages="$packages $package" ;;
        bench | --bench) packages="$packages $bench" ;;
        fuzz | --fuzz) packages="$packages $fuzz" ;;
        windows) packages="$packages $windows" ;;
        web) packages="$packages $web" ;;
        *) echo "install-deps: unknown group '$group' (run, test, package, bench, fuzz, windows, web)" >&2; exit 2 ;;
    esac
done

missing=""
for package in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $package" ;;
    esac
done

if [ -z "$missing" ]; then
    exit 0
fi

echo "install-deps: installing$missing"
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update
# shellcheck disable=SC2086  # the list is meant to split into words
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
