#!/bin/bash
# Bad command lines and input scripts: one line naming the fault, status 2,
# before any window opens (no display is set here).
source "$(dirname "$0")/../lib/cli.sh"

expect_status() {  # status, pattern on stderr, command...
    local want=$1 pattern=$2; shift 2
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" = "$want" ] || fail "$* exited $got, wanted $want"
    grep -q -- "$pattern" "$work/err" || fail "$*: stderr lacks '$pattern': $(cat "$work/err")"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$*: stderr is not one line: $(cat "$work/err")"
}

expect_status 2 "--bogus" "$game" --bogus
expect_status 2 "--frames" "$game" --headless --frames lots
expect_status 2 "--frames" "$game" --headless --frames
expect_status 2 "--frame-time" "$game" --headless --frame-time -1
printf '0 Return down\n5 Banana down\n' >"$work/key.txt"
expect_status 2 "key.txt:2" "$game" --headless --input "$work/key.txt"
printf '5 Return down\n3 Return up\n' >"$work/order.txt"
expect_status 2 "order.txt:2" "$game" --headless --input "$work/order.txt"
printf '0 mouse 10\n' >"$work/mouse.txt"
expect_status 2 "mouse.txt:1" "$game" --headless --input "$work/mouse.txt"
expect_status 2 "missing.txt" "$game" --headless --input "$work/missing.txt"
expect_status 1 "headless" "$game" --frames 1
"$game" --help >"$work/help" 2>&1 || fail "--help exited $?"
grep -q -- "--headless" "$work/help" || fail "usage lacks --headless"
# --print-text prints once, at the end; the usage must not promise every frame.
grep -q "last frame's text" "$work/help" || fail "usage does not say --print-text is the last frame's"
echo "ok"
