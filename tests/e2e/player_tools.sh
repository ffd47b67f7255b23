#!/usr/bin/env bash
# A new puzzle, a strike, an Undo and a hint, clicked like a person.
source "$(dirname "$0")/lib.sh"

# Command buttons: side panel at 724,0, then group box, then button; these are their centres.
EASY="800 300"
UNDO="800 36"
REMAINING="800 124"
CELL1_X=7
CELL1_Y=7
CELL2_X=$((7 + 76))

start_xvfb
start_app

click $EASY
shoot
expect_some $((CELL1_X + 20)) $((CELL1_Y + 10)) 40 58 "$DARK" "panel 1 shows no given 5"
expect_pixel $((CELL1_X + 65)) $((CELL1_Y + 24)) 212,208,200 "panel 1 still shows candidates"
# Row 1, column 2 is empty; its 5 is excluded by the given 5 beside it.
expect_some $((CELL2_X + 26)) $((CELL1_Y + 27)) 23 22 "$YELLOWISH" "panel 2's 5 is not yellow"

# A right click strikes panel 2's plain 1 out: its digit turns white.
WHITE='r > 0.95 && g > 0.95 && b > 0.95'
expect_none $((CELL2_X + 4)) $((CELL1_Y + 5)) 18 16 "$WHITE" "panel 2's 1 before the strike"
click $((CELL2_X + 2 + 11)) $((CELL1_Y + 3 + 11)) 3
shoot
expect_some $((CELL2_X + 4)) $((CELL1_Y + 5)) 18 16 "$WHITE" "panel 2's 1 is not white"

# Enter panel 2's 2, then Undo takes the entry back.
click $((CELL2_X + 26 + 11)) $((CELL1_Y + 3 + 11))
shoot
expect_pixel $((CELL2_X + 65)) $((CELL1_Y + 24)) 212,208,200 "the entry did not hide the candidates"
click $UNDO
shoot
expect_pixel $((CELL2_X + 65)) $((CELL1_Y + 24)) 64,64,64 "Undo did not bring the candidates back"
expect_some $((CELL2_X + 4)) $((CELL1_Y + 5)) 18 16 "$WHITE" "the strike did not survive Undo"

# "Check for Remaining" enlarges the forced candidates for about two seconds.
convert "$E2E_DIR/shot.png" -crop 721x721+$WIN_X+$WIN_Y +repage "$E2E_DIR/before.png"
click $REMAINING
shoot
convert "$E2E_DIR/shot.png" -crop 721x721+$WIN_X+$WIN_Y +repage "$E2E_DIR/hint.png"
changed=$(compare -metric AE "$E2E_DIR/before.png" "$E2E_DIR/hint.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 0 ] || fail "Check for Remaining enlarged nothing"
sleep 2.5
shoot
convert "$E2E_DIR/shot.png" -crop 721x721+$WIN_X+$WIN_Y +repage "$E2E_DIR/after.png"
changed=$(compare -metric AE "$E2E_DIR/before.png" "$E2E_DIR/after.png" null: 2>&1 || true)
[ "${changed%% *}" -eq 0 ] || fail "the hint did not end after two seconds ($changed pixels differ)"
echo "e2e player_tools: ok"
