#!/bin/bash
# A short game played with the real keyboard and mouse: Enter starts, the
# left button fires towards the cursor, P pauses and resumes, Escape quits.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: play.sh path/to/vaultrix}"

platforms() { count_near "$shot" "" "$orange" 6; }
title_shown() { snap; [ "$(text_width "$shot")" -ge 200 ]; }
playing() { snap; [ "$(platforms)" -ge 500 ]; }
paused() { snap; local w; w=$(text_width "$shot"); [ "$(platforms)" -eq 0 ] && [ "$w" -ge 60 ] && [ "$w" -le 110 ]; }

wait_until 30 title_shown || fail "the title screen was not drawn"
[ "$(platforms)" -eq 0 ] || fail "platforms on the title screen"
press_key Return
wait_until 20 playing || fail "Enter did not start the game"

# Aim a little left of the white sphere, at its height. The cursor is placed
# in screen pixels, so this also checks that the game knows where its window is.
read -r px py pw ph < <(sphere_box)
[ "$pw" -ge 4 ] && [ "$pw" -le 40 ] || fail "no player sphere found (${pw}x${ph} white area)"
px=$((px + pw / 2)) py=$((py + 60 + ph / 2))
read -r wx wy < <(xwininfo -id "$WINDOW_ID" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4} END {print x, y}')
xdotool mousemove $((wx + px - 80)) $((wy + py)) mousedown 1
bullets_left() { snap; [ "$(count_near "$shot" "$((px - 10))x640+0+60" black 1)" -ge 20 ]; }
wait_until 20 bullets_left || { xdotool mouseup 1; fail "no bullets flew left of the player at $px,$py"; }
xdotool mouseup 1
right=$(count_near "$shot" "$((1070 - px))x640+$((px + 10))+60" black 1)
[ "$right" -eq 0 ] || fail "$right bullet pixels right of the player, away from the cursor"

# Drag the window 100 pixels left, then aim right of the sphere: a game that
# kept the window's old place would aim 40 pixels left of it instead.
xdotool windowmove "$WINDOW_ID" $((wx - 100)) "$wy"
wait_until 10 bash -c "xwininfo -id $WINDOW_ID | grep -q 'Absolute upper-left X: *$((wx - 100))\$'" || fail "the window did not move"
snap
read -r px py pw ph < <(sphere_box)
px=$((px + pw / 2)) py=$((py + 60 + ph / 2))
sleep 3.2  # the earlier bullets expire
xdotool mousemove $((wx - 100 + px + 60)) $((wy + py)) mousedown 1
bullets_right() { snap; [ "$(count_near "$shot" "$((1070 - px))x640+$((px + 10))+60" black 1)" -ge 20 ]; }
wait_until 20 bullets_right || { xdotool mouseup 1; fail "after a move, no bullets flew right of the player"; }
xdotool mouseup 1

press_key p
wait_until 20 paused || fail "P did not pause the game"
press_key p
wait_until 20 playing || fail "P did not resume the game"
quit_with_escape
echo ok
