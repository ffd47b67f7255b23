#!/usr/bin/env bash
# Under a window manager: a puzzle brought in as a picture. A screenshot of the program itself
# pasted as image data, a photo-like picture of it copied as a file, the same photo dropped from
# another program, and a picture without a grid, which only says so. What was laid is read back
# with Ctrl+C.
source "$(dirname "$0")/lib.sh"
DRAG_SOURCE=${4:?usage: picture_paste.sh ZARVICK FINDCLIENT WAYPOINTER DRAGSOURCE}
ROOT=$(cd "$(dirname "$0")/../.." && pwd)

EASY='5.68.............6...6..132.8.3..2.5...9.1...7.1..8.6.679..3...2.............94.8'
MEDIUM='.4..8592...2.....1...3.28.......7.12.........32.9.......36.4...9.....2...7452..6.'

# Offers a file on the clipboard as TYPE; the next offer takes the clipboard over.
offer() {
    xclip -selection clipboard -t "$1" -i "$2"
    sleep 0.3
}
# The board as Ctrl+C copies it, once it differs from what it was before (at most 15 s: the
# first picture after start-up waits for the reader to start).
board_after() {
    local previous=$1 now
    for _ in $(seq 50); do
        xdotool key ctrl+c
        sleep 0.3
        now=$(xclip -selection clipboard -o 2>/dev/null || true)
        [ "$now" != "$previous" ] && [ "${#now}" -eq 81 ] && { echo "$now"; return; }
    done
    echo "$now"
}
lay_medium() {
    printf '%s' "$MEDIUM" >"$E2E_DIR/medium.txt"
    offer text/plain "$E2E_DIR/medium.txt"
    xdotool key ctrl+v
    [ "$(board_after x)" = "$MEDIUM" ] || fail "Medium was not laid from text"
}

start_xvfb
start_openbox
start_app
activate_app
xdotool mousemove --sync $((WIN_X + 780)) $((WIN_Y + 600)) # beside the board

# The program's own window with Easy, as a screenshot tool copies it.
lay_medium
offer image/png "$ROOT/assets/screenshot-easy.png"
xdotool key ctrl+v
have=$(board_after "$MEDIUM")
[ "$have" = "$EASY" ] || fail "the pasted screenshot laid $have"

# A photo of the screen: in perspective, turned, blurred, unevenly lit and saved as JPEG.
photo="$E2E_DIR/photo of the screen.jpg"
convert "$ROOT/assets/screenshot-easy.png" -resize 180% -virtual-pixel white \
    -distort Perspective '0,0 60,40  1576,0 1490,0  0,1299 0,1299  1576,1299 1576,1240' \
    -rotate 3 -blur 0x1.2 \( +clone -sparse-color Barycentric '0,0 white %w,%h gray70' \) \
    -compose multiply -composite -quality 70 "$photo"
lay_medium
printf 'file://%s\r\n' "$(echo "$photo" | sed 's/ /%20/g')" >"$E2E_DIR/uris"
offer text/uri-list "$E2E_DIR/uris"
xdotool key ctrl+v
have=$(board_after "$MEDIUM")
[ "$have" = "$EASY" ] || fail "the photo copied as a file laid $have"

# The same photo dragged from another program and dropped on the board.
lay_medium
"$DRAG_SOURCE" file "$photo" >"$E2E_DIR/drag.log" 2>&1 &
E2E_PIDS+=($!)
find_window '^Drag source$'
source_id=$(xdotool search --onlyvisible --name '^Drag source$' | head -n1)
xdotool windowmove --sync "$source_id" 900 800
sleep 0.3
xdotool mousemove --sync 960 860 mousedown 1
for step in 1 2 3 4 5 6; do
    xdotool mousemove --sync $((960 - step * 100)) $((860 - step * 80))
    sleep 0.1
done
xdotool mousemove --sync $((WIN_X + 300)) $((WIN_Y + 300))
sleep 0.3
xdotool mouseup 1
sleep 0.5
activate_app
xdotool mousemove --sync $((WIN_X + 780)) $((WIN_Y + 600))
have=$(board_after "$MEDIUM")
[ "$have" = "$EASY" ] || fail "the dropped photo laid $have"

# A picture of text only: a message, and the board stays as it was.
lay_medium
convert -size 900x300 xc:white -pointsize 40 -draw "text 40,150 'Puzzle 7 of the week'" \
    "$E2E_DIR/text.png"
offer image/png "$E2E_DIR/text.png"
xdotool key ctrl+v
timeout 15 xdotool search --sync --onlyvisible --name '^Zarvick$' >/dev/null ||
    fail "no message for a picture without a grid"
xdotool key Return
sleep 0.5
[ "$(board_after x)" = "$MEDIUM" ] || fail "a picture without a grid changed the board"
echo "e2e picture_paste: ok"
