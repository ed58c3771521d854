#!/bin/bash
# Broken models: the run ends after the frame that loads them, names the file
# once on stderr and exits 1. Models are looked for next to the binary first,
# so it is copied beside broken ones.
source "$(dirname "$0")/../lib/cli.sh"
printf '0 Return down\n1 Return up\n1 mouse 648 238\n2 MouseLeft down\n40 D down\n80 D up\n200 MouseLeft up\n' >"$work/play.txt"
check() {  # case, what stderr says, command that breaks portal.obj
    local dir=$work/$1 why=$2 s=0; shift 2
    mkdir "$dir" && cp "$game" "$dir/vaultrix" && cp -r "$(dirname "$game")/Platformer" "$dir/" && "$@" "$dir/Platformer/portal.obj"
    (cd "$dir" && timeout 20 ./vaultrix --headless --frames 300 --input "$work/play.txt" --print-text >out 2>err) || s=$?
    # One line, named as every error line of the program is.
    [ $s = 1 ] && one_line "$dir/err" portal.obj && grep -q -- "^vaultrix: .*$why" "$dir/err" || fail "$dir: status $s: $(cat "$dir/err")"
    [ "$(tail -n 1 "$dir/out")" = "Score: 3" ] || fail "$dir: the run went on: $(tail -n 1 "$dir/out")"
}
# Every place searched, in order: beside the binary, the installs' shares, the
# working directory. (Each fault a model file can have: ModelTest and FileTest.)
check missing "not found in '$work/missing/Platformer/portal.obj', '$work/share/vaultrix/Platformer/portal.obj', '$work/share/games/vaultrix/Platformer/portal.obj', 'Platformer/portal.obj'$" rm
check nan "not a finite number" sed -i '0,/^v /s/^v .*/v nan 0 0/'
check fifo "is not a regular file" sh -c 'rm "$0" && mkfifo "$0"'
echo ok
