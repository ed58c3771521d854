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
import subprocess, sys, time

game, script = sys.argv[1], sys.argv[2]
common = [game, "--max-fps", "0", "--frame-time", "0.0166666", "--input", script]

def run(frames):
    start = time.perf_counter()
    subprocess.run(common + ["--frames", str(frames)], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start

def first_frame():
    start = time.perf_counter()
    p = subprocess.Popen(common + ["--frames", "3"], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL)
    p.stdout.read(1)
    elapsed = time.perf_counter() - start
    p.stdout.read()
    p.wait()
    return elapsed

best = lambda f, *a: min(f(*a) for _ in range(5))
startup = best(first_frame)
short, long_ = best(run, 100), best(run, 600)
frame_ms = (long_ - short) / 500 * 1000
print(f"window 1080x720, software GL, uncapped")
print(f"  start-up to first frame  {startup * 1000:8.1f} ms")
print(f"  playing frame            {frame_ms:8.3f} ms  ({frame_ms / (1000 / 60) * 100:.1f} % of the 60 Hz budget)")
print(f"  100 frames {short:.3f} s, 600 frames {long_:.3f} s")
PY
