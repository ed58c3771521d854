#!/bin/bash
# Broken models: the game keeps running and names the file once on stderr.
# Models are looked for next to the binary first, so it is copied beside broken ones.
source "$(dirname "$0")/../lib/cli.sh"
printf '0 Return down\n1 Return up\n1 mouse 648 238\n2 MouseLeft down\n40 D down\n80 D up\n200 MouseLeft up\n' >"$work/play.txt"
check() {  # case, what stderr says, command that breaks portal.obj
    local dir=$work/$1 why=$2; shift 2
    mkdir "$dir" && cp "$game" "$dir/vaultrix" && cp -r "$(dirname "$game")/Platformer" "$dir/" && "$@" "$dir/Platformer/portal.obj"
    (cd "$dir" && ./vaultrix --headless --frames 300 --input "$work/play.txt" --print-text >out 2>err) || fail "$dir: exited $?"
    grep -q "^Score: " "$dir/out" && one_line "$dir/err" portal.obj && grep -q "$why" "$dir/err" || fail "$dir: $(cat "$dir/err")"
}
check missing "cannot open" rm
check empty "no triangles" truncate -s 0
check bad_index "out of range" sh -c 'echo "f 1 2 999" >>"$0"'
check nan "not a finite number" sed -i '0,/^v /s/^v .*/v nan 0 0/'
echo ok
