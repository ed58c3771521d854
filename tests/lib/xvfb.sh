# Window tests: a private Xvfb with software GL, the game in it, input through
# xdotool and pixel counts of $shot through ImageMagick.
set -u
TEST_TMP=$(mktemp -d) XVFB_PID= GAME_PID= WINDOW_ID=
shot=$TEST_TMP/shot.png blue="rgb(102,153,229)" orange="rgb(174,109,48)"  # clear colour, platforms' lit faces
CONVERT=/usr/bin/convert && [ -x $CONVERT ] || CONVERT=convert  # the real ImageMagick
cleanup() { for p in $GAME_PID $XVFB_PID; do kill "$p" 2>/dev/null && wait "$p" 2>/dev/null; done; rm -rf "$TEST_TMP"; }
trap cleanup EXIT
trap 'exit 130' INT TERM
fail() { echo "FAIL: $*" >&2; exit 1; }
wait_until() { local end=$((SECONDS + $1)); shift; until "$@"; do [ $SECONDS -lt $end ] || return 1; sleep 0.2; done; }

# VAULTRIX_XVFB_RESET=1 runs the server as CI commonly does, without -noreset:
# it resets whenever its last client leaves.
start_xvfb() {  # extra Xvfb arguments; on a free display, reported on a pipe once it takes clients
    local d= reset=-noreset
    [ "${VAULTRIX_XVFB_RESET:-0}" = 1 ] && reset=
    rm -f "$TEST_TMP/dfd" && mkfifo "$TEST_TMP/dfd"
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x800x24}" $reset -nolisten tcp "$@" 3>"$TEST_TMP/dfd" >"$TEST_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    read -r -t 30 d <"$TEST_TMP/dfd" || { cat "$TEST_TMP/xvfb.log" >&2; fail "Xvfb did not start"; }
    export DISPLAY=":$d" LIBGL_ALWAYS_SOFTWARE=1
}
stop_xvfb() { kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null; XVFB_PID=; }
found_window() { WINDOW_ID=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1); [ -n "$WINDOW_ID" ]; }
wait_for_window() { wait_until 30 found_window "$1" || fail "no window $1: $(cat "$TEST_TMP/game.err")"; }
focus_window() { timeout 10 xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; }
start_windowed_game() {  # game and arguments
    [ -n "$XVFB_PID" ] || start_xvfb
    "$@" >"$TEST_TMP/game.out" 2>"$TEST_TMP/game.err" &
    GAME_PID=$!
    wait_for_window Vaultrix
    focus_window "$WINDOW_ID"
}
# SFML reads the live keyboard, so keys go to the focused window.
press_key() { xdotool keydown "$1"; sleep "${2:-0.15}"; xdotool keyup "$1"; }
tap_key() { xdotool keydown "$1" keyup "$1"; }  # down and up again well within one step
steps_run() { tr -cd '\r' <"$TEST_TMP/game.out" | wc -c; }  # the frame-rate line is written once a step
game_gone() { ! kill -0 "$GAME_PID" 2>/dev/null; }
quit_with_escape() {  # status 0 and nothing on stderr
    press_key Escape
    wait_until 20 game_gone || fail "Escape did not end the game"
    local s=0
    wait "$GAME_PID" || s=$?
    GAME_PID=
    [ $s = 0 ] && [ ! -s "$TEST_TMP/game.err" ] || fail "Escape: status $s, stderr: $(cat "$TEST_TMP/game.err")"
}

snap() { import -window "$WINDOW_ID" "$shot"; }
resize_to() { xdotool windowsize "$WINDOW_ID" "${1%x*}" "${1#*x}"; wait_until 10 eval '[ "$(window_size)" = '"$1"' ]' || fail "not resized to $1"; }
window_origin() { xwininfo -id "$WINDOW_ID" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4} END {print x, y}'; }
window_size() { xwininfo -id "$WINDOW_ID" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }
near() {  # region (WxH+X+Y, "" for all), colour, fuzz %, fx expression
    local c=(); [ -n "$1" ] && c=(-crop "$1" +repage)
    "$CONVERT" "$shot" "${c[@]}" -alpha off -fuzz "$3%" -transparent "$2" -alpha extract -negate -format "%[fx:$4]\n" info:
}
count_near() { near "$@" 'int(mean*w*h+0.5)'; }
percent_near() { near "$@" 'int(100*mean+0.5)'; }
platforms() { count_near "" "$orange" 6; }
playing() { snap; [ "$(platforms)" -ge 500 ]; }
bright_mask() { "$CONVERT" "$shot" -crop "$1" +repage -alpha off -channel RGB -threshold "$(($2 * 100 / 255))%" \
    +channel -separate -evaluate-sequence min "${@:3}"; }
count_bright() { bright_mask "$1" 200 -format '%[fx:int(mean*w*h+0.5)]\n' info:; }  # white pixels of a region
text_width() {  # of the top text line; $1: the picture's top row in the window (bars above it)
    local r="700x36+0+${1:-0}"; [ "$(count_bright "$r")" -gt 0 ] && bright_mask "$r" 199 -trim -format '%w\n' info: || echo 0; }
sphere_box() { white_box 1080x660+0+60; }  # below the text, to the bottom edge
white_box() { bright_mask "$1" 225 -trim -format '%X %Y %w %h\n' info: | tr -d +; }  # of a region: x y w h within it
sphere_x() { local x y w h; read -r x y w h < <(sphere_box); [ "$w" -ge 4 ] && [ "$w" -le 40 ] && echo $((x + w / 2)); }
vertical_lines() {  # most runs of dark grid pixels on rows near $1: one line per unit of the view
    local d
    for d in 0 7 15; do "$CONVERT" "$shot" -crop "9999x1+0+$(($1 + d))" +repage -alpha off -depth 8 txt:- |
        awk -F'[(),]' 'NR > 1 { l = ($3 < 60 && $4 < 60 && $5 > 120); if (l && !p) n++; p = l } END { print n + 0 }'
    done | sort -n | tail -n 1
}
