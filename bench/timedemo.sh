#!/bin/bash
# The windowed frame against two baselines, in one Xvfb and one run: the
# game's --timedemo (the title screen, then a started game left to play)
# beside an SFML window of the same size that only clears and presents (the
# floor), and the same scene drawn plainly with SFML's shapes and text.
# Usage: bench/timedemo.sh path/to/vaultrix path/to/floor path/to/plain_scene
set -u
game=$(realpath "${1:?usage: timedemo.sh path/to/vaultrix path/to/floor}")
floor=$(realpath "${2:?usage: timedemo.sh path/to/vaultrix path/to/floor path/to/plain_scene}")
plain=$(realpath "${3:?usage: timedemo.sh path/to/vaultrix path/to/floor path/to/plain_scene}")
font=$(dirname "$game")/assets/fonts/DejaVuSansMono.ttf
here=$(dirname "$(realpath "$0")")
# shellcheck source=../tests/lib/xvfb.sh
. "$here/../tests/lib/xvfb.sh"
start_xvfb
printf '0 Return down\n2 Return up\n' >"$TEST_TMP/play.txt"
mean() { sed -n 's/.* mean \([0-9.]*\) ms.*/\1/p'; }
floor_ms=$("$floor" 600 | tee /dev/stderr | mean)
plain_ms=$("$plain" "$font" 600 | tee /dev/stderr | mean)
title_ms=$("$game" --timedemo | tr '\r' '\n' | grep '^timedemo' | tee /dev/stderr | mean)
play_ms=$("$game" --timedemo --frames 600 --input "$TEST_TMP/play.txt" | tr '\r' '\n' | grep '^timedemo' | tee /dev/stderr | mean)
awk -v f="$floor_ms" -v s="$plain_ms" -v t="$title_ms" -v p="$play_ms" 'BEGIN {
    printf "timedemo 1080x720: floor %.3f ms, plain SFML scene %.3f ms (%.2fx the floor)\n", f, s, s / f
    printf "  title   %.3f ms: %.2fx the floor, %.2fx the plain scene\n", t, t / f, t / s
    printf "  playing %.3f ms: %.2fx the floor, %.2fx the plain scene\n", p, p / f, p / s }'
