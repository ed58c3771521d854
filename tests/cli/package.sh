#!/bin/bash
# The Debian package of the build that made $1: CPack makes it, its control
# data names the libraries the game links, and its files, unpacked into an
# arbitrary directory, make a game that runs from elsewhere.
source "$(dirname "$0")/../lib/cli.sh"
build=$(cd "${2:-$(dirname "$game")}" && pwd)
[ -f "$build/CPackConfig.cmake" ] || fail "$build has no CPack configuration"

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out") >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack exited $?"; }
debs=("$work"/out/vaultrix_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single .deb: $(ls "$work/out")"
deb=${debs[0]}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$(dpkg-deb -f "$deb" Package)" = vaultrix ] || fail "package name: $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version: $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsfml-graphics2.5 libsfml-window2.5 libsfml-system2.5 libepoxy0 libtinyobjloader2rc10; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

dpkg-deb -x "$deb" "$work/root"
[ -s "$work/root/usr/share/applications/vaultrix.desktop" ] || fail "the package has no menu entry"
ls "$work/root/usr/share/icons/hicolor/"*/apps/vaultrix.* >/dev/null 2>&1 || fail "the package has no icon"

mkdir "$work/elsewhere"
printf '0 Return down\n' >"$work/start.txt"
(cd "$work/elsewhere" && "$work/root/usr/bin/vaultrix" --headless --frames 30 --input "$work/start.txt" --print-text) \
    >"$work/out.txt" 2>"$work/err" || fail "the packaged game exited $?"
tail -n 1 "$work/out.txt" | grep -Eqx "Score: [0-9]+" || fail "no score line: $(tail -n 1 "$work/out.txt")"
[ ! -s "$work/err" ] || fail "the packaged game wrote to stderr: $(cat "$work/err")"
echo ok
