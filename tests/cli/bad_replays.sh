#!/bin/bash
# Bad replays are refused in one line naming the file and line, with status
# 2; a recording never replaces a file and never appears half-written.
source "$(dirname "$0")/../lib/cli.sh"
good=$(dirname "$0")/../replays/shot.replay
version=$("$game" --version | cut -d' ' -f2)
head -n -1 "$good" >"$work/cut.replay"  # no end line
expect 2 "cut.replay:[0-9]*: .*cut short" --headless --input "$work/cut.replay"
sed '5s/.*/4 Return sideways/' "$good" >"$work/corrupt.replay"
expect 2 "corrupt.replay:5: " --headless --input "$work/corrupt.replay"
sed "1s/ $version / 0.0.1 /" "$good" >"$work/old.replay"
expect 2 "old.replay:1: recorded by vaultrix 0.0.1" --headless --input "$work/old.replay"
n=$(grep -n -m 1 '^1 ' "$good" | cut -d: -f1)  # a step 0 event after the first of step 1
awk -v n=$n '{ print } NR == n { print "0 A down" }' "$good" >"$work/order.replay"
expect 2 "order.replay:$((n + 1)): frame 0 comes after frame 1" --headless --input "$work/order.replay"
printf '%s\n' "$(head -n 1 "$good")" "5 end" "6 Return down" >"$work/after.replay"
expect 2 "after.replay:3: nothing may follow" --headless --input "$work/after.replay"
expect 2 "recorded with steps of" --headless --frame-time 0.02 --input "$good"
# A header's step is what --frame-time takes, or nothing: a tiny one never ends in a window.
for step in 1e-300 1e-11 0x1p-6 0 2 inf -0.5; do
    sed "1s/step [^ ]* s/step $step s/" "$good" >"$work/step.replay"
    expect 2 "step.replay:1: bad replay step '$step' (a plain decimal, 0.0001 to 1 s)" --headless --input "$work/step.replay"
done

# A finished recording replays to the same digest; an existing file is kept.
printf '0 Return down\n1 Return up\n1 mouse 648 238\n1 MouseLeft down\n2 MouseLeft up\n' >"$work/shot.txt"
digest() { "$game" --headless --state-hash "$@" | tr '\r' '\n' | grep '^state-hash'; }
a=$(digest --frames 200 --input "$work/shot.txt" --record "$work/rec.replay") || fail "recording exited $?"
[ -f "$work/rec.replay" ] && [ ! -e "$work/rec.replay.part" ] || fail "the recording is not under its name"
b=$(digest --input "$work/rec.replay") || fail "replay exited $?"
[ "$a" = "$b" ] || fail "recorded $a, replayed $b"
cp "$work/rec.replay" "$work/keep"
expect 2 "will not record over" --headless --frames 5 --record "$work/rec.replay"
cmp -s "$work/rec.replay" "$work/keep" || fail "an existing file was overwritten"
ln -s "$work/nowhere" "$work/dangling.replay"  # a link to nothing is a name in use too
expect 2 "will not record over .*dangling.replay: it exists" --headless --frames 5 --record "$work/dangling.replay"
[ -L "$work/dangling.replay" ] && [ ! -e "$work/nowhere" ] || fail "a dangling link was recorded over"
# Killed mid-game, the recording so far stays in FILE.part, whole up to its last step.
"$game" --headless --frame-time 0.0166666 --max-fps 1000 --input "$work/shot.txt" --record "$work/killed.replay" >/dev/null &
pid=$!
sleep 0.5
kill -KILL $pid; wait $pid 2>/dev/null
[ ! -e "$work/killed.replay" ] && [ -s "$work/killed.replay.part" ] || fail "a killed recording: $(ls "$work")"
grep -q '^1 mouse 648 238$' "$work/killed.replay.part" || fail "the killed recording lost its steps"
echo ok
