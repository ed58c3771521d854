#!/bin/bash
# Installed into a private prefix, the game runs from elsewhere, also once the
# prefix has moved; its menu entry is valid. (The .deb: tests/package.)
source "$(dirname "$0")/../lib/cli.sh"
build=$(cd "${2:-$(dirname "$game")}" && pwd)
mkdir "$work/elsewhere"
echo "0 Return down" >"$work/start.txt"
runs() {  # a started game loads both models: one not found shows on stderr
    (cd "$work/elsewhere" && "$1" --headless --frames 30 --input "$work/start.txt" --print-text) >"$work/out" 2>"$work/err" &&
        tail -n 1 "$work/out" | grep -Eqx "Score: [0-9]+" && [ ! -s "$work/err" ] || fail "$1: $(cat "$work/err")"
}
cmake --install "$build" --prefix "$work/prefix" >"$work/log" 2>&1 || fail "cmake --install: $(cat "$work/log")"
runs "$work/prefix/bin/vaultrix"
mv "$work/prefix" "$work/moved"
runs "$work/moved/bin/vaultrix"
# Outside the package the system may have no font: ours goes along.
[ -f "$work/moved/share/vaultrix/assets/fonts/DejaVuSansMono.ttf" ] || fail "the install has no font of its own"
desktop-file-validate "$work/moved/share/applications/vaultrix.desktop" >"$work/log" 2>&1 && [ ! -s "$work/log" ] ||
    fail "desktop entry: $(cat "$work/log")"
echo ok
