#!/bin/bash
# Without its font a windowed run cannot show its text: it says so in one
# line and exits 1. (A headless run needs no font.) The engine looks next to
# its executable first, so the binary is copied without its assets/ folder.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: missing_font.sh path/to/vaultrix}

dir="$TEST_TMP/nofont"
mkdir -p "$dir"
cp "$game" "$dir/vaultrix"
cp -r "$(dirname "$game")/Platformer" "$dir/Platformer"

start_xvfb
status=0
(cd "$dir" && ./vaultrix --frames 5 >"$dir/out" 2>"$dir/err") || status=$?
[ "$status" -eq 1 ] || fail "exited $status, not 1: $(cat "$dir/err")"
[ "$(wc -l <"$dir/err")" -eq 1 ] || fail "stderr is not one line: $(cat "$dir/err")"
grep -q "font" "$dir/err" || fail "stderr does not say why: $(cat "$dir/err")"

# A font file that is not a font is no better.
mkdir -p "$dir/assets/fonts"
echo "not a font" >"$dir/assets/fonts/DejaVuSansMono.ttf"
status=0
(cd "$dir" && ./vaultrix --frames 5 >"$dir/out" 2>"$dir/err") || status=$?
[ "$status" -eq 1 ] || fail "with a bad font: exited $status, not 1: $(cat "$dir/err")"
[ "$(wc -l <"$dir/err")" -eq 1 ] || fail "with a bad font: stderr is not one line: $(cat "$dir/err")"
grep -q "font" "$dir/err" || fail "with a bad font: stderr does not say why: $(cat "$dir/err")"

(cd "$dir" && ./vaultrix --headless --frames 3 >"$dir/out" 2>"$dir/err") || fail "headless without a font exited $?"
echo "ok"
