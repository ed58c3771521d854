#!/bin/bash
# In a wide and in a tall window the picture keeps its shape, with bars of the
# clear colour: the sphere stays round, and a shot goes under the cursor.
# The window shows the game's own icon.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: letterbox.sh path/to/vaultrix}"
# The icon is set just after the window is made (and named), so wait for it.
has_icon() { xprop -id "$WINDOW_ID" _NET_WM_ICON | grep -q 'Icon (48 x 48)'; }
wait_until 10 has_icon || fail "the window has no icon of its own"
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
round_sphere() { find_sphere "$1"; ((w >= 4 && w <= 30 && (w - h) ** 2 <= 1)); }

# The game ends some 11 s after Enter: the quick look first.
resize_to 700x760
wait_until 10 round_sphere 700x760 || fail "at 700x760 the sphere is $w x $h"
resize_to 1280x560
wait_until 10 round_sphere 1280x560 || fail "at 1280x560 the sphere is $w x $h"
[ "$(percent_near "" "$blue" 3)" -ge 40 ] || fail "at 1280x560 the bars are not the clear colour"
# One shot up and left (where no obstacle stops it), then: the bullet lies on
# the line from where the sphere was when it fired through the cursor. The
# camera's climb moves sphere and bullet alike, 1.01 units a second against
# the bullet's 10, so the sphere fired from |bullet - sphere| / 10 pixels
# higher than it is seen now, whenever the pictures are taken. The score
# line, outlined in black, is left out (its top 45 rows).
find_sphere 1280x560
tx=$((x - 300)) ty=$((y - 300))
xdotool mousemove $tx $ty mousedown 1 sleep 0.2 mouseup 1
sleep 0.3
find_sphere 1280x560
off=$("$CONVERT" "$shot" -alpha off -fuzz 1% -fill white +opaque black -depth 8 txt:- |
    awk -F'[:,]' -v sx=$x -v sy=$y -v tx=$tx -v ty=$ty 'NR > 1 && $2 > 45 && /#000000/ { n++; bx += $1; by += $2 }
        END { if (n < 3) { print "no bullet"; exit }
              bx /= n; by /= n; rx = bx - sx; ry = by - sy; fy = sy - sqrt(rx * rx + ry * ry) * 1.01 / 10
              ax = tx - sx; ay = ty - fy; d = (rx * ay - ry * ax) / sqrt(ax * ax + ay * ay)
              print int((d < 0 ? -d : d) + 0.5) }')
[ "$off" != "no bullet" ] && [ "$off" -le 3 ] || fail "the bullet's centre is $off pixels off the line to the cursor"
quit_with_escape
echo ok
