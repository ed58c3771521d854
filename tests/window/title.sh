#!/bin/bash
# The title screen as a player sees it, Escape, then --screenshot keeping the frame shown last.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: title.sh path/to/vaultrix}"
[ "$(window_size)" = 1080x720 ] || fail "the window is $(window_size)"
drawn() { snap; [ "$(percent_near "" "$blue" 3)" -ge 70 ]; }  # the window can show before its first frame
wait_until 30 drawn || fail "only $(percent_near "" "$blue" 3)% of the window is the clear colour"
# Under Wine the window can show a frame of the clear colour before the text.
text_top_left() { snap; [ "$(count_bright 400x80+0+0)" -ge 100 ] && [ "$(count_bright 1080x520+0+120)" -lt 100 ]; }
wait_until 10 text_top_left || fail "no white text top-left only"
[ "$(count_bright 1080x40+0+680)" -ge 100 ] || fail "no controls legend at the bottom"
quit_with_escape
grep -q "FPS: " "$TEST_TMP/game.out" || fail "no FPS on the standard output"
# Enter at frame 1 of 2: the picture must be the first frame of play, the right way up.
echo "1 Return down" >"$TEST_TMP/enter.txt"
"$1" --frames 2 --input "$TEST_TMP/enter.txt" --screenshot "$shot" >/dev/null || fail "screenshot run exited $?"
[ "$("$CONVERT" "$shot" -format %wx%h info:)" = 1080x720 ] && [ "$(platforms)" -ge 500 ] || fail "not a frame of play"
[ "$(count_bright 400x40+0+0)" -gt 0 ] && [ "$(count_bright 400x40+0+680)" = 0 ] || fail "the text is not at the top"
# Onto a full disk the screenshot fails the run in one line, as a recording does.
s=0; "$1" --frames 2 --screenshot /dev/full >/dev/null 2>"$TEST_TMP/full.err" || s=$?
[ $s = 1 ] && [ "$(wc -l <"$TEST_TMP/full.err")" = 1 ] &&
    grep -q "cannot write the screenshot /dev/full: No space left on device" "$TEST_TMP/full.err" ||
    fail "screenshot onto a full disk: status $s, stderr: $(cat "$TEST_TMP/full.err")"
echo ok
