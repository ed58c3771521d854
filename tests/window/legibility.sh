#!/bin/bash
# Legibility measured from screenshots: the text, the legend and the score
# walled off from the scene at 4.5:1; the obstacles' and bullets' fills at
# 3:1 against the clear colour and their rims at 3:1 against the grid; the
# legend only on the title, and not with --no-legend.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: legibility.sh path/to/vaultrix} probe=${VAULTRIX_CONTRAST_PROBE:?set to the contrast_probe tool}
start_xvfb
# shot NAME FRAMES [options]: the last frame of a scripted run at 60 steps a second (script on stdin).
shot() {
    cat >"$TEST_TMP/$1.txt"
    "$game" --frames "$2" --frame-time 0.0166667 --input "$TEST_TMP/$1.txt" --screenshot "$TEST_TMP/$1.png" "${@:3}" \
        >/dev/null 2>"$TEST_TMP/game.err" || fail "the $1 run exited $?: $(cat "$TEST_TMP/game.err")"
}
walled() { "$probe" text "$TEST_TMP/$1.png" "${@:2}" >"$TEST_TMP/probe" || fail "$1 $2..: $(cat "$TEST_TMP/probe")"; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 >= b + 0) }'; }

shot title 3 <<<"# the title, left alone"
walled title 0 0 420 70      # "Press Enter to Start"
walled title 0 640 1080 80   # the legend
# Shoot straight up just after the start: the bullet is on its way at the end.
shot play 14 <<'SCRIPT'
0 Return down
1 Return up
1 mouse 540 0
1 MouseLeft down
3 MouseLeft up
SCRIPT
walled play 0 0 420 40  # the score
"$probe" shapes "$TEST_TMP/play.png" 0 60 1080 660 >"$TEST_TMP/shapes" || fail "no shapes measured"
# Each kind: pixels, worst contrast against the clear colour, against the grid.
while read -r kind count clear grid; do
    [ "$count" -gt 0 ] || fail "no $kind pixels"
    case $kind in
    *-fill) at_least "$clear" 3 || fail "$kind stands at $clear:1 against the clear colour" ;;
    *-rim) at_least "$grid" 3 || fail "$kind stands at $grid:1 against the grid" ;;
    esac
done <"$TEST_TMP/shapes"
shot over 900 <<<"0 Return down"
walled over 0 0 420 70  # "Game Over" and the score

# The legend is the title's only; --no-legend leaves the bottom to the grid.
legend() { CONVERT_IN=$TEST_TMP/$1.png; shot="$CONVERT_IN" count_bright 1080x60+0+660; }
[ "$(legend title)" -ge 100 ] && [ "$(legend play)" = 0 ] || fail "legend: $(legend title) on the title, $(legend play) in play"
shot quiet 3 --no-legend <<<"# the title, left alone"
[ "$(legend quiet)" = 0 ] || fail "--no-legend still shows $(legend quiet) legend pixels"
echo ok
