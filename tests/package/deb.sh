#!/bin/bash
# The .deb that package.dist built: lintian finds nothing to warn of; the
# game is in /usr/games with its data in /usr/share/games/vaultrix and the
# system's font instead of a copy; its manual page renders; unpacked, the
# game plays headless and opens its window with the system's font.
#   deb.sh OUT   (package.dist's OUT)
out=${1:?usage: deb.sh OUT}
source "$(dirname "$0")/../lib/xvfb.sh"
deb=$(ls "$out"/build/vaultrix_*.deb 2>/dev/null) || fail "no .deb in $out/build"
root=$TEST_TMP/root

lintian --fail-on error,warning "$deb" >"$TEST_TMP/lintian" 2>&1 && ! grep -q '^[EW]:' "$TEST_TMP/lintian" ||
    fail "lintian: $(cat "$TEST_TMP/lintian")"

dpkg-deb -f "$deb" >"$TEST_TMP/control"
grep -Eq '^Depends:.*\bfonts-dejavu-core\b' "$TEST_TMP/control" || fail "no Depends on fonts-dejavu-core: $(cat "$TEST_TMP/control")"
! grep -Eiq 'example|^Homepage:' "$TEST_TMP/control" || fail "a placeholder field: $(cat "$TEST_TMP/control")"

dpkg-deb -x "$deb" "$root"
for file in games/vaultrix share/games/vaultrix/Platformer/portal.obj share/games/vaultrix/Platformer/companion.obj \
    share/doc/vaultrix/copyright share/doc/vaultrix/changelog.gz share/man/man6/vaultrix.6.gz \
    share/metainfo/io.github.vaultrix.vaultrix.metainfo.xml share/applications/vaultrix.desktop; do
    [ -f "$root/usr/$file" ] || fail "the package has no /usr/$file"
done
! find "$root" -name '*.ttf' | grep . || fail "the package ships a font"
[ ! -e "$root/usr/bin" ] || fail "the package has /usr/bin: $(ls "$root/usr/bin")"
MANWIDTH=80 man -l "$root/usr/share/man/man6/vaultrix.6.gz" 2>&1 | grep -q '^CONTROLS' || fail "the installed manual page does not render"

# Headless from another folder: the models come from share/games.
mkdir "$TEST_TMP/elsewhere"
echo "0 Return down" >"$TEST_TMP/start.txt"
(cd "$TEST_TMP/elsewhere" && "$root/usr/games/vaultrix" --headless --frames 30 --input "$TEST_TMP/start.txt" --print-text) \
    >"$TEST_TMP/out" 2>"$TEST_TMP/err" && tail -n 1 "$TEST_TMP/out" | grep -Eqx "Score: [0-9]+" && [ ! -s "$TEST_TMP/err" ] ||
    fail "headless: $(cat "$TEST_TMP/err")"
# A window needs the font, and the package has only the system's.
start_xvfb
status=0
(cd "$TEST_TMP/elsewhere" && "$root/usr/games/vaultrix" --frames 5 >/dev/null 2>"$TEST_TMP/err") || status=$?
[ $status = 0 ] && [ ! -s "$TEST_TMP/err" ] || fail "windowed: status $status, $(cat "$TEST_TMP/err")"
echo ok
