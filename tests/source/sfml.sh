#!/bin/bash
# SFML's libraries belong to the desktop backend alone. Elsewhere only its
# header-only names of keys, buttons and axes (and sf::Vector2) may be used,
# which the input scripts and replays are written in. The benchmarks' floors
# are left out: they measure plain SFML on purpose.
set -u
root=${1:?usage: sfml.sh path/to/source}
backend=engine/platform/sfml/
vocabulary='SFML/(Window/(Keyboard|Mouse|Joystick)|System/Vector2)[.]hpp'
cd "$root" || exit 2
files=$(git ls-files 'app/*' 'engine/*' 'game/*' 'level/*' 'objects/*' 'tests/*' 'scripts/*' 'fuzz/*' 2>/dev/null ||
    find app engine game level objects tests scripts fuzz -type f)
files=$(echo "$files" | grep -E '[.](cpp|h|hpp)$' | grep -v "^$backend")
status=0
report() {  # what, the offending lines
    [ -n "$2" ] || return 0
    echo "FAIL: $1 outside $backend:" >&2
    echo "$2" >&2
    status=1
}
# shellcheck disable=SC2086  # one file name a word
report "an SFML header" "$(grep -nE '#include *<SFML/' $files | grep -vE "<$vocabulary>")"
# Any SFML name but the vocabulary, or a lower-case member of it (a function).
# shellcheck disable=SC2086
report "an SFML type" "$(grep -noE 'sf::[A-Za-z0-9_]+' $files | grep -vE ':sf::(Keyboard|Mouse|Joystick|Vector2[iuf]?)$')"
# shellcheck disable=SC2086
report "an SFML function" "$(grep -nE 'sf::(Keyboard|Mouse|Joystick)::[a-z]' $files)"
[ $status = 0 ] && echo ok
exit $status
