#!/bin/bash
# A key held while the game loses focus does not stick: the sphere stops
# steering once another window has the focus, and does not start again when
# the focus comes back with the key released elsewhere.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: focus_loss.sh path/to/vaultrix}"
game_window=$WINDOW_ID
xmessage -name other -geometry 200x100+0+0 "another window" &
other_pid=$!
trap 'kill $other_pid 2>/dev/null; cleanup' EXIT
wait_for_window other
other_window=$WINDOW_ID WINDOW_ID=$game_window
focus_window "$game_window"
sleep 1

x_now() { snap; sphere_x; }
press_key Return
playing() { [ -n "$(x_now)" ]; }
wait_until 20 playing || fail "the sphere did not appear"
start=$(x_now)
xdotool keydown d
moved() { [ $(($(x_now) - start)) -gt 20 ]; }
wait_until 10 moved || { xdotool keyup d; fail "holding D did not steer"; }

still() { sleep 1; local a b; a=$(x_now); sleep 1; b=$(x_now); [ $((b - a)) -le 2 ] && [ $((a - b)) -le 2 ]; }
focus_window "$other_window"
still || { xdotool keyup d; fail "still steering without the focus"; }
xdotool keyup d
focus_window "$game_window"
still || fail "moved after the focus came back"
# P pressed for the other window and released in the game's: no pause.
focus_window "$other_window"
xdotool keydown p
focus_window "$game_window"
sleep 0.3
xdotool keyup p
sleep 0.5
snap
[ "$(count_near "$shot" "" "$orange" 6)" -ge 500 ] || fail "a P held for another window paused the game"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
echo ok
