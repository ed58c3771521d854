# Shared start of the command-line tests: $game from $1, a private $work
# removed on exit, fail, and no X display (every run here is headless or
# must work without one).
set -u
game=${1:?usage: $0 path/to/vaultrix}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
unset DISPLAY
