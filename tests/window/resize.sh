#!/bin/bash
# A resized window still shows the whole view, and its text keeps its size.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: resize.sh path/to/vaultrix}
blue="rgb(102,153,229)"

start_xvfb
start_game "$game"
wait_for_window Vaultrix
focus_window "$WINDOW_ID"

shot=$TEST_TMP/shot.png
drawn() {
    screenshot "$WINDOW_ID" "$shot"
    [ "$(percent_near "$shot" "" "$blue" 3)" -ge 70 ] && [ "$(text_width "$shot")" -gt 0 ]
}
wait_until 30 drawn || fail "the title screen was not drawn"
before=$(text_width "$shot")

xdotool windowsize "$WINDOW_ID" 800 600
sized() {
    local w h
    read -r w h < <(xwininfo -id "$WINDOW_ID" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
    [ "$w" = 800 ] && [ "$h" = 600 ]
}
wait_until 10 sized || fail "the window did not take the new size"

# The view spans 30 units across whatever the width, a grid line per unit.
redrawn() {
    screenshot "$WINDOW_ID" "$shot"
    lines=$(vertical_lines "$shot" 300)
    [ "$lines" -ge 29 ] && [ "$lines" -le 31 ]
}
wait_until 20 redrawn || fail "$lines vertical grid lines after the resize, not 30"
percent=$(percent_near "$shot" "" "$blue" 3)
[ "$percent" -ge 70 ] || fail "only $percent% of the resized window is the background colour"

# Text is laid out in pixels: not stretched or squeezed with the window.
after=$(text_width "$shot")
[ $((after - before)) -le 2 ] && [ $((before - after)) -le 2 ] ||
    fail "the text was $before pixels wide and is $after after the resize"

press_key Escape
wait_for_exit 20
[ "$GAME_STATUS" -eq 0 ] || fail "Escape ended the game with status $GAME_STATUS"
echo "resize: 1 passed, 0 failed"
