#!/bin/bash
# Long headless games under valgrind memcheck: no invalid access, no use of
# uninitialised memory, nothing definitely or indirectly lost at exit.
#   $1 vaultrix  $2 soak_script  $3 game_tests
set -u
game=${1:?usage: headless_game.sh vaultrix soak_script game_tests}
generator=${2:?}
tests=${3:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
memcheck() {
    valgrind --leak-check=full --errors-for-leak-kinds=definite,indirect --error-exitcode=99 \
        --log-file="$work/valgrind.log" "$@"
}
verdict() {  # what, status
    [ "$2" -eq 0 ] || { cat "$work/valgrind.log" >&2; fail "$1 exited $2 under valgrind"; }
    grep -q "ERROR SUMMARY: 0 errors" "$work/valgrind.log" || { cat "$work/valgrind.log" >&2; fail "$1: memcheck errors"; }
}

# The real binary: 8000 frames of random keys, buttons and cursor moves.
"$generator" 5 8000 >"$work/script.txt" || fail "soak_script exited $?"
status=0
memcheck "$game" --headless --frames 8000 --frame-time 0.0166666 --input "$work/script.txt" --print-text \
    >"$work/out" 2>"$work/err" || status=$?
verdict "the game" "$status"
grep -q "^Score: " "$work/out" || fail "the game printed no score: $(tail -c 200 "$work/out")"

# A guided soak that streams many sections, and the release checks, which
# assert that every volume is destroyed exactly once.
status=0
VAULTRIX_SOAK_SEED=11 memcheck "$tests" --gtest_filter='Soak.*:AppTest.Release*' >"$work/out" 2>&1 || status=$?
verdict "the soak test" "$status"
grep -q "PASSED" "$work/out" || fail "the soak test did not pass: $(tail -n 20 "$work/out")"
echo "ok"
