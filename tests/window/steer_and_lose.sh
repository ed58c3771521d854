#!/bin/bash
# A game left to itself, as a player sees it: D and A steer the sphere, and
# the sphere, never launched, falls behind the climbing camera until the
# Game Over screen shows the score.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: steer_and_lose.sh path/to/vaultrix}"

playing() { snap; [ "$(count_near "$shot" "" "$orange" 6)" -ge 500 ]; }
press_key Return
wait_until 20 playing || fail "Enter did not show the scene"
start_x=$(sphere_x)
[ -n "$start_x" ] || fail "no white sphere in the scene"

press_key d 0.5
snap
right_x=$(sphere_x)
[ -n "$right_x" ] && [ "$right_x" -ge $((start_x + 30)) ] || fail "D did not move the sphere right ($start_x -> $right_x)"
press_key a 0.5
sleep 0.5  # let it come to rest
snap
left_x=$(sphere_x)
[ -n "$left_x" ] && [ "$left_x" -le $((right_x - 30)) ] || fail "A did not move the sphere left ($right_x -> $left_x)"

# The camera climbs about one unit a second; eleven units below it the game ends.
game_over() { snap; [ "$(count_near "$shot" "" "$orange" 6)" -eq 0 ] && [ "$(count_bright "$shot" 700x30+0+36 200)" -gt 0 ]; }
wait_until 40 game_over || fail "the game did not end on its own"
width=$(text_width "$shot")
[ "$width" -ge 90 ] && [ "$width" -le 150 ] || fail "first line is not 'Game Over' wide: $width px"
quit_with_escape
echo ok
