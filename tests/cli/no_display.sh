#!/bin/bash
# Without an X display: a headless run works, a windowed one says why it
# cannot start in one line and exits 1 instead of crashing.
source "$(dirname "$0")/../lib/cli.sh"

"$game" --headless --frames 3 --print-text >"$work/out" 2>"$work/err" || fail "headless run exited $?"
[ "$(tail -n 1 "$work/out")" = "Press Enter to Start" ] && [ ! -s "$work/err" ] || fail "headless run: $(cat "$work/err")"
# Unset, or named but unreachable, the display is no better.
for display in "" :4093; do
    status=0
    env ${display:+DISPLAY=$display} "$game" --frames 3 >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] && [ ! -s "$work/out" ] ||
        fail "display '$display': exited $status: $(cat "$work/err" "$work/out")"
    grep -q "no display.*--headless" "$work/err" || fail "display '$display': stderr does not say why: $(cat "$work/err")"
done
status=0
"$game" --headless --screenshot "$work/shot.png" --frames 1 >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && [ ! -e "$work/shot.png" ] || fail "--screenshot with --headless exited $status"
echo ok
