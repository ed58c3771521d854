#!/bin/bash
# Long headless games under memcheck: no errors, nothing definitely or indirectly lost.
#   $1 vaultrix  $2 game_tests
source "$(dirname "$0")/../lib/cli.sh"
memcheck() {
    valgrind --leak-check=full --errors-for-leak-kinds=definite,indirect --error-exitcode=99 --log-file="$work/log" "$@" \
        >"$work/out" 2>&1 || { local s=$?; cat "$work/log" >&2; fail "$1 exited $s under valgrind"; }
}
printf '0 Return down\n1 Return up\n2 W down\n9 W up\n30 D down\n90 D up\n100 mouse 648 238\n100 MouseLeft down\n400 P down\n401 P up\n460 P down\n461 P up\n' >"$work/script.txt"
memcheck "$game" --headless --frames 8000 --frame-time 0.0166666 --input "$work/script.txt" --print-text
grep -q "^Score: " "$work/out" || fail "the game printed no score: $(tail -c 200 "$work/out")"
# A soak streaming many sections, and release checks that destroy every volume once.
VAULTRIX_SOAK_SEED=11 memcheck "${2:?}" --gtest_filter='SoakTest.*:AppTest.Release*'
grep -q PASSED "$work/out" || fail "the soak test did not pass: $(tail -n 20 "$work/out")"
echo ok
