#!/bin/bash
# Resized, the window still shows the whole view (30 units, a grid line each),
# letterboxed, with the text scaled with the picture; shrunk to 1x1 mid-game it keeps running and draws it all once restored.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: resize.sh path/to/vaultrix}"
whole_view() { snap; lines=$(vertical_lines "$1"); [ "$(percent_near "" "$blue" 3)" -ge 70 ] && ((lines >= 29 && lines <= 31)); }
wait_until 30 whole_view 360 || fail "title: $lines grid lines"
before=$(text_width)
resize_to 800x600
wait_until 20 whole_view 300 || fail "$lines grid lines at 800x600"
want=$((before * 800 / 1080))
scaled() { snap; after=$(text_width 33); (((after - want) ** 2 <= 9)); }  # the picture is 800x533, 33 rows below the top
wait_until 10 scaled || fail "the text was $before pixels wide, now $after, not $want"
resize_to 1080x720
press_key Return
resize_to 1x1
sleep 1
xdotool mousemove --window "$WINDOW_ID" 0 0 click 1
sleep 0.5
game_gone && fail "the game ended at 1x1: $(cat "$TEST_TMP/game.err")"
resize_to 1080x720
wait_until 20 whole_view 360 || fail "after the restore: $lines grid lines"
quit_with_escape
echo ok
