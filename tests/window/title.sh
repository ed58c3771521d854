#!/bin/bash
# The title screen as a player sees it, then leaving with Escape.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: title.sh path/to/vaultrix}"

[ "$(window_size)" = 1080x720 ] || fail "the window is $(window_size), not 1080x720"
# The window can appear before its first frame is drawn.
drawn() { snap; [ "$(percent_near "$shot" "" "$blue" 3)" -ge 70 ]; }
wait_until 30 drawn || fail "only $(percent_near "$shot" "" "$blue" 3)% of the window is the background colour"
bright=$(count_bright "$shot" 400x80+0+0 200)
[ "$bright" -ge 100 ] || fail "no text in the top-left corner ($bright white pixels)"
bright=$(count_bright "$shot" 1080x600+0+120 200)
[ "$bright" -lt 100 ] || fail "$bright white pixels below the text"
[ "$(text_width "$shot")" -ge 200 ] || fail "the first line is too short for the title"

quit_with_escape
grep -q "FPS: " "$TEST_TMP/game.out" || fail "no FPS on the standard output"
echo ok
