#!/bin/bash
# The release zip as a player gets it: one folder holding the exe, the
# models, the font and its licence, and a README; unpacked anywhere, the exe
# finds its files beside itself whatever the working directory.
source "$(dirname "$0")/../lib/cli.sh"  # $game is the zip here
zip=$game
(cd "$work" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
dir=$work/$(basename "$zip" .zip)
for file in vaultrix.exe README.txt Platformer/portal.obj Platformer/companion.obj \
    assets/fonts/DejaVuSansMono.ttf assets/fonts/LICENSE; do
    [ -s "$dir/$file" ] || fail "the zip has no $file"
done
[ "$(cd "$dir" && find . -type f | wc -l)" = 7 ] || fail "unexpected files: $(cd "$dir" && find . -type f)"
echo "0 Return down" >"$work/start.txt"
mkdir "$work/elsewhere"
(cd "$work/elsewhere" && VAULTRIX_WINE_EXE=$dir/vaultrix.exe "$(dirname "$0")/../lib/wine-game.sh" \
    --headless --frames 5 --input "$work/start.txt" --print-text >"$work/out" 2>"$work/err") ||
    fail "the unpacked game exited $?: $(cat "$work/err")"
[ ! -s "$work/err" ] && [ "$(tail -n 1 "$work/out")" = "Score: 3" ] || fail "the unpacked game: $(cat "$work/err")"
echo ok
