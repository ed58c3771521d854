#!/bin/bash
# Played with the real keyboard and mouse: Enter starts, the left button fires
# towards the cursor (also after the window moves), a tap of P pauses and resumes.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: play.sh path/to/vaultrix}"
title() { snap; [ "$(text_width)" -ge 200 ]; }
wait_until 30 title || fail "no title screen"
press_key Return
wait_until 20 playing || fail "Enter did not start the game"
# Aims $1 pixels right of the sphere, placing the cursor in screen pixels, so
# the game must know where its window is; bullets must fly to that side only.
fire() {
    local x y w h wx wy; snap; read -r x y w h < <(sphere_box); read -r wx wy < <(window_origin)
    [ "$w" -ge 4 ] && [ "$w" -le 40 ] || fail "no sphere ($w px wide)"
    x=$((x + w / 2)) y=$((y + 60 + h / 2))
    local want="$((x - 10))x640+0+60" other="$((1070 - x))x640+$((x + 10))+60"
    [ "$1" -lt 0 ] || { want=$other; other="$((x - 10))x640+0+60"; }
    xdotool mousemove $((wx + x + $1)) $((wy + y)) mousedown 1
    hits() { snap; [ "$(count_near "$want" black 1)" -ge 20 ]; }
    wait_until 20 hits && xdotool mouseup 1 && [ "$(count_near "$other" black 1)" = 0 ] || fail "no bullets only on the $1 side"
}
fire -80
read -r wx wy < <(window_origin)
xdotool windowmove "$WINDOW_ID" $((wx - 100)) "$wy"
moved() { [ "$(window_origin)" = "$((wx - 100)) $wy" ]; }
wait_until 10 moved || fail "the window did not move"
sleep 3.2  # the earlier bullets expire
fire 60  # with the window's old place, this would aim 40 pixels left
paused() { snap; local w; w=$(text_width); [ "$(platforms)" = 0 ] && [ "$w" -ge 60 ] && [ "$w" -le 110 ]; }
# Taps far shorter than a step: the engine latches the press from the event.
tap_key p
wait_until 20 paused || fail "a tap of P did not pause the game"
tap_key p
wait_until 20 playing || fail "a tap of P did not resume the game"
quit_with_escape
echo ok
