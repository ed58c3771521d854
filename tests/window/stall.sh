#!/bin/bash
# A game stopped for 15 s (a suspend, a debugger) carries on where it was:
# the stall is not replayed as a jump of the climbing camera, which would end
# the game at once (the camera climbs about 1 unit a second; 11 below it loses).
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: stall.sh path/to/vaultrix}"
press_key Return
wait_until 20 playing || fail "Enter did not start the game"
kill -STOP "$GAME_PID"
sleep 15
kill -CONT "$GAME_PID"
sleep 1.5
playing || fail "the game did not survive a 15 s stall"
quit_with_escape
echo ok
