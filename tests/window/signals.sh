#!/bin/bash
# A windowed game stopped by SIGTERM quits as Escape does, then ends by the
# signal: status 143, nothing on stderr, the frame-rate line finished.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: signals.sh path/to/vaultrix}"
drawn() { [ -s "$TEST_TMP/game.out" ]; }
wait_until 30 drawn || fail "no frame drawn"
kill -s TERM "$GAME_PID"
wait_until 20 game_gone || fail "SIGTERM did not end the game"
s=0; wait "$GAME_PID" || s=$?; GAME_PID=
[ $s = 143 ] && [ ! -s "$TEST_TMP/game.err" ] || fail "status $s, stderr: $(cat "$TEST_TMP/game.err")"
[ "$(tail -c 1 "$TEST_TMP/game.out" | od -An -c | tr -d ' ')" = '\n' ] || fail "the FPS line is not finished"
echo ok
