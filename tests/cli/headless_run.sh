#!/bin/bash
# Headless runs: the title screen, a scripted shot that scores the same twice,
# a game left alone, and the timing reports.
source "$(dirname "$0")/../lib/cli.sh"
"$game" --headless --frames 3 --print-text >"$work/title" || fail "title run exited $?"
[ "$(tail -n 1 "$work/title")" = "Press Enter to Start" ] || fail "title text: $(tail -n 1 "$work/title")"
# The headless window is 1080x720 at (0, 0): the cursor at (648, 238) aims at the obstacle at (3, 4).
printf '0 Return down\n1 Return up\n1 mouse 648 238\n1 MouseLeft down\n2 MouseLeft up\n' >"$work/shot.txt"
run() { "$game" --headless --frames "$1" --frame-time 0.0166666 --input "$2" --print-text; }
run 120 "$work/shot.txt" >"$work/a" && run 120 "$work/shot.txt" >"$work/b" || fail "scripted run exited $?"
[ "$(tail -n 1 "$work/a")" = "Score: 53" ] || fail "after the hit: $(tail -n 1 "$work/a")"
cmp -s "$work/a" "$work/b" || fail "two runs of one script differ"
# Left alone, the sphere falls behind the climbing camera.
echo "0 Return down" >"$work/start.txt"
run 900 "$work/start.txt" >"$work/over" || fail "game over run exited $?"
[ "$(tail -n 2 "$work/over" | tr '\n' /)" = "Game Over/Score: 3/" ] || fail "no Game Over: $(tail -n 2 "$work/over")"
# Without --frame-time a step is 1/60 s: the same game ends the same way.
"$game" --headless --frames 900 --input "$work/start.txt" --print-text >"$work/over60" || fail "exited $?"
[ "$(tail -n 2 "$work/over60" | tr '\n' /)" = "Game Over/Score: 3/" ] || fail "1/60 s steps: $(tail -n 2 "$work/over60")"
# A pad starts the game, launches the sphere and quits with Back, headless.
printf '0 pad connect\n0 pad button 0 down\n2 pad button 0 up\n30 pad button 6 down\n31 pad button 6 up\n' >"$work/pad.txt"
run 600 "$work/pad.txt" >"$work/pad" || fail "pad run exited $?"
[ "$(tail -n 1 "$work/pad")" != "Score: 3" ] && [ "$(tail -n 1 "$work/pad" | cut -c1-7)" = "Score: " ] || fail "the pad did not launch: $(tail -n 1 "$work/pad")"
[ "$(tr -cd '\r' <"$work/pad" | wc -c)" -le 40 ] || fail "Back did not quit"
# A timedemo of the title screen runs 600 steps and reports them; a timedemo
# of a script runs one step past its last event.
"$game" --headless --timedemo | tr '\r' '\n' | grep -q '^timedemo: frames 600 ' || fail "no timedemo report"
"$game" --headless --timedemo --input "$work/shot.txt" | tr '\r' '\n' | grep -q '^timedemo: frames 4 ' || fail "timedemo of a script"  # steps 0 to 2, and one to act on the last
"$game" --headless --frames 10 --frame-stats | tr '\r' '\n' | grep -q '^frame-stats: intervals ' || fail "no frame stats"
echo ok
