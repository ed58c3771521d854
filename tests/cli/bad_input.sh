#!/bin/bash
# Bad options and scripts: status 2 and one stderr line naming the fault;
# no reachable display: status 1 and one line.
source "$(dirname "$0")/../lib/cli.sh"
expect 2 --bogus --bogus
expect 2 --frames --headless --frames lots
expect 2 --frame-time --headless --frame-time -1
printf '0 Return down\n5 Banana down\n' >"$work/key.txt"
expect 2 key.txt:2 --headless --input "$work/key.txt"
printf '5 Return down\n3 Return up\n' >"$work/order.txt"
expect 2 order.txt:2 --headless --input "$work/order.txt"
printf '0 pad axis X 50\n' >"$work/pad.txt"
expect 2 "pad.txt:1: pad axis while no pad is connected" --headless --input "$work/pad.txt"
expect 2 missing.txt --headless --input "$work/missing.txt"
: >"$work/empty.txt"  # a file with nothing in it is a mistake; one with a comment is a script
expect 2 "empty.txt: nothing in it" --headless --frames 3 --input "$work/empty.txt"
printf ' \n\t\r\n' >"$work/blank.txt"
expect 2 "blank.txt: nothing in it" --headless --frames 3 --input "$work/blank.txt"
echo "# nothing to press" >"$work/idle.txt"
"$game" --headless --frames 3 --input "$work/idle.txt" >/dev/null || fail "a script of one comment exited $?"
# Files and displays as a Linux system has them; Windows has no fifos or
# /dev/zero, and a Windows session always has its desktop.
if [ -z "${VAULTRIX_WINE_EXE:-}" ]; then
    # Only regular files, within 1 MiB; an endless read is cut short (no memory
    # limit: a sanitized build reserves terabytes of address space).
    mkfifo "$work/fifo"
    head -c 2000000 /dev/zero | tr '\0' 7 >"$work/token.txt"
    for script in /dev/zero "$work/fifo" "$work" "$work/token.txt"; do
        timeout 5 "$game" --headless --frames 3 --input "$script" >/dev/null 2>"$work/err" && s=0 || s=$?
        [ $s = 2 ] && one_line "$work/err" "cannot read input script '$script': is" && [ "$(wc -c <"$work/err")" -lt 200 ] ||
            fail "--input $script: status $s, stderr: $(head -c 300 "$work/err")"
    done
    # No byte past printable ASCII reaches the terminal (here a UTF-8 CSI).
    expect 2 "'$work/\\\\xc2\\\\x9b2J'" --headless --input "$work/"$'\xc2\x9b2J'
    expect 1 "no display.*--headless" --frames 3
    DISPLAY=:4093 expect 1 "no display" --frames 3
fi
"$game" --help | grep -q -- --headless || fail "--help does not mention --headless"
echo ok
