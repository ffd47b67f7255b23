#!/usr/bin/env bash
# The keyboard alone, the pointer outside the window: Easy loaded with Tab and Space, the arrows
# move the cell cursor, digits enter, Ctrl+digit strikes, Delete clears, Ctrl+Z and Ctrl+Y undo
# and redo. The board then looks exactly as the same clicks leave it, the cursor's frame stands
# on its cell, and once the pointer moves over the board no pixel of the frame is left.
source "$(dirname "$0")/lib.sh"

FRAME=176,0,96
RING_PIXELS=$((68 * 68 - 64 * 64)) # a 2-pixel ring 5 pixels inside a 78 x 78 cell

key() {
    xdotool key "$@"
    sleep 0.2
}
outside() { xdotool mousemove --sync 1279 1023 && sleep 0.3; }
client_shot() { shoot && convert "$E2E_DIR/shot.png" -crop "876x722+$WIN_X+$WIN_Y" +repage "$1"; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# Fails unless the frame stands on cell ROW COLUMN, whole, and nowhere else.
expect_frame_at() {
    shoot
    local x y inside all
    x=$(cell_x "$2")
    y=$(cell_y "$1")
    inside=$(count_colour "$x" "$y" 78 78 $FRAME)
    all=$(count_colour 0 0 876 722 $FRAME)
    [ "$inside" -eq $RING_PIXELS ] && [ "$all" -eq $RING_PIXELS ] ||
        fail "cursor at row $1, column $2: $inside frame pixels there and $all in all, want $RING_PIXELS"
}
candidate_x() { echo $(($(cell_x "$2") + 13 + ($3 - 1) % 3 * 24)); }
candidate_y() { echo $(($(cell_y "$1") + 14 + ($3 - 1) / 3 * 24)); }
# Pointer places over the board. The window takes the pointer coming back to the very place it
# left as no move (a closing dialog gives it back so), so each return is to a new place.
BOARD_X=$(($(cell_x 5) + 39))
BOARD_Y=$(($(cell_y 5) + 39))

start_xvfb
start_openbox
start_app
activate_app
outside

# Before any key, then the cursor shown and moved, then the pointer over the board.
client_shot "$E2E_DIR/untouched.png"
key Right
expect_frame_at 1 1
key Down Down Right
expect_frame_at 3 2
move_to $BOARD_X $BOARD_Y
client_shot "$E2E_DIR/pointer-back.png"
n=$(differing "$E2E_DIR/untouched.png" "$E2E_DIR/pointer-back.png")
[ "$n" = 0 ] || fail "with the pointer back over the board $n pixels differ from the untouched window"
outside

# Undo has the focus when the window opens; Easy is the fourth button after it.
key Tab Tab Tab Tab space
key Right Right 4 # enters 4 at row 1, column 2
key Down ctrl+7   # strikes 7 at row 2, column 2
key Up Left       # row 1, column 1, the given 5
key Delete ctrl+z ctrl+y
expect_frame_at 1 1
move_to $((BOARD_X + 76)) $BOARD_Y
client_shot "$E2E_DIR/keyboard.png"
[ "$(count_colour 0 0 876 722 $FRAME)" -eq 0 ] || fail "the frame stayed with the pointer over the board"

# The same moves by mouse in a new window, Undo and Redo by key as before.
kill "$E2E_APP_PID"
wait "$E2E_APP_PID" 2>/dev/null || true
start_app
activate_app
click $((724 + 8 + 32 + 36)) $((216 + 72 + 12)) # Easy
click "$(candidate_x 1 2 4)" "$(candidate_y 1 2 4)"
click "$(candidate_x 2 2 7)" "$(candidate_y 2 2 7)" 3
click $(($(cell_x 1) + 39)) $(($(cell_y 1) + 39))
key ctrl+z ctrl+y
move_to $((BOARD_X + 76)) $BOARD_Y
client_shot "$E2E_DIR/mouse.png"
n=$(differing "$E2E_DIR/keyboard.png" "$E2E_DIR/mouse.png")
[ "$n" = 0 ] || {
    cp "$E2E_DIR/keyboard.png" /tmp/e2e-keyboard_cursor-keyboard.png
    cp "$E2E_DIR/mouse.png" /tmp/e2e-keyboard_cursor-mouse.png
    fail "$n pixels differ between the keyboard's board and the mouse's (kept in /tmp)"
}
echo "e2e keyboard_cursor: ok"
