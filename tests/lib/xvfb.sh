# Shared helpers for the window tests: a private Xvfb display, the game in
# it, keys typed with xdotool and pixel checks with ImageMagick.
# Source it from bash; it sets TEST_TMP, shot and exports DISPLAY.
set -u
TEST_TMP=$(mktemp -d)
shot=$TEST_TMP/shot.png
XVFB_PID= GAME_PID= WINDOW_ID= GAME_STATUS=
blue="rgb(102,153,229)"    # the clear colour
orange="rgb(174,109,48)"   # the platforms' lit front faces
# The real ImageMagick, whatever else is called convert on the PATH.
if [ -x /usr/bin/convert ]; then CONVERT=/usr/bin/convert; else CONVERT=convert; fi

cleanup() {
    for pid in $GAME_PID $XVFB_PID; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$TEST_TMP"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
fail() { echo "FAIL: $*" >&2; exit 1; }

# Xvfb on a free display (reported on a pipe once it takes clients), with
# software GL as on a machine without a GPU.
start_xvfb() {
    local display=
    mkfifo "$TEST_TMP/displayfd"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -noreset -nolisten tcp 3>"$TEST_TMP/displayfd" >"$TEST_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    read -r -t 30 display <"$TEST_TMP/displayfd" || true
    [ -n "$display" ] || { cat "$TEST_TMP/xvfb.log" >&2; fail "Xvfb did not start"; }
    export DISPLAY=":$display" LIBGL_ALWAYS_SOFTWARE=1
}

# Waits for a window with this exact name; sets WINDOW_ID.
wait_for_window() {
    local tries
    for tries in $(seq 300); do
        WINDOW_ID=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$WINDOW_ID" ] && return 0
        [ -z "$GAME_PID" ] || kill -0 "$GAME_PID" 2>/dev/null ||
            { cat "$TEST_TMP/game.err" >&2; fail "the game ended before its window appeared"; }
        sleep 0.1
    done
    fail "no window named $1 appeared"
}
focus_window() { timeout 10 xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; }

# Xvfb, then the game in its window with the focus.
start_windowed_game() {
    start_xvfb
    "$@" >"$TEST_TMP/game.out" 2>"$TEST_TMP/game.err" &
    GAME_PID=$!
    wait_for_window Vaultrix
    focus_window "$WINDOW_ID"
}

# SFML reads the live keyboard, so keys go to the focused window.
press_key() { xdotool keydown "$1"; sleep "${2:-0.15}"; xdotool keyup "$1"; }

# Escape ends the game with status 0 and nothing on stderr.
quit_with_escape() {
    press_key Escape
    local waited
    for waited in $(seq 200); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$GAME_PID" 2>/dev/null && fail "Escape did not end the game"
    GAME_STATUS=0
    wait "$GAME_PID" || GAME_STATUS=$?
    GAME_PID=
    [ "$GAME_STATUS" -eq 0 ] || fail "Escape ended the game with status $GAME_STATUS"
    [ ! -s "$TEST_TMP/game.err" ] || fail "the game wrote to stderr: $(cat "$TEST_TMP/game.err")"
}

snap() { import -window "$WINDOW_ID" "$shot"; }
window_size() { xwininfo -id "$WINDOW_ID" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }

# Runs a command until it succeeds, at most $1 seconds; false after that.
wait_until() {
    local limit=$1 start=$SECONDS
    shift
    until "$@"; do
        [ $((SECONDS - start)) -lt "$limit" ] || return 1
        sleep 0.2
    done
}

# Pixels of a region (WxH+X+Y, or "" for all) within fuzz percent of a colour;
# percent_near gives them as a percentage.
count_near() { near_stat "$@" 'int(mean*w*h+0.5)'; }
percent_near() { near_stat "$@" 'int(100*mean+0.5)'; }
near_stat() {
    local crop=()
    [ -n "$2" ] && crop=(-crop "$2" +repage)
    "$CONVERT" "$1" "${crop[@]}" -alpha off -fuzz "$4%" -transparent "$3" -alpha extract -negate \
        -format "%[fx:$5]\n" info:
}
# The region's pixels with every channel at least $3 (of 255), as a mask.
bright_mask() { "$CONVERT" "$1" -crop "$2" +repage -alpha off -channel RGB -threshold "$(($3 * 100 / 255))%" \
    +channel -separate -evaluate-sequence min "${@:4}"; }
count_bright() { bright_mask "$1" "$2" "$3" -format '%[fx:int(mean*w*h+0.5)]\n' info:; }
# Width of the white text on the first line, 0 when there is none.
text_width() {
    [ "$(count_bright "$1" 700x36+0+0 200)" -gt 0 ] || { echo 0; return; }
    bright_mask "$1" 700x36+0+0 199 -trim -format '%w\n' info:
}
# "X Y W H" of the white sphere, below the text lines.
sphere_box() { bright_mask "$shot" 1080x640+0+60 225 -trim -format '%X %Y %w %h\n' info: | tr -d +; }
# Centre x of the sphere, empty when there is none.
sphere_x() { local x y w h; read -r x y w h < <(sphere_box); [ "$w" -ge 4 ] && [ "$w" -le 40 ] && echo $((x + w / 2)); }

# The most runs of grid-line pixels (dark blue) along a few rows near $2:
# the number of vertical grid lines, one per unit of the view.
vertical_lines() {
    local d
    for d in 0 7 15; do
        "$CONVERT" "$1" -crop "$("$CONVERT" "$1" -format %w info:)x1+0+$(($2 + d))" +repage -alpha off -depth 8 txt:- |
            awk -F'[(),]' 'NR > 1 { l = ($3 < 60 && $4 < 60 && $5 > 120); if (l && !p) n++; p = l } END { print n + 0 }'
    done | sort -n | tail -n 1
}
