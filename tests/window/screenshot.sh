#!/bin/bash
# The installed game in a window, started from an unrelated directory: the
# font and the models come from the prefix, and --screenshot keeps the frame
# really shown last (Enter at frame 1 of 2: the first frame of play).
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: screenshot.sh path/to/vaultrix [build dir]}
build=${2:-$(dirname "$game")}
cmake --install "$build" --prefix "$TEST_TMP/prefix" >"$TEST_TMP/install.log" 2>&1 ||
    { cat "$TEST_TMP/install.log" >&2; fail "cmake --install exited $?"; }
start_xvfb
mkdir "$TEST_TMP/elsewhere"
printf '1 Return down\n' >"$TEST_TMP/start.txt"
(cd "$TEST_TMP/elsewhere" && "$TEST_TMP/prefix/bin/vaultrix" --frames 2 --input "$TEST_TMP/start.txt" \
    --screenshot "$shot" --print-text) >"$TEST_TMP/out" 2>"$TEST_TMP/err" || fail "the run exited $?: $(cat "$TEST_TMP/err")"
[ ! -s "$TEST_TMP/err" ] || fail "the run wrote to stderr: $(cat "$TEST_TMP/err")"
tail -n 1 "$TEST_TMP/out" | grep -Eqx "Score: [0-9]+" || fail "last text line: $(tail -n 1 "$TEST_TMP/out")"

[ "$("$CONVERT" "$shot" -format '%wx%h' info:)" = 1080x720 ] || fail "the screenshot is not 1080x720"
percent=$(percent_near "$shot" "" "$blue" 3)
[ "$percent" -ge 60 ] || fail "only $percent% of the screenshot is the background colour"
platform=$(count_near "$shot" "" "$orange" 6)
[ "$platform" -ge 500 ] || fail "only $platform platform pixels: not a frame of play, or no models"
width=$(text_width "$shot")
[ "$width" -ge 60 ] && [ "$width" -le 160 ] || fail "the text is $width pixels wide, not a score line"
# Picture rows run top-down: the text is at the top, not the bottom.
[ "$(count_bright "$shot" 400x40+0+680 200)" -eq 0 ] || fail "white pixels at the bottom left: upside down"
echo ok
