#!/bin/bash
# The Windows game under Wine, standing in for the Linux binary in the shell
# tests: the same arguments, output and exit status. VAULTRIX_WINE_EXE is the
# exe, WINEPREFIX a private prefix; --make-prefix makes it and returns.
set -u
exe=${VAULTRIX_WINE_EXE:?the Windows exe to run}
export WINEPREFIX=${WINEPREFIX:?a private Wine prefix} WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: the game needs neither, and Wine would offer to install them.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ "${1:-}" = --make-prefix ]; then
    wineboot --init >/dev/null 2>&1 && wineserver -w
    exit
fi
# Wine's server opens files for the game, and a /dev/fd/N of ours (a <(...)
# in a test) is another file in the server: hand the game a copy instead.
copies=$(mktemp -d)
trap 'rm -rf "$copies"' EXIT
args=()
for arg in "$@"; do
    if [[ $arg == /dev/fd/* || $arg == /proc/self/fd/* ]]; then
        cat "$arg" >"$copies/${#args[@]}" && arg=$copies/${#args[@]}
    fi
    args+=("$arg")
done
# A Wine server started without a display stays a few seconds after its
# last program, and a window cannot be opened through it: a windowed run
# waits for it to go.
[ -z "${DISPLAY:-}" ] || wineserver -w
wine "$exe" "${args[@]}"
