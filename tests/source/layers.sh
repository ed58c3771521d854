#!/bin/bash
# Each folder includes only the layers under it: the engine knows nothing of
# the game, objects know the engine, the level knows objects, the game knows
# the level, and only the app sees everything.
set -u
root=${1:?usage: layers.sh path/to/source}
status=0
check() {  # folder, the folders it may include from
    local bad
    bad=$(grep -rnE '^#include "[A-Za-z]+/' "$root/$1" | grep -vE "#include \"($2)/") &&
        { echo "FAIL: $1/ reaches past its layer:" >&2; echo "$bad" >&2; status=1; }
}
check engine 'engine'
check objects 'engine|objects'
check level 'engine|objects|level'
check game 'engine|objects|level|game'
[ $status = 0 ] && echo ok
exit $status
