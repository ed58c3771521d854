#!/bin/bash
# X servers as they come: one that resets when its last client leaves, one
# without GLX, a root left behind by a window manager that died, and a
# server that goes away under the game. Each ends plainly: status 0, or
# status 1 and one line on stderr.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: x_server.sh path/to/vaultrix}
run() {  # expected status, text stderr must hold ("" for none), game arguments
    local want=$1 text=$2 s=0; shift 2
    "$game" "$@" >"$TEST_TMP/game.out" 2>"$TEST_TMP/game.err" || s=$?
    if [ -z "$text" ]; then [ $s = "$want" ] && [ ! -s "$TEST_TMP/game.err" ]
    else [ $s = "$want" ] && [ "$(wc -l <"$TEST_TMP/game.err")" = 1 ] && grep -q -- "$text" "$TEST_TMP/game.err"; fi ||
        fail "$*: status $s (not $want), stderr: $(cat "$TEST_TMP/game.err")"
}
# Checking for a display must not leave the server without clients just
# before the game connects: a plain server would reset, and SFML abort. And
# a client that has just left (xdpyinfo) starts a reset the game must wait out.
VAULTRIX_XVFB_RESET=1 start_xvfb
for i in $(seq 10); do run 0 "" --frames 3 --max-fps 0; xdpyinfo >/dev/null; run 0 "" --frames 3 --max-fps 0; done
stop_xvfb
start_xvfb -extension GLX
run 1 "cannot open a window: no OpenGL" --frames 3
stop_xvfb
# SFML asks the window the root names as the window manager's about itself.
start_xvfb
python3 "$(dirname "$0")/../lib/dead_wm.py" || fail "could not leave a dead window manager behind"
run 0 "" --frames 3
# Output of the frames so far stays; the loss is one line.
"$game" >"$TEST_TMP/game.out" 2>"$TEST_TMP/game.err" &
GAME_PID=$!
wait_for_window Vaultrix
stop_xvfb
s=0; wait $GAME_PID || s=$?; GAME_PID=
[ $s = 1 ] && [ "$(cat "$TEST_TMP/game.err")" = "vaultrix: lost the connection to the X display" ] ||
    fail "display lost: status $s, stderr: $(cat "$TEST_TMP/game.err")"
echo ok
