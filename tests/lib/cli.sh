# Command-line tests: $game, a private $work, fail, and no X display.
set -u
game=${1:?usage: $0 path/to/vaultrix} work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY
fail() { echo "FAIL: $*" >&2; exit 1; }
one_line() { [ "$(wc -l <"$1")" = 1 ] && grep -q -- "$2" "$1"; }  # file, text
