#!/bin/bash
# Without a font, neither the system's nor its own copy (looked for next to the
# binary), a windowed run says so in one line, exit 1. The system's copy is
# hidden under an empty folder in a private mount namespace.
source "$(dirname "$0")/../lib/xvfb.sh"
system_font=${2:?usage: missing_font.sh path/to/vaultrix SYSTEM_FONT}
unshare -rm true 2>/dev/null || { echo "skipped: no user namespaces here to hide $system_font"; exit 77; }
dir=$TEST_TMP/nofont
mkdir "$dir" "$TEST_TMP/empty" && cp "$1" "$dir/vaultrix" && cp -r "$(dirname "$1")/Platformer" "$dir/"
start_xvfb
status=0
(cd "$dir" && unshare -rm sh -c '[ ! -e "$0" ] || mount --bind "$1" "$(dirname "$0")" && exec ./vaultrix --frames 5' \
    "$system_font" "$TEST_TMP/empty" >/dev/null 2>err) || status=$?
[ $status = 1 ] && [ "$(wc -l <"$dir/err")" = 1 ] && grep -q font "$dir/err" || fail "status $status, stderr: $(cat "$dir/err")"
echo ok
