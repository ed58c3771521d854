#!/bin/bash
# A live game played with the real keyboard and mouse and recorded with
# --record replays headless to the same state digest and screen text, and
# can be watched in a window until Escape.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: record_replay.sh path/to/vaultrix}
start_windowed_game "$game" --record "$TEST_TMP/live.replay" --state-hash --print-text
press_key Return
wait_until 20 playing || fail "Enter did not start the game"
press_key w
press_key d 0.3
read -r wx wy < <(window_origin)
xdotool mousemove $((wx + 700)) $((wy + 200)) mousedown 1 sleep 0.6 mouseup 1
tap_key p
sleep 0.5
tap_key p
press_key a 0.4
sleep 0.5
quit_with_escape
[ -f "$TEST_TMP/live.replay" ] || fail "no recording: $(ls "$TEST_TMP")"
summary() { tr '\r' '\n' | grep -v '^FPS' | grep -v '^$'; }
live=$(summary <"$TEST_TMP/game.out")
replayed=$("$game" --headless --input "$TEST_TMP/live.replay" --state-hash --print-text | summary) || fail "replay exited $?"
grep -q '^state-hash [0-9]* [0-9a-f]\{16\}$' <<<"$live" || fail "no digest from the live game: $live"
[ "$live" = "$replayed" ] || fail "live: $live; replayed: $replayed"
# Watched in a window, the replay plays at real speed and Escape ends it.
start_windowed_game "$game" --input "$TEST_TMP/live.replay"
sleep 1
game_gone && fail "the replay did not play at real speed"
quit_with_escape
echo ok
