#!/bin/bash
# In a wide and in a tall window the picture keeps its shape, with bars of the
# clear colour: the sphere stays round, and a shot goes under the cursor.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: letterbox.sh path/to/vaultrix}"
xdotool windowmove "$WINDOW_ID" 0 0
press_key Return
wait_until 20 playing || fail "Enter did not start the game"
# The play area of a W x H window for a 1080 x 720 picture: "x y w h".
area() { local w=${1%x*} h=${1#*x}; if ((w * 720 > h * 1080)); then echo $(((w - h * 1080 / 720) / 2)) 0 $((h * 1080 / 720)) "$h"
    else echo 0 $(((h - w * 720 / 1080) / 2)) "$w" $((w * 720 / 1080)); fi; }
# The sphere, which is not launched and so stays on the picture's centre
# column: the only pixels there, below the text line, with every channel
# brighter than the background's darkest. Sets x y (its centre in the window), w h.
find_sphere() {
    local ax ay aw ah left top; read -r ax ay aw ah < <(area "$1")
    left=$((ax + aw / 2 - 60)) top=$((ay + ah / 10))
    snap; read -r x y w h < <(bright_mask "120x$((ah * 9 / 10))+$left+$top" 115 -trim -format '%X %Y %w %h\n' info: | tr -d +)
    x=$((left + x + w / 2)) y=$((top + y + h / 2))
}
round_sphere() { find_sphere "$1"; ((w >= 8 && w <= 30 && (w - h) ** 2 <= 1)); }

resize_to 1280x560
wait_until 10 round_sphere 1280x560 || fail "at 1280x560 the sphere is $w x $h"
[ "$(percent_near "" "$blue" 3)" -ge 40 ] || fail "at 1280x560 the bars are not the clear colour"
# One shot up and left at 45 degrees (where no obstacle stops it): the bullet
# lies on the line from the sphere through the cursor. The camera's climb
# moves both alike, but the sphere found before the click may have sunk by
# the click, up to as far as it sinks by the next look: any line in that fan
# will do. The score line, outlined in black, is left out (its top 45 rows).
xdotool mousemove $((x - 300)) $((y - 300)) mousedown 1 sleep 0.2 mouseup 1
sleep 0.3
aimed_y=$y
find_sphere 1280x560
off=$("$CONVERT" "$shot" -alpha off -fuzz 1% -fill white +opaque black -depth 8 txt:- |
    awk -F'[:,]' -v cx=$x -v cy=$y -v sunk=$((y - aimed_y)) 'NR > 1 && $2 > 45 && /#000000/ { n++; sx += $1; sy += $2 }
        END { if (n < 10) { print "no bullet"; exit }
              bx = sx / n - cx; by = sy / n - cy; best = 1e9
              for (d = 0; d <= (sunk > 0 ? sunk : 0); d++) {  # distance to the line along (-300, -300 - d)
                  off = (bx * (300 + d) - by * 300) / sqrt(300 * 300 + (300 + d) ^ 2); if (off < 0) off = -off
                  if (off < best) best = off }
              print int(best + 0.5) }')
[ "$off" != "no bullet" ] && [ "$off" -le 5 ] || fail "the bullet's centre is $off pixels off the line to the cursor"
resize_to 700x760
wait_until 10 round_sphere 700x760 || fail "at 700x760 the sphere is $w x $h"
quit_with_escape
echo ok
