#!/bin/bash
# A window shrunk to a single pixel mid-game and restored keeps running and
# draws the whole view again. (Where the aim lands afterwards is checked
# headless in tests/game/test_resilience.cpp.)
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: resize_tiny.sh path/to/vaultrix}
blue="rgb(102,153,229)"

start_xvfb
start_game "$game"
wait_for_window Vaultrix
focus_window "$WINDOW_ID"
sleep 0.5
press_key Return

size_is() {
    local w h
    read -r w h < <(xwininfo -id "$WINDOW_ID" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
    [ "$w" = "$1" ] && [ "$h" = "$2" ]
}
xdotool windowsize "$WINDOW_ID" 1 1
wait_until 10 size_is 1 1 || fail "the window did not shrink to 1x1"
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended at 1x1: $(cat "$TEST_TMP/game.err")"
xdotool mousemove --window "$WINDOW_ID" 0 0 click 1
sleep 0.5

xdotool windowsize "$WINDOW_ID" 1080 720
wait_until 10 size_is 1080 720 || fail "the window did not come back to 1080x720"
shot=$TEST_TMP/shot.png
redrawn() {
    screenshot "$WINDOW_ID" "$shot"
    [ "$(percent_near "$shot" "" "$blue" 3)" -ge 70 ] && [ "$(text_width "$shot")" -gt 0 ]
}
wait_until 20 redrawn || fail "not redrawn after the restore ($(percent_near "$shot" "" "$blue" 3)% background)"
# The view spans 30 units across again, a grid line per unit.
lines=$(vertical_lines "$shot" 360)
[ "$lines" -ge 29 ] && [ "$lines" -le 31 ] || fail "$lines vertical grid lines after the restore, not 30"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended: $(cat "$TEST_TMP/game.err")"
[ ! -s "$TEST_TMP/game.err" ] || fail "the game wrote to stderr: $(cat "$TEST_TMP/game.err")"
echo "ok"
