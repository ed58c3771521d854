#!/bin/bash
# The loop's figures, in a private Xvfb with Mesa's software renderer:
#   - pacing: 600 steps of play at the default 60 fps cap, with --frame-stats
#     (intervals between presented frames: p50, p99, share within 1 ms of the
#     median, and the wall time of 600 frames);
#   - CPU: the share of one core the game uses over 10 s on the title screen
#     (which presents nothing new) and while playing at 60 fps, read from
#     /proc between 2 s and 12 s after the start (start-up left out);
#     given the two baselines of timedemo.sh, theirs too, capped at 60 fps
#     by SFML's limiter, with the game's share as a ratio to each.
# Usage: bench/pacing.sh path/to/vaultrix [path/to/floor path/to/plain_scene]
set -u
game=$(realpath "${1:?usage: pacing.sh path/to/vaultrix [path/to/floor path/to/plain_scene]}")
here=$(dirname "$(realpath "$0")")
# shellcheck source=../tests/lib/xvfb.sh
. "$here/../tests/lib/xvfb.sh"
start_xvfb
# Not launched: the camera climbs every step, so every step draws a new picture.
printf '0 Return down\n2 Return up\n' >"$TEST_TMP/play.txt"
"$game" --frames 600 --frame-stats --input "$TEST_TMP/play.txt" | tr '\r' '\n' | grep '^frame-stats' | sed 's/^/pacing, playing at 60 fps: /'
ticks=$(getconf CLK_TCK)
cpu_share() {  # label, command: prints and keeps in $share the share of a core between 2 s and 12 s
    local label=$1 a b; shift
    "$@" >/dev/null 2>&1 &
    local pid=$!
    sleep 2; a=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep 10; b=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    kill "$pid"; wait "$pid" 2>/dev/null
    share=$(awk -v a="$a" -v b="$b" -v t="$ticks" 'BEGIN { printf "%.1f", (b - a) / t / 10 * 100 }')
    echo "cpu, $label: $share % of a core"
}
echo "# no input: the title screen" >"$TEST_TMP/none.txt"  # scripted, so it never waits for the focus
cpu_share "title screen" "$game" --input "$TEST_TMP/none.txt"
cpu_share "playing at 60 fps" "$game" --input "$TEST_TMP/play.txt"
[ $# -ge 3 ] || exit 0
playing=$share
cpu_share "floor at 60 fps" "$(realpath "$2")" 100000 60
floor=$share
cpu_share "plain SFML scene at 60 fps" "$(realpath "$3")" "$(dirname "$game")/assets/fonts/DejaVuSansMono.ttf" 100000 60
awk -v p="$playing" -v f="$floor" -v s="$share" 'BEGIN { printf "cpu, playing at 60 fps: %.2fx the floor, %.2fx the plain scene\n", p / f, p / s }'
