#!/bin/bash
# Without its font (or with a file that is not one) a windowed run says so in
# one line and exits 1; a headless run needs no font. The engine looks next
# to its executable first, so the binary is copied without its assets/.
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: missing_font.sh path/to/vaultrix}
dir="$TEST_TMP/nofont"
mkdir -p "$dir"
cp "$game" "$dir/vaultrix"
cp -r "$(dirname "$game")/Platformer" "$dir/Platformer"
start_xvfb

for case in missing bad; do
    if [ $case = bad ]; then mkdir -p "$dir/assets/fonts" && echo "not a font" >"$dir/assets/fonts/DejaVuSansMono.ttf"; fi
    status=0
    (cd "$dir" && ./vaultrix --frames 5 >"$dir/out" 2>"$dir/err") || status=$?
    [ "$status" -eq 1 ] && [ "$(wc -l <"$dir/err")" -eq 1 ] && grep -q "font" "$dir/err" ||
        fail "$case font: exited $status, stderr: $(cat "$dir/err")"
done
(cd "$dir" && ./vaultrix --headless --frames 3 >"$dir/out" 2>"$dir/err") || fail "headless without a font exited $?"
echo ok
