# Shared helpers for the window tests: a private Xvfb display, the game in
# it, keys typed with xdotool and pixel checks with ImageMagick.
# Source it from bash; it sets TEST_TMP and exports DISPLAY.

set -u

TEST_TMP=$(mktemp -d)
XVFB_PID=
GAME_PID=

# The real ImageMagick, whatever else is called convert on the PATH.
if [ -x /usr/bin/convert ]; then CONVERT=/usr/bin/convert; else CONVERT=convert; fi

cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null
        wait "$GAME_PID" 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -rf "$TEST_TMP"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on a free display (it picks one and reports it on a pipe) and
# exports DISPLAY. Software GL, as on a machine without a GPU.
start_xvfb() {
    local fifo="$TEST_TMP/displayfd" display=
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -noreset -nolisten tcp 3>"$fifo" \
        >"$TEST_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    # The read returns once Xvfb is ready to take clients.
    read -r -t 30 display <"$fifo" || true
    [ -n "$display" ] || { cat "$TEST_TMP/xvfb.log" >&2; fail "Xvfb did not start"; }
    export DISPLAY=":$display"
    export LIBGL_ALWAYS_SOFTWARE=1
}

# Starts the game in the background with its output in $TEST_TMP.
start_game() {
    "$@" >"$TEST_TMP/game.out" 2>"$TEST_TMP/game.err" &
    GAME_PID=$!
}

# Waits for a window with this exact name; sets WINDOW_ID.
WINDOW_ID=
wait_for_window() {
    local name=$1 id= tries=0
    while [ $tries -lt 300 ]; do
        id=$(xdotool search --name "^$name\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { WINDOW_ID=$id; return 0; }
        if [ -n "$GAME_PID" ] && ! kill -0 "$GAME_PID" 2>/dev/null; then
            cat "$TEST_TMP/game.err" >&2
            fail "the game ended before its window appeared"
        fi
        sleep 0.1
        tries=$((tries + 1))
    done
    fail "no window named $name appeared"
}

# A key pressed and released the way a person does. SFML reads the live
# keyboard state, so the key goes to the focused window, not to a window id.
press_key() {
    xdotool keydown "$1"
    sleep 0.15
    xdotool keyup "$1"
}

focus_window() {
    timeout 10 xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
}

# Waits for the game to end; sets GAME_STATUS. Fails after $1 seconds.
GAME_STATUS=
wait_for_exit() {
    local limit=$1 waited=0
    while kill -0 "$GAME_PID" 2>/dev/null; do
        [ $waited -lt $((limit * 10)) ] || fail "the game did not end within ${limit}s"
        sleep 0.1
        waited=$((waited + 1))
    done
    GAME_STATUS=0
    wait "$GAME_PID" || GAME_STATUS=$?
    GAME_PID=
}

# Saves a picture of one window.
screenshot() {
    import -window "$1" "$2"
}

# "r g b" of one pixel.
pixel_rgb() {
    "$CONVERT" "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r+0.5)] %[fx:int(255*p{'"$2"','"$3"'}.g+0.5)] %[fx:int(255*p{'"$2"','"$3"'}.b+0.5)]' info:
}

# True when a pixel is within tol of r g b in every channel.
pixel_near() {
    local file=$1 x=$2 y=$3 r=$4 g=$5 b=$6 tol=$7 pr pg pb
    read -r pr pg pb <<<"$(pixel_rgb "$file" "$x" "$y")"
    [ $(( (pr - r) * (pr - r) <= tol * tol && (pg - g) * (pg - g) <= tol * tol && (pb - b) * (pb - b) <= tol * tol )) -eq 1 ]
}

# Percentage (0-100) of the pixels of a region (WxH+X+Y, or the whole
# picture when empty) within fuzz percent of a colour.
percent_near() {
    local file=$1 region=$2 colour=$3 fuzz=$4
    local crop=()
    [ -n "$region" ] && crop=(-crop "$region" +repage)
    "$CONVERT" "$file" "${crop[@]}" -alpha off -fuzz "$fuzz%" -transparent "$colour" \
        -alpha extract -negate -format '%[fx:int(100*mean+0.5)]\n' info:
}

# Number of pixels of a region whose every channel is at least min.
count_bright() {
    local file=$1 region=$2 min=$3
    "$CONVERT" "$file" -crop "$region" +repage -alpha off \
        -channel RGB -threshold "$(( min * 100 / 255 ))%" +channel \
        -separate -evaluate-sequence min \
        -format '%[fx:int(mean*w*h+0.5)]\n' info:
}

# Number of separate runs of grid-line pixels (dark blue: red and green low,
# blue high) along row y. A row lying on a horizontal line counts as one run.
count_line_runs() {
    local file=$1 y=$2 width
    width=$("$CONVERT" "$file" -format '%w' info:)
    "$CONVERT" "$file" -crop "${width}x1+0+$y" +repage -alpha off -depth 8 txt:- |
        awk -F'[(),]' 'NR > 1 {
            line = ($3 < 60 && $4 < 60 && $5 > 120)
            if (line && !previous) runs++
            previous = line
        } END { print runs + 0 }'
}

# The most grid-line runs over a few nearby rows, so that one row lying on a
# horizontal line does not hide the vertical ones.
vertical_lines() {
    local file=$1 y=$2 best=0 n d
    for d in 0 7 15; do
        n=$(count_line_runs "$file" $((y + d)))
        [ "$n" -gt "$best" ] && best=$n
    done
    echo "$best"
}

# True when (x,y), or one of two points near it, has the colour: a grid line
# can cover at most two of the three.
area_near() {
    local file=$1 x=$2 y=$3 r=$4 g=$5 b=$6 tol=$7 d
    for d in 0 7 15; do
        pixel_near "$file" $((x + d)) $((y + d)) "$r" "$g" "$b" "$tol" && return 0
    done
    return 1
}

# Number of pixels of a region (WxH+X+Y, or the whole picture when empty)
# within fuzz percent of a colour.
count_near() {
    local file=$1 region=$2 colour=$3 fuzz=$4
    local crop=()
    [ -n "$region" ] && crop=(-crop "$region" +repage)
    "$CONVERT" "$file" "${crop[@]}" -alpha off -fuzz "$fuzz%" -transparent "$colour" \
        -alpha extract -negate -format '%[fx:int(mean*w*h+0.5)]\n' info:
}

# Width in pixels of the white text on the first line, 0 when there is none.
text_width() {
    local file=$1 bright
    bright=$(count_bright "$file" 700x36+0+0 200)
    [ "$bright" -gt 0 ] || { echo 0; return; }
    "$CONVERT" "$file" -crop 700x36+0+0 +repage -alpha off \
        -channel RGB -threshold 78% +channel -separate -evaluate-sequence min \
        -trim -format '%w\n' info:
}

# Runs a command until it succeeds, at most $1 seconds; false after that.
wait_until() {
    local limit=$1 start=$SECONDS
    shift
    until "$@"; do
        [ $((SECONDS - start)) -lt "$limit" ] || return 1
        sleep 0.2
    done
}
