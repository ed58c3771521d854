#!/bin/bash
# F11 and Alt+Enter switch fullscreen on and off (the window is made anew,
# so it is looked up again); Alt+Enter does not also start the game, and the
# picture keeps its shape on the 1280x800 screen.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: fullscreen.sh path/to/vaultrix}"
sized() { found_window Vaultrix && [ "$(window_size)" = "$1" ]; }
press_key F11
wait_until 10 sized 1280x800 || fail "F11: the window is $(window_size), not fullscreen"
press_key F11
wait_until 10 sized 1080x720 || fail "F11 again: the window is $(window_size)"
focus_window "$WINDOW_ID"
xdotool keydown alt keydown Return; sleep 0.15; xdotool keyup Return keyup alt
wait_until 10 sized 1280x800 || fail "Alt+Enter: the window is $(window_size)"
focus_window "$WINDOW_ID"
# The picture is 1200x800 between bars at the sides; its text is scaled by 10/9.
title() { snap; [ "$(text_width 10)" -ge 200 ] && [ "$(platforms)" = 0 ]; }
wait_until 10 title || fail "Alt+Enter started the game, or the title is not drawn"
quit_with_escape
echo ok
