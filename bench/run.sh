#!/bin/bash
# Runs every measurement of a bench build: the benchmark table, the memory
# of a long streamed course and, when Xvfb is there, the windowed frame.
# Usage: bench/run.sh BUILD_DIR
set -eu
build=${1:?usage: run.sh BUILD_DIR}
here=$(dirname "$(realpath "$0")")
"$build/bench/vaultrix_bench"
"$build/bench/stream_memory"
if command -v Xvfb >/dev/null; then
    "$here/window_frame.sh" "$build/vaultrix"
    "$here/timedemo.sh" "$build/vaultrix" "$build/bench/floor" "$build/bench/plain_scene"
    "$here/pacing.sh" "$build/vaultrix" "$build/bench/floor" "$build/bench/plain_scene"
else
    echo "window_frame: skipped, no Xvfb"
fi
