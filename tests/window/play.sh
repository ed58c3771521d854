#!/bin/bash
# A short game played with the real keyboard and mouse: Enter starts, the
# left button fires towards the cursor, P pauses and resumes, Escape quits.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: play.sh path/to/vaultrix}
orange="rgb(174,109,48)"   # the platforms' lit front faces

start_xvfb
start_game "$game"
wait_for_window Vaultrix
focus_window "$WINDOW_ID"

shot=$TEST_TMP/shot.png
platforms() { count_near "$shot" "" "$orange" 6; }
title_shown() {
    screenshot "$WINDOW_ID" "$shot"
    [ "$(text_width "$shot")" -ge 200 ]
}
playing() {
    screenshot "$WINDOW_ID" "$shot"
    [ "$(platforms)" -ge 500 ]
}
paused() {
    screenshot "$WINDOW_ID" "$shot"
    local width
    width=$(text_width "$shot")
    [ "$(platforms)" -eq 0 ] && [ "$width" -ge 60 ] && [ "$width" -le 110 ]
}

wait_until 30 title_shown || fail "the title screen was not drawn"
[ "$(platforms)" -eq 0 ] || fail "platforms on the title screen"

press_key Return
wait_until 20 playing || fail "Enter did not start the game"

# Aim a little left of the player (the white sphere), at its height. The
# cursor is placed in screen pixels, so this also checks that the game knows
# where its window is.
"$CONVERT" "$shot" -crop 1080x640+0+60 +repage -alpha off -channel RGB -threshold 88% +channel \
    -separate -evaluate-sequence min -trim -format '%X %Y %w %h\n' info: >"$TEST_TMP/player"
read -r px py pw ph <"$TEST_TMP/player"
px=$((px + pw / 2))
py=$((py + 60 + ph / 2))
[ "$pw" -ge 4 ] && [ "$pw" -le 40 ] || fail "no player sphere found (${pw}x${ph} white area)"
read -r wx wy < <(xwininfo -id "$WINDOW_ID" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4} END {print x, y}')
xdotool mousemove $((wx + px - 80)) $((wy + py))

bullets_left() {
    screenshot "$WINDOW_ID" "$shot"
    [ "$(count_near "$shot" "$((px - 10))x640+0+60" black 1)" -ge 20 ]
}
xdotool mousedown 1
wait_until 20 bullets_left || { xdotool mouseup 1; fail "no bullets flew left of the player at $px,$py"; }
xdotool mouseup 1
right=$(count_near "$shot" "$((1070 - px))x640+$((px + 10))+60" black 1)
[ "$right" -eq 0 ] || fail "$right bullet pixels right of the player, away from the cursor"

press_key p
wait_until 20 paused || fail "P did not pause the game"
press_key p
wait_until 20 playing || fail "P did not resume the game"

press_key Escape
wait_for_exit 20
[ "$GAME_STATUS" -eq 0 ] || fail "Escape ended the game with status $GAME_STATUS"
echo "play: 1 passed, 0 failed"
