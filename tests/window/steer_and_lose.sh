#!/bin/bash
# D and A steer the sphere; left alone, it falls behind the climbing camera: Game Over.
source "$(dirname "$0")/../lib/xvfb.sh"
start_windowed_game "${1:?usage: steer_and_lose.sh path/to/vaultrix}"
press_key Return
wait_until 20 playing || fail "Enter did not show the scene"
x0=$(sphere_x)
press_key d 0.5; snap; x1=$(sphere_x)
press_key a 0.5; sleep 0.5; snap; x2=$(sphere_x)
[ -n "$x0" ] && [ "${x1:-0}" -ge $((x0 + 30)) ] && [ "${x2:-9999}" -le $((x1 - 30)) ] || fail "D, A: sphere at $x0, ${x1-}, ${x2-}"
over() { snap; w=$(text_width); [ "$(platforms)" = 0 ] && [ "$(count_bright 700x30+0+36)" -gt 0 ] && [ $w -ge 90 ] && [ $w -le 150 ]; }
wait_until 40 over || fail "no Game Over screen (first line $w px)"
quit_with_escape
echo ok
