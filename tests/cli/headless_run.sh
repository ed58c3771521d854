#!/bin/bash
# Headless runs of the real binary: the title screen, a scripted shot that
# scores, and the same script giving the same output twice.
source "$(dirname "$0")/../lib/cli.sh"

# The title screen, three frames.
"$game" --headless --frames 3 --print-text >"$work/title.out" || fail "title run exited $?"
[ "$(tail -n 1 "$work/title.out")" = "Press Enter to Start" ] || fail "title text: $(tail -n 1 "$work/title.out")"
grep -q "FPS: " "$work/title.out" || fail "no FPS line"

# Start, then fire at the obstacle standing at (3, 4): the headless window is
# 1080 x 720 at (0, 0) and the camera has come up to the player's 0.3, so the
# cursor at (648, 238) aims exactly there.
cat >"$work/shot.txt" <<'SCRIPT'
# start the game
0 Return down
1 Return up
1 mouse 648 238
1 MouseLeft down
2 MouseLeft up
SCRIPT
run() { "$game" --headless --frames 120 --frame-time 0.0166666 --input "$work/shot.txt" --print-text; }
run >"$work/a.out" || fail "scripted run exited $?"
[ "$(tail -n 1 "$work/a.out")" = "Score: 53" ] || fail "after the hit: $(tail -n 1 "$work/a.out")"
run >"$work/b.out" || fail "second scripted run exited $?"
cmp -s "$work/a.out" "$work/b.out" || fail "two runs of one script differ"

# Left alone, the hovering sphere falls behind the climbing camera.
"$game" --headless --frames 900 --frame-time 0.0166666 --input <(echo "0 Return down") --print-text >"$work/over.out" \
    || fail "game over run exited $?"
tail -n 2 "$work/over.out" | head -n 1 | grep -qx "Game Over" || fail "no Game Over: $(tail -n 2 "$work/over.out")"
[ "$(tail -n 1 "$work/over.out")" = "Score: 3" ] || fail "final score: $(tail -n 1 "$work/over.out")"
echo "ok"
