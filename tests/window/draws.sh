#!/bin/bash
# A frame of play costs few draw calls, whatever the course holds and however
# many bullets fly: a browser's software rasterizer pays 0.1 to 0.3 ms for
# each. The grid, the rims of every shape, the fills of every shape, the
# sphere's wire and the score: five.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: draws.sh path/to/vaultrix}
start_xvfb
# run NAME FRAMES: the script on stdin, the frame's draws and its shapes.
run() {
    cat >"$TEST_TMP/$1.txt"
    "$game" --frames "$2" --frame-time 0.0166667 --input "$TEST_TMP/$1.txt" --frame-split \
        --screenshot "$TEST_TMP/$1.png" >"$TEST_TMP/$1.out" || fail "the $1 run exited $?"
    draws=$(tr '\r' '\n' <"$TEST_TMP/$1.out" | sed -n 's/^split per frame.*, \([0-9.]*\) draws$/\1/p')
    [ -n "$draws" ] || fail "no draw count in: $(tr '\r' '\n' <"$TEST_TMP/$1.out" | tail -n 1)"
    awk -v d="$draws" 'BEGIN { exit !(d <= 5.0) }' || fail "$1: $draws draws a frame"
    "$VAULTRIX_CONTRAST_PROBE" shapes "$TEST_TMP/$1.png" 0 60 1080 660 >"$TEST_TMP/$1.shapes" ||
        fail "$1: no shapes measured"
}
# has NAME KIND...: the last frame shows pixels of each kind.
has() {
    local name=$1 kind count
    shift
    for kind; do
        count=$(awk -v k="$kind" '$1 == k { print $2 }' "$TEST_TMP/$name.shapes")
        [ "${count:-0}" -gt 0 ] || fail "$name: no $kind pixels: $(cat "$TEST_TMP/$name.shapes")"
    done
}
run climb 120 <<'SCRIPT'
0 Return down
1 Return up
1 W down
3 W up
SCRIPT
has climb obstacle-fill obstacle-rim
# The button held: a bullet every few steps, several in flight at once.
run shoot 40 <<'SCRIPT'
0 Return down
1 Return up
1 mouse 540 0
1 MouseLeft down
SCRIPT
has shoot obstacle-fill obstacle-rim bullet-fill bullet-rim
echo ok
