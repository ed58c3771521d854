#!/bin/bash
# The source tarball of HEAD unpacks into an empty folder and builds there,
# with no network (when this machine lets a test cut it off), into the game
# and its .deb; the game plays a headless scripted game. The build is left in
# OUT for package.deb.
#   dist.sh SOURCE_DIR OUT
set -eu
src=${1:?usage: dist.sh SOURCE_DIR OUT} out=${2:?usage: dist.sh SOURCE_DIR OUT}
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$out" && mkdir -p "$out/empty"
tarball=$(sh "$src/scripts/dist.sh" "$out" 2>"$out/dist.err") || fail "dist.sh: $(cat "$out/dist.err")"
tar -xzf "$tarball" -C "$out/empty" || fail "cannot unpack $tarball"
tree=$out/empty/$(basename "$tarball" .tar.gz)
[ "$(ls "$out/empty")" = "$(basename "$tree")" ] || fail "the tarball has more than one top folder: $(ls "$out/empty")"
for file in LICENSE README.md CMakeLists.txt scripts/install-deps.sh packaging/copyright; do
    [ -f "$tree/$file" ] || fail "the tarball has no $file"
done
! find "$tree" -name 'build*' -path '*/build*' -type d | grep -q . || fail "the tarball carries a build folder"

offline=
if unshare -rn true 2>/dev/null; then offline="unshare -rn"; else echo "note: cannot cut the network off here"; fi
$offline env JOBS="${JOBS:-2}" sh "$tree/scripts/package.sh" "$out/build" >"$out/build.log" 2>&1 ||
    fail "the tarball does not build: $(tail -n 20 "$out/build.log")"

printf '0 Return down\n1 Return up\n1 mouse 648 238\n1 MouseLeft down\n2 MouseLeft up\n' >"$out/shot.txt"
(cd "$out" && build/vaultrix --headless --frames 120 --frame-time 0.0166666 --input shot.txt --print-text) \
    >"$out/game.out" 2>"$out/game.err" || fail "the built game exited $?: $(cat "$out/game.err")"
[ "$(tail -n 1 "$out/game.out")" = "Score: 53" ] || fail "last line: $(tail -n 1 "$out/game.out")"
echo ok
