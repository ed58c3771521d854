#!/bin/bash
# The title screen as a player sees it, then leaving with Escape.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: title.sh path/to/vaultrix}
blue="rgb(102,153,229)"   # the clear colour 0.4 0.6 0.9

start_xvfb
start_game "$game"
wait_for_window Vaultrix
focus_window "$WINDOW_ID"

read -r width height < <(xwininfo -id "$WINDOW_ID" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
[ "$width" = 1080 ] && [ "$height" = 720 ] || fail "the window is ${width}x${height}, not 1080x720"

# The window can appear before its first frame is drawn.
shot=$TEST_TMP/title.png
for _ in $(seq 1 150); do
    screenshot "$WINDOW_ID" "$shot"
    [ "$(percent_near "$shot" "" "$blue" 3)" -ge 70 ] && break
    sleep 0.2
done
percent=$(percent_near "$shot" "" "$blue" 3)
[ "$percent" -ge 70 ] || fail "only $percent% of the window is the background colour"

# Spread over the window, clear of the text.
for point in "60 200" "540 200" "1000 200" "60 400" "540 400" "1000 400" "60 650" "540 650" "1000 650"; do
    read -r x y <<<"$point"
    area_near "$shot" "$x" "$y" 102 153 229 6 ||
        fail "pixel near $x,$y is $(pixel_rgb "$shot" "$x" "$y"), not the background"
done

bright=$(count_bright "$shot" 400x80+0+0 200)
[ "$bright" -ge 100 ] || fail "no text in the top-left corner ($bright white pixels)"
bright=$(count_bright "$shot" 1080x600+0+120 200)
[ "$bright" -lt 100 ] || fail "$bright white pixels below the text"

# The view spans 30 units across, a grid line every unit.
lines=$(vertical_lines "$shot" 360)
[ "$lines" -ge 29 ] && [ "$lines" -le 31 ] || fail "$lines vertical grid lines, not 30"

press_key Escape
wait_for_exit 20
[ "$GAME_STATUS" -eq 0 ] || fail "Escape ended the game with status $GAME_STATUS"
grep -q "FPS: " "$TEST_TMP/game.out" || fail "no FPS on the standard output"
[ ! -s "$TEST_TMP/game.err" ] || { cat "$TEST_TMP/game.err" >&2; fail "the game wrote to stderr"; }
echo "title: 1 passed, 0 failed"
