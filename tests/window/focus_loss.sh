#!/bin/bash
# A key held while the game loses focus does not stick: the game stops
# steering as soon as another window has the focus, and does not start again
# when it comes back with the key released elsewhere.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: focus_loss.sh path/to/vaultrix}

start_xvfb
start_game "$game"
wait_for_window Vaultrix
game_window=$WINDOW_ID
xmessage -name other -geometry 200x100+0+0 "another window" &
other_pid=$!
trap 'kill $other_pid 2>/dev/null; cleanup' EXIT
wait_for_window other
other_window=$WINDOW_ID

shot=$TEST_TMP/shot.png
# Left edge and width of the white sphere, below the text lines.
sphere_x() {
    screenshot "$game_window" "$shot"
    "$CONVERT" "$shot" -crop 1080x620+0+60 +repage -alpha off -channel RGB -threshold 94% +channel \
        -separate -evaluate-sequence min -trim -format '%X %w\n' info: | sed 's/+//'
}

focus_window "$game_window"
sleep 1
press_key Return
playing() { read -r x w < <(sphere_x); [ "${w:-0}" -gt 3 ] && [ "${w:-0}" -lt 60 ]; }
wait_until 20 playing || fail "the sphere did not appear"
read -r start _ < <(sphere_x)

# D steers right while the game has the focus...
xdotool keydown d
moved() { read -r x _ < <(sphere_x); [ $((x - start)) -gt 20 ]; }
wait_until 10 moved || { xdotool keyup d; fail "holding D did not steer (sphere at $(sphere_x), from $start)"; }

# ...and not once another window has it, although D is still down.
focus_window "$other_window"
sleep 1   # the sphere slows to a stop within a quarter of a second
read -r a _ < <(sphere_x)
sleep 1
read -r b _ < <(sphere_x)
xdotool keyup d
[ $((b - a)) -le 2 ] && [ $((a - b)) -le 2 ] || fail "still steering without the focus: $a then $b"

# Back in front with D released, it stays put.
focus_window "$game_window"
sleep 1
read -r c _ < <(sphere_x)
[ $((c - b)) -le 2 ] && [ $((b - c)) -le 2 ] || fail "moved after the focus came back: $b then $c"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
echo "ok"
