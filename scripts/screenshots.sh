#!/bin/bash
# Renders the README's pictures: the title screen, a frame of play and the
# Game Over screen, each the last frame of a scripted run at a fixed 60 frames
# a second, in a private Xvfb display with software OpenGL, so that every run
# draws the same pictures.
#   scripts/screenshots.sh [path/to/vaultrix] [output dir]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
game=${1:-$here/../build/vaultrix}
out=${2:-$here/../docs}
[ -x "$game" ] || { echo "screenshots: no game at $game (run make build)" >&2; exit 1; }
mkdir -p "$out"
source "$here/../tests/lib/xvfb.sh"
start_xvfb

# shot NAME FRAMES: runs the script on stdin for FRAMES frames, keeps the last.
shot() {
    local name=$1 frames=$2
    cat >"$TEST_TMP/$name.txt"
    "$game" --frames "$frames" --frame-time 0.0166667 --input "$TEST_TMP/$name.txt" \
        --screenshot "$out/$name.png" --print-text >"$TEST_TMP/$name.out" ||
        fail "the $name run exited $?"
    echo "$out/$name.png: $(tail -n 1 "$TEST_TMP/$name.out" | tr -d '\r')"
}

shot title 3 <<<"# the title, left alone"

# Launch, then shoot at the obstacle at the right while climbing: the last
# frame shows the bullet on its way.
shot playing 72 <<'SCRIPT'
0 Return down
1 Return up
1 W down
3 W up
66 mouse 748 370
66 MouseLeft down
68 MouseLeft up
SCRIPT

# Start, shoot the first obstacle (50 points), then let the sphere fall
# behind the climbing camera.
shot gameover 900 <<'SCRIPT'
0 Return down
1 Return up
1 mouse 748 278
1 MouseLeft down
2 MouseLeft up
SCRIPT
