#!/bin/bash
# Honest exit statuses: output that cannot be written, and SIGINT, SIGTERM and
# SIGHUP, which end the game as Escape does (output and recording complete)
# and then by the signal.
source "$(dirname "$0")/../lib/cli.sh"
for args in "--headless --frames 3 --print-text" --help --version; do  # stdout is a full disk
    out=/dev/full expect 1 "cannot write the standard output: No space left" $args
done
set -m  # background jobs of a script ignore SIGINT unless they are jobs of their own
for signal in INT TERM HUP; do
    rm -f "$work/out"
    "$game" --headless --frames 100000000 --print-text --record "$work/rec.$signal" >"$work/out" 2>"$work/err" &
    pid=$!
    until [ -s "$work/out" ]; do kill -0 $pid 2>/dev/null || fail "the game ended early"; sleep 0.1; done
    kill -s $signal $pid
    s=0; wait $pid 2>/dev/null || s=$?
    want=$((128 + $(kill -l $signal)))
    [ $s = $want ] && [ ! -s "$work/err" ] || fail "SIG$signal: status $s (not $want): $(cat "$work/err")"
    # The frame-rate line is finished and the text is printed, as after Escape.
    [ "$(tail -n 1 "$work/out")" = "Press Enter to Start" ] || fail "SIG$signal: output ends $(tail -c 40 "$work/out" | od -c)"
    # The recording is complete, ready to replay.
    tail -n 1 "$work/rec.$signal" | grep -qx "[0-9]* end" || fail "SIG$signal: the recording has no end line"
done
# A reader that goes away ends the run as a failed write, the recording finished.
"$game" --headless --frames 100000000 --record "$work/rec.pipe" 2>"$work/err" | head -c 10 >/dev/null
s=${PIPESTATUS[0]}
[ $s = 1 ] && one_line "$work/err" "cannot write the standard output: Broken pipe" || fail "closed pipe: status $s: $(cat "$work/err")"
tail -n 1 "$work/rec.pipe" | grep -qx "[0-9]* end" || fail "closed pipe: the recording has no end line: $(ls "$work")"
# A closing terminal sends SIGHUP twice, the kernel and then the shell; here
# while the game is blocked writing to a pipe that nobody reads yet.
mkfifo "$work/pipe"
exec 3<>"$work/pipe"
"$game" --headless --frames 100000000 --print-text --record "$work/rec.hup2" >"$work/pipe" 2>"$work/err" &
pid=$!
blocked() { [ "$(cut -d' ' -f3 /proc/$pid/stat)" = S ]; }
until blocked; do kill -0 $pid 2>/dev/null || fail "the game ended early"; sleep 0.1; done
kill -s HUP $pid
hup_pending() { grep -q '^\(Sig\|Shd\)Pnd:.*[13579bdf]$' /proc/$pid/status; }  # SIGHUP is bit 0
while hup_pending; do sleep 0.1; done
kill -s HUP $pid
exec 4<"$work/pipe" 3<&-  # now read it all
cat <&4 >"$work/out" &
exec 4<&-
s=0; wait $pid 2>/dev/null || s=$?
wait
[ $s = 129 ] && [ ! -s "$work/err" ] || fail "two SIGHUPs: status $s (not 129): $(cat "$work/err")"
[ "$(tail -n 1 "$work/out")" = "Press Enter to Start" ] || fail "two SIGHUPs: output ends $(tail -c 40 "$work/out" | od -c)"
tail -n 1 "$work/rec.hup2" | grep -qx "[0-9]* end" || fail "two SIGHUPs: the recording has no end line: $(ls "$work")"
# Ignored by whoever started it, a signal stays ignored.
(trap '' HUP; exec "$game" --headless --frames 100000000) >/dev/null &
pid=$!
sleep 0.3; kill -s HUP $pid; sleep 0.3
kill -0 $pid 2>/dev/null || fail "an ignored SIGHUP ended the game"
kill -s TERM $pid; wait $pid 2>/dev/null
echo ok
