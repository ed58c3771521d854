#!/bin/bash
# Each folder includes only the layers under it: the engine knows nothing of
# the game, objects know the engine, the level knows objects, the game knows
# the level, and only the app sees everything. Inside the engine each module
# includes only the modules it is built on, so none of them loops back:
#   platform                       the backends: nothing of the engine's
#   core                           types, singletons, strict parsing
#   io      core                   files the user names, resources, PNG
#   input   platform               keys, buttons, cursor, pads
#   window  io platform            the window and its play area
#   time    core window            clocks, steps, pacing, frame figures
#   render  core io platform time window     (never input, replay or scene)
#   replay  core input io window   scripts and recordings
#   scene   core io render         models' instances, camera, volumes
#   portable core window           the Windows calls the game makes
#   app     all of them            the application base and its services
set -u
root=${1:?usage: layers.sh path/to/source}
status=0
report() {
    echo "FAIL: $1" >&2
    echo "$2" >&2
    status=1
}
check() {  # folder, the folders it may include from
    local bad
    bad=$(grep -rnE '^#include "[A-Za-z]+/' "$root/$1" | grep -vE "#include \"($2)/") &&
        report "$1/ reaches past its layer:" "$bad"
}
check engine 'engine'
check objects 'engine|objects'
check level 'engine|objects|level'
check game 'engine|objects|level|game'

module() {  # module, the modules it may include from (itself always)
    local bad
    [ -d "$root/engine/$1" ] || { report "no module engine/$1/" ""; return; }
    bad=$(grep -rnE '^#include "engine/' "$root/engine/$1" | grep -vE "#include \"engine/($1|$2)/") &&
        report "engine/$1/ includes a module it is not built on:" "$bad"
}
module platform 'platform'
module core 'core'
module io 'core'
module input 'platform'
module window 'io|platform'
module time 'core|window'
module render 'core|io|platform|time|window'
module replay 'core|input|io|window'
module scene 'core|io|render'
module portable 'core|window'
module app 'app|core|input|io|platform|portable|render|replay|scene|time|window'
# Every engine file lives in a module.
loose=$(find "$root/engine" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \))
[ -z "$loose" ] || report "engine files outside a module:" "$loose"
[ $status = 0 ] && echo ok
exit $status
