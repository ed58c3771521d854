#!/bin/bash
# A game left to itself, as a player sees it: Enter shows the sphere and the
# platforms, D and A steer the sphere, and the sphere, never launched, falls
# behind the climbing camera and the Game Over screen shows the score.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: steer_and_lose.sh path/to/vaultrix}
orange="rgb(174,109,48)"

start_xvfb
start_game "$game"
wait_for_window Vaultrix
focus_window "$WINDOW_ID"

shot=$TEST_TMP/shot.png
snap() { screenshot "$WINDOW_ID" "$shot"; }
playing() { snap; [ "$(count_near "$shot" "" "$orange" 6)" -ge 500 ]; }

# Centre x of the white sphere, below the text line; empty when none.
sphere_x() {
    local x y w h
    read -r x y w h < <("$CONVERT" "$shot" -crop 1080x640+0+60 +repage -alpha off \
        -channel RGB -threshold 88% +channel -separate -evaluate-sequence min -trim \
        -format '%X %Y %w %h\n' info:)
    [ "${w:-0}" -ge 4 ] && [ "$w" -le 40 ] && echo $((x + w / 2))
}

hold_key() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

press_key Return
wait_until 20 playing || fail "Enter did not show the scene"
start_x=$(sphere_x)
[ -n "$start_x" ] || fail "no white sphere in the scene"
area_near "$shot" 20 400 102 153 229 12 || fail "the scene is not on the blue background"

hold_key d 0.5
snap
right_x=$(sphere_x)
[ -n "$right_x" ] && [ "$right_x" -ge $((start_x + 30)) ] || fail "D did not move the sphere right ($start_x -> $right_x)"
hold_key a 0.5
sleep 0.5  # let it come to rest
snap
left_x=$(sphere_x)
[ -n "$left_x" ] && [ "$left_x" -le $((right_x - 30)) ] || fail "A did not move the sphere left ($right_x -> $left_x)"

# The camera climbs about one unit a second; eleven units below it the game ends.
game_over() {
    snap
    [ "$(count_near "$shot" "" "$orange" 6)" -eq 0 ] && [ "$(count_bright "$shot" 700x30+0+36 200)" -gt 0 ]
}
wait_until 40 game_over || fail "the game did not end on its own"
width=$(text_width "$shot")
[ "$width" -ge 90 ] && [ "$width" -le 150 ] || fail "first line is not 'Game Over' wide: $width px"

press_key Escape
wait_for_exit 20
[ "$GAME_STATUS" -eq 0 ] || fail "Escape ended the game with status $GAME_STATUS"
echo "steer_and_lose: 1 passed, 0 failed"
