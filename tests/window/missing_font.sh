#!/bin/bash
# Without its font (looked for next to the binary first) a windowed run says so in one line, exit 1.
source "$(dirname "$0")/../lib/xvfb.sh"
dir=$TEST_TMP/nofont
mkdir "$dir" && cp "${1:?usage: missing_font.sh path/to/vaultrix}" "$dir/vaultrix" && cp -r "$(dirname "$1")/Platformer" "$dir/"
start_xvfb
status=0
(cd "$dir" && ./vaultrix --frames 5 >/dev/null 2>err) || status=$?
[ $status = 1 ] && [ "$(wc -l <"$dir/err")" = 1 ] && grep -q font "$dir/err" || fail "status $status, stderr: $(cat "$dir/err")"
echo ok
