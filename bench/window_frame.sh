#!/bin/bash
# Times the real game in a window at 1080 x 720 under Xvfb with Mesa's
# software renderer, uncapped (--max-fps 0):
#   - start-up: from launch to the first frame presented (the game flushes
#     its frame-rate line right after each frame's swap);
#   - one playing frame: (time of 600 frames - time of 100 frames) / 500,
#     so start-up and shutdown cancel out. Best of five runs each, as other
#     work on the machine only ever adds time.
# Usage: bench/window_frame.sh path/to/vaultrix
set -u
game=$(realpath "${1:?usage: window_frame.sh path/to/vaultrix}")
here=$(dirname "$(realpath "$0")")
# shellcheck source=../tests/lib/xvfb.sh
. "$here/../tests/lib/xvfb.sh"
start_xvfb

# Enter starts the game; left alone the sphere stays in play for ~11 s of
# game time, so 600 frames at a fixed 1/60 s are all playing frames.
printf '0 Return down\n2 Return up\n' >"$TEST_TMP/start.txt"

python3 - "$game" "$TEST_TMP/start.txt" <<'PY'
import resource, subprocess, sys, time

game, script = sys.argv[1], sys.argv[2]
common = [game, "--max-fps", "0", "--frame-time", "0.0166666", "--input", script]

def cpu():
    r = resource.getrusage(resource.RUSAGE_CHILDREN)
    return r.ru_utime + r.ru_stime

# Wall time, and the CPU time of the game's threads (its own and Mesa's
# rasterizer threads), which other load on the machine barely changes.
def run(frames):
    start, used = time.perf_counter(), cpu()
    subprocess.run(common + ["--frames", str(frames)], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start, cpu() - used

def first_frame():
    start = time.perf_counter()
    p = subprocess.Popen(common + ["--frames", "3"], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL)
    p.stdout.read(1)
    elapsed = time.perf_counter() - start
    p.stdout.read()
    p.wait()
    return elapsed

startup = min(first_frame() for _ in range(5))
runs = {n: [run(n) for _ in range(5)] for n in (100, 600)}
wall = {n: min(r[0] for r in runs[n]) for n in runs}
used = {n: min(r[1] for r in runs[n]) for n in runs}
frame_ms = (wall[600] - wall[100]) / 500 * 1000
cpu_ms = (used[600] - used[100]) / 500 * 1000
print(f"window 1080x720, software GL, uncapped")
print(f"  start-up to first frame  {startup * 1000:8.1f} ms")
print(f"  playing frame            {frame_ms:8.3f} ms  ({frame_ms / (1000 / 60) * 100:.1f} % of the 60 Hz budget)")
print(f"  CPU time per frame       {cpu_ms:8.3f} ms  (all of the game's threads)")
print(f"  100 frames {wall[100]:.3f} s, 600 frames {wall[600]:.3f} s")
PY
