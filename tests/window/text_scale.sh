#!/bin/bash
# Text keeps its proportion to the play area: the title line is as tall, for
# the picture's height, at 1080x720, in a 540x360 window and fullscreen at
# 1920x1080, and stays walled off from the scene at the smallest size.
XVFB_SCREEN=1920x1080x24
source "$(dirname "$0")/../lib/xvfb.sh"
game=${1:?usage: text_scale.sh path/to/vaultrix} probe=${VAULTRIX_CONTRAST_PROBE:?set to the contrast_probe tool}
# The title frame itself: before it, an expose can show the bare clear colour.
drawn() { snap; [ "$(percent_near "" "$blue" 3)" -ge 60 ] && [ "$(count_bright 540x72+0+0)" -gt 0 ]; }
# The height of the title line's white glyphs; $1: the play area "x y width height".
line_height() {
    local x y w h; read -r x y w h <<<"$1"
    bright_mask "$((w / 2))x$((h / 10))+$x+$y" 199 -trim -format '%h\n' info: 2>/dev/null
}
start_windowed_game "$game"
wait_until 30 drawn || fail "the title was not drawn"
h720=$(line_height "0 0 1080 720")
resize_to 540x360
small() { snap; h360=$(line_height "0 0 540 360"); (((2 * h360 - h720) ** 2 <= 4)); }
wait_until 10 small || fail "the line is $h720 pixels tall at 720 rows, $h360 at 360"
"$probe" text "$shot" 0 0 270 36 >"$TEST_TMP/probe" || fail "at 540x360: $(cat "$TEST_TMP/probe")"
quit_with_escape
start_windowed_game "$game" --fullscreen
# Going fullscreen makes a new window: look for it again each time.
h1080=
full() { found_window Vaultrix && snap 2>/dev/null && [ "$(window_size)" = 1920x1080 ] && h1080=$(line_height "150 0 1620 1080") && (((2 * h1080 - 3 * h720) ** 2 <= 9)); }
wait_until 20 full || fail "fullscreen: the window is $(window_size), the line $h1080 pixels tall, not 1.5 x $h720"
quit_with_escape
echo ok
