#!/bin/bash
# Keys do not stick across focus changes: steering stops when another window
# takes the focus, and a P pressed there and released in the game does not pause.
# Without the focus, or minimised, the game runs no step at all, and carries
# on when it is back.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: focus_loss.sh path/to/vaultrix}"
game_window=$WINDOW_ID
xmessage -name other -geometry 200x100+0+0 "another window" &  # ends with the display
wait_for_window other
other_window=$WINDOW_ID WINDOW_ID=$game_window
focus_window "$game_window"
press_key Return
wait_until 20 playing || fail "Enter did not start the game"
x_now() { snap; sphere_x; }
start=$(x_now)
xdotool keydown d
moved() { [ $(($(x_now) - start)) -gt 20 ]; }
wait_until 10 moved || fail "holding D did not steer"
still() { sleep 1; local a b; a=$(x_now); sleep 1; b=$(x_now); [ -n "$a" ] && (((b - a) ** 2 <= 4)); }
focus_window "$other_window"
still || fail "still steering without the focus"
away=$(steps_run); sleep 1
[ "$(steps_run)" = "$away" ] || fail "$(($(steps_run) - away)) steps ran without the focus"
xdotool keyup d
focus_window "$game_window"
still || fail "moved after the focus came back"
focus_window "$other_window"
xdotool keydown p
focus_window "$game_window"
sleep 0.3
xdotool keyup p
sleep 0.5
playing || fail "a P held for another window paused the game"
# Minimised (unmapped, as a window manager iconifies it) is away too.
xdotool windowunmap --sync "$game_window"
sleep 0.5; away=$(steps_run); sleep 1
[ "$(steps_run)" = "$away" ] || fail "$(($(steps_run) - away)) steps ran while minimised"
xdotool windowmap --sync "$game_window"
focus_window "$game_window"
back() { [ "$(steps_run)" -gt "$away" ]; }
wait_until 10 back || fail "no step after the window came back"
playing || fail "the game did not carry on after being minimised"
quit_with_escape
echo ok
