#!/bin/bash
# Bad options and scripts: status 2 and one stderr line naming the fault;
# no reachable display: status 1 and one line.
source "$(dirname "$0")/../lib/cli.sh"
expect() {  # status, text stderr must hold, arguments
    local want=$1 text=$2 got=0; shift 2
    "$game" "$@" >/dev/null 2>"$work/err" || got=$?
    [ $got = "$want" ] && one_line "$work/err" "$text" || fail "$*: status $got, stderr: $(cat "$work/err")"
}
expect 2 --bogus --bogus
expect 2 --frames --headless --frames lots
expect 2 --frame-time --headless --frame-time -1
printf '0 Return down\n5 Banana down\n' >"$work/key.txt"
expect 2 key.txt:2 --headless --input "$work/key.txt"
printf '5 Return down\n3 Return up\n' >"$work/order.txt"
expect 2 order.txt:2 --headless --input "$work/order.txt"
printf '0 pad axis X 50\n' >"$work/pad.txt"
expect 2 "pad.txt:1: pad axis while no pad is connected" --headless --input "$work/pad.txt"
expect 2 missing.txt --headless --input "$work/missing.txt"
expect 1 "no display.*--headless" --frames 3
DISPLAY=:4093 expect 1 "no display" --frames 3
"$game" --help | grep -q -- --headless || fail "--help does not mention --headless"
echo ok
