#!/bin/bash
# The first frame of play, as drawn: the ball waits above the first platform
# with the wireframe of the sphere it collides with drawn around it, at its
# own size (0.2 across, 7 to 8 pixels at 36 pixels a unit).
source "$(dirname "$0")/../lib/xvfb.sh"
start_xvfb
echo "1 Return down" >"$TEST_TMP/enter.txt"
"${1:?usage: wireframe.sh path/to/vaultrix}" --frames 2 --input "$TEST_TMP/enter.txt" --screenshot "$shot" >/dev/null ||
    fail "screenshot run exited $?"
around=60x40+510+345  # the ball at (0, 0.3) with the view's bottom at -9.7
# Bounding box (W H X Y) of the light grey pixels (the ball, lit or not, and
# the white wire): everything else near it, sky, grid and platform, is
# coloured, and the ball's rim is dark.
grey_box() { "$CONVERT" "$shot" -crop $around +repage -alpha off \
    -fx '(saturation < 0.08 && lightness > 0.3) ? 1 : 0' -trim -format '%w %h %X %Y\n' info:; }
# The same for the pure white pixels: the wire, unshaded.
white_box() { bright_mask $around 250 -trim -format '%w %h %X %Y\n' info:; }
read -r w h _ < <(grey_box)
[ "$w" -ge 6 ] && [ "$w" -le 10 ] && [ "$h" -ge 6 ] && [ "$h" -le 10 ] || fail "the ball is ${w}x$h pixels"
# On the ball's outline all round, its shaded lower left included.
[ "$(white_box)" = "$(grey_box)" ] || fail "wire $(white_box) against ball $(grey_box)"
echo ok
