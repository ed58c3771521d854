#!/bin/bash
# Without an X display: a headless run works, a windowed one says why it
# cannot start in one line and exits 1 instead of crashing.
set -u
game=${1:?usage: no_display.sh path/to/vaultrix}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
unset DISPLAY

"$game" --headless --frames 3 --print-text >"$work/out" 2>"$work/err" || fail "headless run exited $?"
[ "$(tail -n 1 "$work/out")" = "Press Enter to Start" ] || fail "headless text: $(tail -n 1 "$work/out")"
[ ! -s "$work/err" ] || fail "headless run wrote to stderr: $(cat "$work/err")"

windowed() {
    status=0
    "$@" >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq 1 ] || fail "$*: exited $status, not 1"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$*: stderr is not one line: $(cat "$work/err")"
    grep -q "no display" "$work/err" || fail "$*: stderr does not say why: $(cat "$work/err")"
    grep -q -- "--headless" "$work/err" || fail "$*: stderr does not name --headless"
    [ ! -s "$work/out" ] || fail "$*: wrote to stdout: $(cat "$work/out")"
}
windowed "$game" --frames 3
# A display that is named but cannot be reached is no better.
windowed env DISPLAY=:4093 "$game" --frames 3

status=0
"$game" --headless --screenshot "$work/shot.png" --frames 1 >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || fail "--screenshot with --headless exited $status, not 2"
[ ! -e "$work/shot.png" ] || fail "a headless run wrote a screenshot"

"$game" --version >"$work/out" || fail "--version exited $?"
grep -Eqx "vaultrix [0-9]+\.[0-9]+\.[0-9]+" "$work/out" || fail "--version printed: $(cat "$work/out")"
"$game" --help >"$work/out" || fail "--help exited $?"
head -n 1 "$work/out" | grep -q "^usage: vaultrix" || fail "--help printed: $(head -n 1 "$work/out")"
echo "no_display: 1 passed, 0 failed"
