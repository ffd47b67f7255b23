#!/usr/bin/env bash
# Under a window manager, as a player has one: a puzzle pasted from the clipboard, a digit typed
# over a cell, Undo and Redo from the keyboard, the board copied, a text that is no puzzle, and
# a puzzle copied from a spreadsheet.
source "$(dirname "$0")/lib.sh"

command -v xclip >/dev/null || fail "xclip is needed (scripts/deps.sh installs it)"

EASY='5.68.............6...6..132.8.3..2.5...9.1...7.1..8.6.679..3...2.............94.8'
MEDIUM='.4..8592...2.....1...3.28.......7.12.........32.9.......36.4...9.....2...7452..6.'
CELL_X=7 # the first cell's client area in block 1; cells have pitch 76
CELL_Y=7
FACE=212,208,200
EDGE=64,64,64 # candidate 3's lower edge, while a cell shows its candidates

CLIP_PID=
cleanup_extra() {
    [ -n "$CLIP_PID" ] && kill "$CLIP_PID" 2>/dev/null || true
    e2e_cleanup
}
trap cleanup_extra EXIT

# Offers TEXT on the clipboard until the next call takes it over.
clipboard() {
    [ -n "$CLIP_PID" ] && kill "$CLIP_PID" 2>/dev/null || true
    printf '%s' "$1" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
    CLIP_PID=$!
    sleep 0.3
}

# A puzzle line as a spreadsheet copies its grid: nine lines of tab-separated fields, an empty
# field for each empty cell.
spreadsheet_rows() {
    local out= i
    for ((i = 0; i < 81; i++)); do
        [ "${1:i:1}" = . ] || out+=${1:i:1}
        if ((i % 9 == 8)); then out+=$'\n'; else out+=$'\t'; fi
    done
    printf '%s' "$out"
}

# Whether cell N of the first row (1..9, within blocks 1 to 3) shows its candidates.
cell_left() { echo $((CELL_X + ($1 - 1) % 3 * 76 + ($1 - 1) / 3 * 238)); }
expect_candidates() { expect_pixel $(($(cell_left "$1") + 65)) $((CELL_Y + 24)) $EDGE "$2"; }
expect_digit() { expect_pixel $(($(cell_left "$1") + 65)) $((CELL_Y + 24)) $FACE "$2"; }

start_xvfb
start_openbox
start_app
activate_app

clipboard "$EASY"
move_to 800 700 # beside the board
xdotool key ctrl+v
sleep 0.3
shoot
expect_digit 1 "the pasted 5 in row 1, column 1"
expect_candidates 2 "row 1, column 2 is empty in the pasted puzzle"
expect_digit 3 "the pasted 6 in row 1, column 3"
expect_digit 4 "the pasted 8 in row 1, column 4"
expect_candidates 5 "row 1, column 5 is empty in the pasted puzzle"

move_to $(($(cell_left 2) + 39)) $((CELL_Y + 39))
xdotool key 4
sleep 0.3
shoot
expect_digit 2 "the 4 typed over row 1, column 2"
xdotool key ctrl+z
sleep 0.3
shoot
expect_candidates 2 "Ctrl+Z did not take the 4 away"
xdotool key ctrl+y
sleep 0.3
shoot
expect_digit 2 "Ctrl+Y did not bring the 4 back"

xdotool key ctrl+c
sleep 0.3
copied=$(xclip -selection clipboard -o)
[ "$copied" = "5468${EASY:4}" ] || fail "Ctrl+C copied $copied"

clipboard "12345"
xdotool key ctrl+v
message=$(timeout 10 xdotool search --sync --onlyvisible --name '^Zarvick$' | head -n1) ||
    fail "no message window for a text that is no puzzle"
shoot
expect_digit 1 "the board changed under the message"
expect_digit 2 "the board changed under the message"
xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name '^Zarvick$' >/dev/null && fail "Enter did not close the message"
# The main window has the keyboard back.
xdotool key ctrl+z
sleep 0.3
shoot
expect_candidates 2 "Ctrl+Z after the message did not reach the board"

clipboard "$(spreadsheet_rows "$MEDIUM")"
move_to 800 700
xdotool key ctrl+v
sleep 0.3
shoot
expect_candidates 1 "row 1, column 1 is an empty field in the pasted grid"
expect_digit 2 "the 4 pasted from the grid's row 1, field 2"
expect_candidates 3 "row 1, column 3 is an empty field in the pasted grid"
expect_candidates 4 "row 1, column 4 is an empty field in the pasted grid"
expect_digit 5 "the 8 pasted from the grid's row 1, field 5"
echo "e2e keyboard_clipboard: ok"
