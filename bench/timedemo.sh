#!/bin/bash
# The windowed frame against two baselines, in one Xvfb and one run: the
# game's --timedemo (the title screen, then a started game left to play)
# beside an SFML window of the same size that only clears and presents (the
# floor), the floor with the grid's lines drawn too (what any frame that
# shows the grid costs), and the same scene drawn plainly with SFML's shapes
# and text.
# Each figure is the difference of a 200-frame and a 1,200-frame run, so
# start-up (llvmpipe compiling its shaders) cancels out; the best of three,
# taken in turns, so a busy moment of the machine does not count.
# Usage: bench/timedemo.sh path/to/vaultrix path/to/floor path/to/plain_scene
set -u
usage="usage: timedemo.sh path/to/vaultrix path/to/floor path/to/plain_scene"
game=$(realpath "${1:?$usage}")
floor=$(realpath "${2:?$usage}")
plain=$(realpath "${3:?$usage}")
font=$(dirname "$game")/assets/fonts/DejaVuSansMono.ttf
here=$(dirname "$(realpath "$0")")
# shellcheck source=../tests/lib/xvfb.sh
. "$here/../tests/lib/xvfb.sh"
start_xvfb
printf '0 Return down\n2 Return up\n' >"$TEST_TMP/play.txt"
run() {  # what, frames: prints the wall time of the presented frames, in s
    case $1 in
        floor) "$floor" "$2" 2>/dev/null ;;
        grid) "$floor" "$2" 0 grid 2>/dev/null ;;
        plain) "$plain" "$font" "$2" 2>/dev/null ;;
        title) "$game" --timedemo --frames "$2" ;;
        playing) "$game" --timedemo --frames "$2" --input "$TEST_TMP/play.txt" ;;
    esac | tr '\r' '\n' | sed -n 's/.*: frames .* wall \([0-9.]*\) s.*/\1/p'
}
declare -A best
for round in 1 2 3; do
    for what in floor grid plain title playing; do
        ms=$(awk -v a="$(run "$what" 200)" -v b="$(run "$what" 1200)" 'BEGIN { printf "%.3f", b - a }')
        echo "round $round, $what: $ms ms a frame" >&2
        if [ -z "${best[$what]:-}" ] || awk -v m="$ms" -v b="${best[$what]}" 'BEGIN { exit !(m < b) }'; then
            best[$what]=$ms
        fi
    done
done
"$game" --timedemo --frames 2 | tr '\r' '\n' | grep '^timedemo: GL_' >&2
awk -v f="${best[floor]}" -v g="${best[grid]}" -v s="${best[plain]}" -v t="${best[title]}" -v p="${best[playing]}" 'BEGIN {
    printf "timedemo 1080x720 (ms a frame, best of 3): floor %.3f, floor and grid %.3f (%.2fx the floor), plain SFML scene %.3f (%.2fx the floor)\n", f, g, g / f, s, s / f
    printf "  title   %.3f ms: %.2fx the floor, %.2fx the plain scene\n", t, t / f, t / s
    printf "  playing %.3f ms: %.2fx the floor, %.2fx the plain scene\n", p, p / f, p / s }'
