#!/bin/bash
# Broken model files: the game keeps running (the objects of a bad model get
# no geometry) and says once, in one line naming the file, what is wrong.
# The engine looks next to its executable first, so the binary is copied
# beside a broken Platformer/ folder.
source "$(dirname "$0")/../lib/cli.sh"
source_models=$(dirname "$game")/Platformer

# Start, steer and shoot for a while, so both kinds of object are used.
cat >"$work/script.txt" <<'SCRIPT'
0 Return down
1 Return up
1 mouse 648 238
2 MouseLeft down
3 Up down
40 D down
80 D up
80 A down
200 MouseLeft up
SCRIPT

# case name, then a command that breaks $dir/Platformer/portal.obj
check() {
    local name=$1; shift
    local dir="$work/$name"
    mkdir -p "$dir"
    cp "$game" "$dir/vaultrix"
    cp -r "$source_models" "$dir/Platformer"
    local model="$dir/Platformer/portal.obj"
    "$@" "$model"
    local status=0
    (cd "$dir" && ./vaultrix --headless --frames 400 --frame-time 0.0166666 --input "$work/script.txt" \
        --print-text >"$dir/out" 2>"$dir/err") || status=$?
    [ "$status" -eq 0 ] || fail "$name: exited $status: $(cat "$dir/err")"
    grep -q "^Score: " "$dir/out" || fail "$name: no score line: $(tail -c 200 "$dir/out")"
    if [ "${maybe_silent:-0}" = 1 ] && [ ! -s "$dir/err" ]; then return; fi
    [ "$(wc -l <"$dir/err")" -eq 1 ] || fail "$name: stderr is not one line: $(cat "$dir/err")"
    grep -q "portal.obj" "$dir/err" || fail "$name: stderr does not name the file: $(cat "$dir/err")"
    grep -q "${why}" "$dir/err" || fail "$name: stderr does not say '$why': $(cat "$dir/err")"
}

missing() { rm "$1"; }
empty() { : >"$1"; }
bad_index() { echo "f 1 2 999" >>"$1"; }
nan_coordinate() { sed -i '0,/^v /s/^v .*/v nan 0 0/' "$1"; }
huge_coordinate() { sed -i '0,/^v /s/^v .*/v 1e30 0 0/' "$1"; }
binary() { printf '\x00\xff\x7fELF\x01\x02garbage\n\x00\x00' >"$1"; }

why="cannot open" check missing missing
why="no triangles" check empty empty
why="out of range" check bad_index bad_index
why="not a finite number" check nan_coordinate nan_coordinate
why="out of range" check huge_coordinate huge_coordinate
why="bad model file" check binary binary
# Cut mid-line, what is left may still be a model: it loads silently, or it
# is refused like any other bad file.
cut_mid_line() { head -c 1700 "$1" >"$1.new" && mv "$1.new" "$1"; }
maybe_silent=1 why="portal.obj" check cut cut_mid_line
echo "ok"
