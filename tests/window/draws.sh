#!/bin/bash
# A frame of play costs few draw calls, whatever the course holds: a
# browser's software rasterizer pays 0.1 to 0.3 ms for each. The grid, the
# rims of every platform and obstacle, the sphere's rim, every fill, the
# sphere, its wire and the score: seven, not one or two per model.
source "$(dirname "$0")/../lib/xvfb.sh"
start_xvfb
printf '0 Return down\n1 Return up\n1 W down\n3 W up\n' >"$TEST_TMP/play.txt"
"${1:?usage: draws.sh path/to/vaultrix}" --frames 120 --frame-time 0.0166667 --input "$TEST_TMP/play.txt" \
    --frame-split --screenshot "$shot" >"$TEST_TMP/out" || fail "the run exited $?"
draws=$(tr '\r' '\n' <"$TEST_TMP/out" | sed -n 's/^split per frame.*, \([0-9.]*\) draws$/\1/p')
[ -n "$draws" ] || fail "no draw count in: $(tr '\r' '\n' <"$TEST_TMP/out" | tail -n 1)"
awk -v d="$draws" 'BEGIN { exit !(d <= 7.0) }' || fail "$draws draws a frame"
# The obstacles still drawn in their own colours, fills over rims.
"$VAULTRIX_CONTRAST_PROBE" shapes "$shot" 0 60 1080 660 >"$TEST_TMP/shapes" || fail "no shapes measured"
for kind in obstacle-fill obstacle-rim; do
    count=$(awk -v k="$kind" '$1 == k { print $2 }' "$TEST_TMP/shapes")
    [ "${count:-0}" -gt 0 ] || fail "no $kind pixels: $(cat "$TEST_TMP/shapes")"
done
echo "ok: $draws draws a frame"
