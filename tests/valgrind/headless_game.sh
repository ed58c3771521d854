#!/bin/bash
# Long headless games under memcheck: no errors, nothing definitely or indirectly lost.
#   $1 vaultrix  $2 soak_script  $3 game_tests
source "$(dirname "$0")/../lib/cli.sh"
memcheck() {
    valgrind --leak-check=full --errors-for-leak-kinds=definite,indirect --error-exitcode=99 --log-file="$work/log" "$@" \
        >"$work/out" 2>&1 || { local s=$?; cat "$work/log" >&2; fail "$1 exited $s under valgrind"; }
}
"${2:?}" 5 8000 >"$work/script.txt" || fail "soak_script exited $?"  # random keys, buttons and cursor moves
memcheck "$game" --headless --frames 8000 --frame-time 0.0166666 --input "$work/script.txt" --print-text
grep -q "^Score: " "$work/out" || fail "the game printed no score: $(tail -c 200 "$work/out")"
# A soak streaming many sections, and release checks that destroy every volume once.
VAULTRIX_SOAK_SEED=11 memcheck "${3:?}" --gtest_filter='Soak.*:AppTest.Release*'
grep -q PASSED "$work/out" || fail "the soak test did not pass: $(tail -n 20 "$work/out")"
echo ok
