#!/bin/bash
# The golden replays (tests/replays) play exactly as recorded: the state
# digest after every step and the last screen text are as expected. A
# difference names the first step that parts. When a change in play is
# meant, scripts/golden-replays.sh makes them again.
source "$(dirname "$0")/../lib/cli.sh"
dir=$(dirname "$0")/../replays
count=0
for replay in "$dir"/*.replay; do
    name=$(basename "$replay" .replay)
    "$game" --headless --input "$replay" --state-hash-every 1 --print-text >"$work/out" 2>"$work/err" ||
        fail "$name: status $?: $(cat "$work/err")"
    tr '\r' '\n' <"$work/out" | grep -v '^FPS' | grep -v '^$' | sed 's/^state-hash //' >"$work/got"
    if ! cmp -s "$work/got" "$dir/$name.expect"; then
        first=$(diff "$dir/$name.expect" "$work/got" | grep -m 1 '^[<>]')
        step=$(awk 'NR == FNR { want[FNR] = $0; next } $0 != want[FNR] { print $1; exit }' "$dir/$name.expect" "$work/got")
        fail "$name: the game parts from its recording at step $step ($first)"
    fi
    count=$((count + 1))
done
[ "$count" -ge 6 ] || fail "only $count golden replays"
echo ok
