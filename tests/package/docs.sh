#!/bin/bash
# The player's documents agree: --help, the README's table and the manual
# page name the same keys, --help and the manual page the same options; the
# manual page renders without a warning; the metainfo passes appstreamcli,
# with and without screenshots; the game, the changelog, the manual page and
# the metainfo name one version.
#   docs.sh path/to/vaultrix SOURCE_DIR METAINFO
source "$(dirname "$0")/../lib/cli.sh"
src=${2:?usage: docs.sh path/to/vaultrix SOURCE_DIR METAINFO} metainfo=${3:?}
man_page=$src/packaging/vaultrix.6

# One key a line, from key columns such as "A / D or Left / Right".
keys() { sed -E 's/ (or|\/) /\n/g' | sed -E 's/^ +| +$//g' | sort -u; }
"$game" --help | sed -n '/^controls:$/,/^gamepad:$/p' | sed '1d;$d' | sed -E 's/^  (.*[^ ])  +.*/\1/' | keys >"$work/help"
sed -n '/^## Controls/,/^## [^C]/p' "$src/README.md" | grep '^| ' | tail -n +3 | cut -d '|' -f 2 | keys >"$work/readme"
sed -n '/^\.SH CONTROLS/,/^\.SH [^C]/p' "$man_page" | grep -A 1 '^\.TP' | sed -n 's/^\.B //p' | keys >"$work/man"
[ "$(wc -l <"$work/help")" -ge 10 ] || fail "--help lists too few keys: $(cat "$work/help")"
for other in readme man; do
    diff "$work/help" "$work/$other" >"$work/diff" || fail "--help and the $other name different keys: $(cat "$work/diff")"
done

# And the manual page describes every option --help lists.
"$game" --help | sed -n '/^usage:/,/^controls:$/p' | grep -oE '^  --[a-z-]+' | sed 's/^  //' | sort >"$work/help.options"
sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' "$man_page" | grep -A 1 '^\.TP' | sed -nE 's/^\.BI? (\\-\\-[a-z\\-]+).*/\1/p' | sed 's/\\//g' | sort >"$work/man.options"
diff "$work/help.options" "$work/man.options" >"$work/diff" || fail "--help and the manual page list different options: $(cat "$work/diff")"

LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man_page" >"$work/man.txt" 2>"$work/man.err" && [ ! -s "$work/man.err" ] ||
    fail "man -l: $(cat "$work/man.err")"
for section in NAME SYNOPSIS OPTIONS CONTROLS "EXIT STATUS" FILES; do
    grep -qx "$section" "$work/man.txt" || fail "the manual page has no $section"
done

appstreamcli validate --strict --no-net "$metainfo" >"$work/as" 2>&1 || fail "appstreamcli: $(cat "$work/as")"
! grep -q '<screenshot' "$metainfo" || fail "screenshots without a place that serves them"
# Once docs/*.png are published, the metainfo shows all three.
cmake -S "$src" -B "$work/shots" -DVAULTRIX_TESTS=OFF -DVAULTRIX_SCREENSHOT_URL=https://vaultrix.test/docs/ >"$work/log" 2>&1 ||
    fail "configure: $(cat "$work/log")"
shots=$work/shots/$(basename "$metainfo")
appstreamcli validate --strict --no-net "$shots" >"$work/as" 2>&1 || fail "appstreamcli with screenshots: $(cat "$work/as")"
for name in title playing gameover; do
    [ -f "$src/docs/$name.png" ] && grep -q "<image>https://vaultrix.test/docs/$name.png</image>" "$shots" ||
        fail "no screenshot $name: $(grep image "$shots")"
done

version=$("$game" --version | sed 's/^vaultrix //')
grep -q "^vaultrix ($version) " "$src/packaging/changelog" || fail "the changelog's last release is not $version"
grep -q "^\.TH VAULTRIX 6 [0-9-]* \"Vaultrix $version\"" "$man_page" || fail "the manual page is not of $version"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
echo ok
