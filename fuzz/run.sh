#!/bin/bash
# Runs each fuzz target for a while: run.sh BUILD_DIR SECONDS.
# New corpus entries stay in BUILD_DIR; a crashing input is written to
# fuzz/regressions/<target>/, where the tests replay it, and fails the run.
set -u
build=${1:?usage: run.sh BUILD_DIR SECONDS}
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
status=0
for target in input_script options model; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus" "$here/regressions/$target"
    echo "fuzz: $target for ${seconds}s"
    if ! "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$here/regressions/$target/" \
        "$corpus" "$here/corpus/$target" >"$build/$target.log" 2>&1; then
        tail -n 30 "$build/$target.log"
        echo "fuzz: $target failed; the input is in fuzz/regressions/$target/ (commit it once fixed)"
        status=1
    else
        grep -E "stat::number_of_executed_units|cov:" "$build/$target.log" | tail -n 2
    fi
done
exit $status
