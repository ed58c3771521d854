#!/bin/bash
# --screenshot keeps the frame that was really shown last: with Enter at
# frame 1 and two frames in all, that is the first frame of play, not the
# title screen before it.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: screenshot.sh path/to/vaultrix}
start_xvfb

shot=$TEST_TMP/last.png
printf '1 Return down\n' >"$TEST_TMP/start.txt"
"$game" --frames 2 --input "$TEST_TMP/start.txt" --screenshot "$shot" --print-text \
    >"$TEST_TMP/out" 2>"$TEST_TMP/err" || { cat "$TEST_TMP/err" >&2; fail "the run exited $?"; }
[ ! -s "$TEST_TMP/err" ] || { cat "$TEST_TMP/err" >&2; fail "the run wrote to stderr"; }
tail -n 1 "$TEST_TMP/out" | grep -q "^Score: [0-9]*$" || fail "last text line: $(tail -n 1 "$TEST_TMP/out")"

[ "$("$CONVERT" "$shot" -format '%wx%h' info:)" = 1080x720 ] || fail "the screenshot is not 1080x720"
percent=$(percent_near "$shot" "" "rgb(102,153,229)" 3)
[ "$percent" -ge 60 ] || fail "only $percent% of the screenshot is the background colour"
# The platforms, in their lit orange-brown.
platform=$(count_near "$shot" "" "rgb(174,109,48)" 6)
[ "$platform" -ge 500 ] || fail "only $platform platform pixels: not a frame of play"
# "Score: 3" is much narrower than "Press Enter to Start".
width=$(text_width "$shot")
[ "$width" -ge 60 ] && [ "$width" -le 160 ] || fail "the text is $width pixels wide, not a score line"
# Picture rows run top-down: the text is at the top, not the bottom.
bright=$(count_bright "$shot" 400x40+0+680 200)
[ "$bright" -eq 0 ] || fail "white pixels at the bottom left: the picture is upside down"
echo "screenshot: 1 passed, 0 failed"
