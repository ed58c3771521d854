#!/bin/bash
# The installed game: `cmake --install` of the build that made $1 into a
# private prefix, then runs from an unrelated directory, before and after the
# whole prefix is moved, so that it must find its models through its own
# location. The menu entry must be valid and point at files that exist.
set -u
game=${1:?usage: install.sh path/to/vaultrix [build dir]}
build=${2:-$(dirname "$game")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$build/CMakeCache.txt" ] || fail "$build is not a CMake build directory"

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install exited $?"; }
for file in bin/vaultrix share/vaultrix/Platformer/portal.obj share/vaultrix/Platformer/companion.obj \
    share/vaultrix/assets/fonts/DejaVuSansMono.ttf share/applications/vaultrix.desktop; do
    [ -s "$work/prefix/$file" ] || fail "$file is not installed"
done
[ -x "$work/prefix/bin/vaultrix" ] || fail "bin/vaultrix is not executable"

mkdir "$work/elsewhere"
# Title, then a started game: starting loads both models, and a model that is
# not found is reported on stderr.
check_runs() {
    local bin=$1
    (cd "$work/elsewhere" && "$bin" --headless --frames 3 --print-text) >"$work/out" 2>"$work/err" ||
        fail "$bin: title run exited $?"
    [ "$(tail -n 1 "$work/out")" = "Press Enter to Start" ] || fail "$bin: title text: $(tail -n 1 "$work/out")"
    printf '0 Return down\n' >"$work/start.txt"
    (cd "$work/elsewhere" && "$bin" --headless --frames 30 --input "$work/start.txt" --print-text) \
        >"$work/out" 2>>"$work/err" || fail "$bin: started run exited $?"
    tail -n 1 "$work/out" | grep -Eqx "Score: [0-9]+" || fail "$bin: no score line: $(tail -n 1 "$work/out")"
    [ ! -s "$work/err" ] || fail "$bin: stderr: $(cat "$work/err")"
}
check_runs "$work/prefix/bin/vaultrix"
# A package unpacked somewhere else has no fixed prefix either.
mv "$work/prefix" "$work/moved"
check_runs "$work/moved/bin/vaultrix"

# The version is the CMake project's.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$("$work/moved/bin/vaultrix" --version)" = "vaultrix $version" ] ||
    fail "--version printed '$("$work/moved/bin/vaultrix" --version)', not 'vaultrix $version'"

desktop=$work/moved/share/applications/vaultrix.desktop
desktop-file-validate "$desktop" >"$work/validate" 2>&1 || { cat "$work/validate" >&2; fail "invalid desktop entry"; }
[ ! -s "$work/validate" ] || { cat "$work/validate" >&2; fail "desktop entry warnings"; }
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$work/moved/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
icon=$(sed -n 's/^Icon=//p' "$desktop")
ls "$work/moved/share/icons/hicolor/"*/apps/"$icon".{png,svg} >/dev/null 2>&1 || fail "no icon named $icon"
echo "install: 1 passed, 0 failed"
