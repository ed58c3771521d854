#!/bin/sh
# Installs what building, running and testing Vaultrix needs on Debian 12,
# and only what is missing, so it is quick to run before every build.
set -e

packages="
build-essential
cmake
pkg-config
libsfml-dev
libglm-dev
libtinyobjloader-dev
libepoxy-dev
libx11-dev
libgtest-dev
libbenchmark-dev
libgl1-mesa-dri
xvfb
xauth
xdotool
valgrind
x11-utils
imagemagick
desktop-file-utils
dpkg-dev
"
# --fuzz: also clang and its libFuzzer runtime, for make fuzz.
if [ "${1:-}" = "--fuzz" ]; then
    packages="$packages clang libclang-rt-14-dev"
fi
# --bench: the windowed timing script runs under python3; any python3 will do.
if [ "${1:-}" = "--bench" ] && ! command -v python3 >/dev/null 2>&1; then
    packages="$packages python3"
fi

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
export DEBIAN_FRONTEND=noninteractive
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update
# shellcheck disable=SC2086  # the list is meant to split into words
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
