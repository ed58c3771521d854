#!/bin/bash
# The installed game: `cmake --install` into a private prefix, then runs from
# an unrelated directory, before and after the whole prefix is moved, so it
# must find its models through its own location. The menu entry must be
# valid and point at files that exist.
source "$(dirname "$0")/../lib/cli.sh"
build=${2:-$(dirname "$game")}
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install exited $?"; }

mkdir "$work/elsewhere"
printf '0 Return down\n' >"$work/start.txt"
# A started game loads both models; one not found is reported on stderr.
check_runs() {
    (cd "$work/elsewhere" && "$1" --headless --frames 30 --input "$work/start.txt" --print-text) \
        >"$work/out" 2>"$work/err" || fail "$1 exited $?"
    tail -n 1 "$work/out" | grep -Eqx "Score: [0-9]+" || fail "$1: no score line: $(tail -n 1 "$work/out")"
    [ ! -s "$work/err" ] || fail "$1: stderr: $(cat "$work/err")"
}
check_runs "$work/prefix/bin/vaultrix"
mv "$work/prefix" "$work/moved"
check_runs "$work/moved/bin/vaultrix"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$("$work/moved/bin/vaultrix" --version)" = "vaultrix $version" ] || fail "--version is not 'vaultrix $version'"

desktop=$work/moved/share/applications/vaultrix.desktop
desktop-file-validate "$desktop" >"$work/validate" 2>&1 && [ ! -s "$work/validate" ] ||
    { cat "$work/validate" >&2; fail "invalid desktop entry"; }
[ -x "$work/moved/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")" ] || fail "Exec= is not an installed program"
icon=$(sed -n 's/^Icon=//p' "$desktop")
ls "$work/moved/share/icons/hicolor/"*/apps/"$icon".{png,svg} >/dev/null 2>&1 || fail "no icon named $icon"
echo ok
