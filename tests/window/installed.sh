#!/bin/bash
# The installed game in a window, started from an unrelated directory: the
# font and both models come from the prefix's share/vaultrix, and the first
# frame of play shows the platforms and the score.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: installed.sh path/to/vaultrix [build dir]}
build=${2:-$(dirname "$game")}
[ -f "$build/CMakeCache.txt" ] || fail "$build is not a CMake build directory"

cmake --install "$build" --prefix "$TEST_TMP/prefix" >"$TEST_TMP/install.log" 2>&1 ||
    { cat "$TEST_TMP/install.log" >&2; fail "cmake --install exited $?"; }
start_xvfb
mkdir "$TEST_TMP/elsewhere"
printf '1 Return down\n' >"$TEST_TMP/start.txt"
shot=$TEST_TMP/play.png
status=0
(cd "$TEST_TMP/elsewhere" && "$TEST_TMP/prefix/bin/vaultrix" --frames 3 --input "$TEST_TMP/start.txt" \
    --screenshot "$shot" --print-text) >"$TEST_TMP/out" 2>"$TEST_TMP/err" || status=$?
[ "$status" -eq 0 ] || { cat "$TEST_TMP/err" >&2; fail "the installed game exited $status"; }
[ ! -s "$TEST_TMP/err" ] || { cat "$TEST_TMP/err" >&2; fail "the installed game wrote to stderr"; }
tail -n 1 "$TEST_TMP/out" | grep -Eqx "Score: [0-9]+" || fail "last text line: $(tail -n 1 "$TEST_TMP/out")"
# Pixels of the platforms' lit orange-brown.
platform=$("$CONVERT" "$shot" -alpha off -fuzz 6% -transparent "rgb(174,109,48)" \
    -alpha extract -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$platform" -ge 500 ] || fail "only $platform platform pixels: the models did not load"
width=$(text_width "$shot")
[ "$width" -ge 60 ] || fail "the score line is $width pixels wide: the font did not load"
echo "installed: 1 passed, 0 failed"
