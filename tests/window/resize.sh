#!/bin/bash
# A resized window still shows the whole view (30 units across, a grid line
# per unit) with its text unstretched; one shrunk to a single pixel mid-game
# keeps running and draws the whole view again once restored.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: resize.sh path/to/vaultrix}"

resize_to() { xdotool windowsize "$WINDOW_ID" "${1%x*}" "${1#*x}"; wait_until 10 eval '[ "$(window_size)" = '"$1"' ]' ||
    fail "the window did not take the size $1"; }
whole_view() {  # row to count grid lines on
    snap
    lines=$(vertical_lines "$shot" "$1")
    [ "$(percent_near "$shot" "" "$blue" 3)" -ge 70 ] && [ "$lines" -ge 29 ] && [ "$lines" -le 31 ]
}
wait_until 30 whole_view 360 || fail "the title screen was not drawn ($lines grid lines)"
before=$(text_width "$shot")
resize_to 800x600
wait_until 20 whole_view 300 || fail "$lines vertical grid lines after the resize, not 30"
after=$(text_width "$shot")
[ $((after - before)) -le 2 ] && [ $((before - after)) -le 2 ] || fail "the text was $before pixels wide, now $after"

resize_to 1080x720
press_key Return
resize_to 1x1
sleep 1
xdotool mousemove --window "$WINDOW_ID" 0 0 click 1
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended at 1x1: $(cat "$TEST_TMP/game.err")"
resize_to 1080x720
wait_until 20 whole_view 360 || fail "not the whole view after the restore ($lines grid lines)"
quit_with_escape
echo ok
