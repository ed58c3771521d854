# Command-line tests: $game, a private $work, fail, and no X display.
set -u
game=${1:?usage: $0 path/to/vaultrix} work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY
fail() { echo "FAIL: $*" >&2; exit 1; }
one_line() { [ "$(wc -l <"$1")" = 1 ] && grep -q -- "$2" "$1"; }  # file, text
expect() {  # status, text the one stderr line holds, game arguments; stdout to $out
    local want=$1 text=$2 got=0; shift 2
    "$game" "$@" >"${out:-/dev/null}" 2>"$work/err" || got=$?
    [ $got = "$want" ] && one_line "$work/err" "$text" || fail "$*: status $got, stderr: $(cat "$work/err")"
}
