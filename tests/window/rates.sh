#!/bin/bash
# The game runs in fixed steps on the real clock: the same scripted game
# drawn at 30, 60 and 240 frames a second ends in the same state.
source "$(dirname "$0")/../lib/xvfb.sh"
start_xvfb
cat >"$TEST_TMP/game.txt" <<'SCRIPT'
0 Return down
1 Return up
5 W down
6 W up
20 D down
60 D up
70 mouse 700 250
70 MouseLeft down
100 MouseLeft up
120 A down
150 A up
SCRIPT
for fps in 30 60 240; do
    "$1" --frames 240 --max-fps $fps --input "$TEST_TMP/game.txt" --print-text >"$TEST_TMP/out" 2>"$TEST_TMP/err" ||
        fail "at $fps fps: status $?: $(cat "$TEST_TMP/err")"
    tr '\r' '\n' <"$TEST_TMP/out" | grep -v '^FPS' >"$TEST_TMP/end.$fps"
    grep -q '^Score: [0-9]' "$TEST_TMP/end.$fps" || fail "at $fps fps the game did not end playing: $(cat "$TEST_TMP/end.$fps")"
done
cmp -s "$TEST_TMP/end.30" "$TEST_TMP/end.60" && cmp -s "$TEST_TMP/end.60" "$TEST_TMP/end.240" ||
    fail "the end differs: 30: $(cat "$TEST_TMP/end.30") 60: $(cat "$TEST_TMP/end.60") 240: $(cat "$TEST_TMP/end.240")"
echo ok
